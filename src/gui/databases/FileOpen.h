#pragma once

#include "ui_FileOpen.h"

#include <QMainWindow>

class AppContext;

/// The database chooser: lists the check databases of the program folder.
class FileOpen : public QMainWindow {
    Q_OBJECT
public:
    explicit FileOpen(AppContext& context);

    void load();

private slots:
    // The handlers, connected to the controls in the form.
    void useChosenDatabase();
    void createDatabase();
    void exitProgram();
    void explainChoosing();
    void explainRestoring();
    void openAbout();

private:
    AppContext& m_context;
    Ui::FileOpen m_ui;
    bool m_leaving = false;
};
