#pragma once

#include <QString>
#include <memory>

class Clock;
class PrintDialogs;
class ServerSignIn;
class Printer;
class Program;
class Prompter;
class QWidget;

/// What every screen is given: the program-wide state, the way to ask the user, the
/// calendar and the printer; and the way to open the other screens. Opening a screen
/// loads it, and its load shows it. A screen that leaves opens the next one first and
/// then closes itself.
class AppContext {
public:
    /// The printing dialogs are the system's, on `printer` where it is the system's printer.
    AppContext(Program& program, Prompter& prompter, Clock& clock, Printer& printer);
    ~AppContext();

    Program& program() const { return m_program; }
    Prompter& prompter() const { return m_prompter; }
    Clock& clock() const { return m_clock; }
    Printer& printer() const { return m_printer; }
    /// The printer setup dialog and the print preview window.
    PrintDialogs& printDialogs() const { return *m_printDialogs; }
    /// Puts other printing dialogs in place of the system's (tests answer them).
    void setPrintDialogs(PrintDialogs& dialogs) { m_printDialogs = &dialogs; }
    /// How the windows reach the database server.
    ServerSignIn& serverSignIn() const { return *m_serverSignIn; }

    QWidget* openPass();
    QWidget* openChangePass();
    QWidget* openFontFailure();
    QWidget* openFileOpen();
    QWidget* openCreateNewDatabase();
    QWidget* openPleaseWait();
    QWidget* openCheck();
    QWidget* openHelpAbout();
    QWidget* openPrinterControl();
    QWidget* openAlignPrinter();
    QWidget* openExportFile();
    QWidget* openProgramSetup();
    QWidget* openServerSetup();
    QWidget* openMicrForm();
    QWidget* openRegister();
    QWidget* openPositivePayExport();

    /// Closes every open window of a screen (by its name), for a screen that leaves for
    /// another and takes one it came from down with it.
    void closeScreen(const QString& screen);

private:
    Program& m_program;
    Prompter& m_prompter;
    Clock& m_clock;
    Printer& m_printer;
    std::unique_ptr<PrintDialogs> m_systemDialogs;
    PrintDialogs* m_printDialogs;
    std::unique_ptr<ServerSignIn> m_serverSignIn;
};
