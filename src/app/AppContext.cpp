#include "app/AppContext.h"

#include "app/ChangePass.h"
#include "app/Pass.h"
#include "app/Placeholder.h"
#include "db/CheckPlaceholder.h"
#include "db/CreateNewDatabase.h"
#include "db/FileOpen.h"
#include "db/PleaseWait.h"
#include "help/FontFailure.h"

AppContext::AppContext(Program& program, Prompter& prompter, Clock& clock, PrintPage& printer)
    : m_program(program), m_prompter(prompter), m_clock(clock), m_printer(printer) {}

QWidget* AppContext::openPass() {
    auto* screen = new Pass(*this);
    screen->load();
    return screen;
}

QWidget* AppContext::openChangePass() {
    auto* screen = new ChangePass(*this);
    screen->load();
    return screen;
}

QWidget* AppContext::openFontFailure() {
    auto* screen = new FontFailure();
    screen->show();
    return screen;
}

QWidget* AppContext::openFileOpen() {
    auto* screen = new FileOpen(*this);
    screen->load();
    return screen;
}

QWidget* AppContext::openCreateNewDatabase() {
    auto* screen = new CreateNewDatabase(*this);
    screen->load();
    return screen;
}

QWidget* AppContext::openPleaseWait() {
    auto* screen = new PleaseWait();
    screen->show();
    return screen;
}

QWidget* AppContext::openCheck() {
    auto* screen = new CheckPlaceholder(*this);
    screen->load();
    return screen;
}

QWidget* AppContext::openHelpAbout() {
    auto* screen = new Placeholder(*this, QStringLiteral("HelpAbout"),
                                   QStringLiteral("The About screen comes with a later version."),
                                   Placeholder::Leave::Close);
    screen->show();
    return screen;
}
