#pragma once

#include <QMainWindow>

class AppContext;
class QListWidget;

/// The database chooser: lists the check databases of the program folder.
class FileOpen : public QMainWindow {
    Q_OBJECT
public:
    explicit FileOpen(AppContext& context);
    void load();

    static const QString kNoDatabases;

private:
    void FileOK_Click();
    void cndb_Click();
    void Exit1_Click();
    void cocad_Click();
    void racdb_Click();
    void FileOpenAbout_Click();

    AppContext& m_context;
    QListWidget* m_files;
    bool m_leaving = false;
};
