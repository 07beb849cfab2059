#pragma once

#include "ui_ChangePass.h"

#include <QWidget>
#include <memory>

class AppContext;
class PasswordStore;

/// Changes the program password: the new password entered twice.
class ChangePass : public QWidget {
    Q_OBJECT
public:
    explicit ChangePass(AppContext& context);
    ~ChangePass() override;

    void load();

private slots:
    // The handlers, connected to the controls in the form.
    void changePassword();
    void exitProgram();

private:
    AppContext& m_context;
    Ui::ChangePass m_ui;
    std::unique_ptr<PasswordStore> m_passwords;
};
