#pragma once

#include <QWidget>
#include <memory>

class AppContext;

namespace Ui {
class CreateNewDatabase;
}

/// Makes a new CHECK or DRAFT database from the template file.
class CreateNewDatabase : public QWidget {
    Q_OBJECT
public:
    explicit CreateNewDatabase(AppContext& context);
    ~CreateNewDatabase() override;

    void load();

private slots:
    // The handlers, connected to the controls in the form.
    void createDatabase();
    void exitProgram();

private:
    AppContext& m_context;
    std::unique_ptr<Ui::CreateNewDatabase> m_ui;
};
