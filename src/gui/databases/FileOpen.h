#pragma once

#include <QMainWindow>
#include <memory>

class AppContext;

namespace Ui {
class FileOpen;
}

/// The database chooser: lists the check databases of the program folder.
class FileOpen : public QMainWindow {
    Q_OBJECT
public:
    explicit FileOpen(AppContext& context);
    ~FileOpen() override;

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
    std::unique_ptr<Ui::FileOpen> m_ui;
    bool m_leaving = false;
};
