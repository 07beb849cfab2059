#include "app/AppContext.h"

#include "app/ChangePass.h"
#include "app/Pass.h"
#include "app/Placeholder.h"
#include "db/CreateNewDatabase.h"
#include "db/FileOpen.h"
#include "db/PleaseWait.h"
#include "entry/Check.h"
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
    auto* screen = new Check(*this);
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

QWidget* AppContext::openPrinterControl() {
    // Every way out of printing leads back to data entry.
    auto* screen =
        new Placeholder(*this, QStringLiteral("PrinterControl"),
                        QStringLiteral("Printing checks and labels comes with a later version."),
                        Placeholder::Leave::None);
    screen->addButton(QStringLiteral("&Back to Data Entry"), QStringLiteral("PlaceholderBack"),
                      [this, screen] {
                          openCheck();
                          screen->close();
                      });
    screen->show();
    return screen;
}

QWidget* AppContext::openExportFile() {
    auto* screen = new Placeholder(*this, QStringLiteral("ExportFile"),
                                   QStringLiteral("Export and import come with a later version."),
                                   Placeholder::Leave::Close);
    screen->show();
    return screen;
}

QWidget* AppContext::openProgramSetup() {
    auto* screen = new Placeholder(*this, QStringLiteral("ProgramSetup"),
                                   QStringLiteral("Program setup comes with a later version."),
                                   Placeholder::Leave::Close);
    screen->show();
    return screen;
}

QWidget* AppContext::openMicrForm() {
    auto* screen = new Placeholder(
        *this, QStringLiteral("MicrForm"),
        QStringLiteral("Help with MICR routing information comes with a later version."),
        Placeholder::Leave::Close);
    screen->show();
    return screen;
}

QWidget* AppContext::openPlaceholder(const QString& screen, const QString& detail) {
    auto* placeholder = new Placeholder(*this, screen, detail, Placeholder::Leave::Close);
    placeholder->show();
    return placeholder;
}
