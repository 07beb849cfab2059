#include "gui/app/AppContext.h"

#include "gui/app/ServerSignIn.h"
#include "gui/databases/CreateNewDatabase.h"
#include "gui/databases/FileOpen.h"
#include "gui/databases/PleaseWait.h"
#include "gui/entry/Check.h"
#include "gui/exchange/ExportFile.h"
#include "gui/help/HelpAbout.h"
#include "gui/help/MicrForm.h"
#include "gui/platform/QtPrintDialogs.h"
#include "gui/platform/QtPrinter.h"
#include "gui/print/AlignPrinter.h"
#include "gui/print/PrinterControl.h"
#include "gui/register/PositivePayExport.h"
#include "gui/register/Register.h"
#include "gui/setup/ProgramSetup.h"
#include "gui/setup/ServerSetup.h"
#include "gui/start/ChangePass.h"
#include "gui/start/FontFailure.h"
#include "gui/start/Pass.h"

#include <QApplication>

#include <QApplication>

AppContext::AppContext(Program& program, Prompter& prompter, Clock& clock, Printer& printer)
    : m_program(program), m_prompter(prompter), m_clock(clock), m_printer(printer),
      m_systemDialogs(
          std::make_unique<QtPrintDialogs>(dynamic_cast<QtPrinter*>(&printer), prompter)),
      m_printDialogs(m_systemDialogs.get()),
      m_serverSignIn(std::make_unique<ServerSignIn>(program, prompter)) {
    Database::setServerAccess(m_serverSignIn.get());
}

AppContext::~AppContext() {
    if (Database::serverAccess() == m_serverSignIn.get())
        Database::setServerAccess(nullptr);
}

namespace {
// To open a screen is to load it; its load shows it.
template <class Screen> QWidget* loaded(Screen* screen) {
    screen->load();
    return screen;
}

// A screen that opens on top of data entry is there once: asked for again, the open one
// comes to the front, so two copies never store over each other.
template <class Screen> QWidget* raised() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* open = qobject_cast<Screen*>(w); open && open->isVisible()) {
            open->raise();
            open->activateWindow();
            return open;
        }
    return nullptr;
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
    if (QWidget* open = raised<HelpAbout>())
        return open;
    return loaded(new HelpAbout(*this));
}

QWidget* AppContext::openPrinterControl() {
    return loaded(new PrinterControl(*this));
}

QWidget* AppContext::openAlignPrinter() {
    return loaded(new AlignPrinter(*this));
}

QWidget* AppContext::openExportFile() {
    if (QWidget* open = raised<ExportFile>())
        return open;
    return loaded(new ExportFile(*this));
}

QWidget* AppContext::openProgramSetup() {
    if (QWidget* open = raised<ProgramSetup>())
        return open;
    return loaded(new ProgramSetup(*this));
}

QWidget* AppContext::openServerSetup() {
    if (QWidget* open = raised<ServerSetup>())
        return open;
    return loaded(new ServerSetup(*this));
}

QWidget* AppContext::openMicrForm() {
    if (QWidget* open = raised<MicrForm>())
        return open;
    return loaded(new MicrForm());
}

QWidget* AppContext::openRegister() {
    if (QWidget* open = raised<Register>())
        return open;
    return loaded(new Register(*this));
}

QWidget* AppContext::openPositivePayExport() {
    if (QWidget* open = raised<PositivePayExport>())
        return open;
    return loaded(new PositivePayExport(*this));
}

void AppContext::closeScreen(const QString& screen) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == screen && w->isVisible())
            w->close();
}
