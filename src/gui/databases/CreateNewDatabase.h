#pragma once

#include "ui_CreateNewDatabase.h"

#include <QWidget>

class AppContext;

/// Makes a new CHECK or DRAFT database from the template file.
class CreateNewDatabase : public QWidget {
    Q_OBJECT
public:
    explicit CreateNewDatabase(AppContext& context);

    void load();

private slots:
    // The handlers, connected to the controls in the form.
    void createDatabase();
    void exitProgram();

private:
    AppContext& m_context;
    Ui::CreateNewDatabase m_ui;
};
