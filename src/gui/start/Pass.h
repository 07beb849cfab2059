#pragma once

#include "ui_Pass.h"

#include <QWidget>
#include <memory>

class AppContext;
class PasswordStore;

/// The start-up screen: reads the About lines, checks for the MICR font, reminds the
/// user of the default password and asks for the program password.
class Pass : public QWidget {
    Q_OBJECT
public:
    explicit Pass(AppContext& context);
    ~Pass() override;

    /// The load sequence: settings file, About lines, program name, show, font check,
    /// default-password reminder.
    void load();

private slots:
    // The handlers, connected to the controls in the form.
    void agree();
    void disagree();
    void changePassword();

private:
    AppContext& m_context;
    Ui::Pass m_ui;
    std::unique_ptr<PasswordStore> m_passwords;
};
