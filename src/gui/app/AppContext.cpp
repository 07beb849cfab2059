#include "gui/app/AppContext.h"

#include "gui/start/ChangePass.h"
#include "gui/start/Pass.h"
#include "gui/app/Placeholder.h"
#include "gui/databases/CreateNewDatabase.h"
#include "gui/databases/FileOpen.h"
#include "gui/databases/PleaseWait.h"
#include "gui/entry/Check.h"
#include "gui/start/FontFailure.h"

#include <QApplication>

AppContext::AppContext(Program& program, Prompter& prompter, Clock& clock, Printer& printer)
    : m_program(program), m_prompter(prompter), m_clock(clock), m_printer(printer) {}

namespace {
// To open a screen is to load it; its load shows it.
template <class Screen> QWidget* loaded(Screen* screen) {
    screen->load();
    return screen;
}
} // namespace

QWidget* AppContext::openPass() {
    return loaded(new Pass(*this));
}

QWidget* AppContext::openChangePass() {
    return loaded(new ChangePass(*this));
}

QWidget* AppContext::openFontFailure() {
    auto* screen = new FontFailure();
    screen->show();
    return screen;
}

QWidget* AppContext::openFileOpen() {
    return loaded(new FileOpen(*this));
}

QWidget* AppContext::openCreateNewDatabase() {
    return loaded(new CreateNewDatabase(*this));
}

QWidget* AppContext::openPleaseWait() {
    auto* screen = new PleaseWait();
    screen->show();
    return screen;
}

QWidget* AppContext::openCheck() {
    return loaded(new Check(*this));
}

QWidget* AppContext::openHelpAbout() {
    return openPlaceholder(QStringLiteral("HelpAbout"),
                           QStringLiteral("The About screen comes with a later version."));
}

QWidget* AppContext::openPrinterControl() {
    // Every way out of printing leads back to data entry.
    auto* screen =
        new Placeholder(QStringLiteral("PrinterControl"),
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
    return openPlaceholder(QStringLiteral("ExportFile"),
                           QStringLiteral("Export and import come with a later version."));
}

QWidget* AppContext::openProgramSetup() {
    return openPlaceholder(QStringLiteral("ProgramSetup"),
                           QStringLiteral("Program setup comes with a later version."));
}

QWidget* AppContext::openMicrForm() {
    return openPlaceholder(
        QStringLiteral("MicrForm"),
        QStringLiteral("Help with MICR routing information comes with a later version."));
}

QWidget* AppContext::openPlaceholder(const QString& screen, const QString& detail) {
    auto* placeholder = new Placeholder(screen, detail);
    placeholder->show();
    return placeholder;
}

void AppContext::closeScreen(const QString& screen) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == screen && w->isVisible())
            w->close();
}
