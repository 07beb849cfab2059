#include "app/AppContext.h"

#include "app/ChangePass.h"
#include "app/Pass.h"
#include "app/Placeholder.h"
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
    return openPlaceholder(QStringLiteral("FileOpen"),
                           QStringLiteral("The database chooser comes with the next version."));
}

QWidget* AppContext::openPlaceholder(const QString& screen, const QString& detail) {
    auto* placeholder = new Placeholder(*this, screen, detail);
    placeholder->show();
    return placeholder;
}
