#pragma once

#include "ui_FileOpen.h"

#include <QMainWindow>

class AppContext;

/// The database chooser: lists the check databases of the program folder and, where a
/// database server is set up, those on the server, marked as such; and moves a database to
/// the server and back.
class FileOpen : public QMainWindow {
    Q_OBJECT
public:
    explicit FileOpen(AppContext& context);

    /// Shows the screen; once it is painted, lists the databases of the program folder
    /// (and explains how to make one when there is none).
    void load();

    /// True once the databases are listed.
    bool listed() const { return m_listed; }

private slots:
    // The handlers, connected to the controls in the form.
    void useChosenDatabase();
    void createDatabase();
    void exitProgram();
    void explainChoosing();
    void explainRestoring();
    void openAbout();
    void moveToServer();
    void moveToFile();
    void openServerSetup();

private:
    /// Lists the databases once the window is painted, and explains when there is none.
    void listDatabases();
    /// Fills the list: the files of the program folder, then the databases on the server.
    void list();
    /// The database the selected item stands for (a file name, or a server location);
    /// empty when none is selected, after telling the user.
    QString chosen();

    AppContext& m_context;
    Ui::FileOpen m_ui;
    bool m_leaving = false;
    bool m_listed = false;
};
