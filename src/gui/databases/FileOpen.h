#pragma once

#include "ui_FileOpen.h"

#include <QMainWindow>

class AppContext;

/// The database chooser: lists the check databases of the program folder.
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

private:
    void listDatabases();

    AppContext& m_context;
    Ui::FileOpen m_ui;
    bool m_leaving = false;
    bool m_listed = false;
};
