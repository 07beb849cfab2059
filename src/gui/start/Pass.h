#pragma once

#include "ui_Pass.h"

#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>

class AppContext;
class PasswordStore;
class QThread;

/// The start-up screen: reads the About lines, checks for the MICR font, reminds the
/// user of the default password and asks for the program password.
class Pass : public QWidget {
    Q_OBJECT
public:
    explicit Pass(AppContext& context);
    ~Pass() override;

    /// The load sequence: settings file, About lines, program name, show; once the window
    /// is painted, the font check and the default-password reminder. Whether the password
    /// is still the default one takes a tenth of a second to work out: that is done on a
    /// thread of its own, and the reminder follows as soon as the answer is known.
    void load();

    /// True once the font check is done and the screen knows whether the password is the
    /// default one, and has reminded the user if it is (or cannot know).
    bool reminderDecided() const { return m_reminderDecided; }

private slots:
    // The handlers, connected to the controls in the form.
    void agree();
    void disagree();
    void changePassword();

private:
    /// The font check, and the default-password check started.
    void afterShown();
    /// Shows the reminder once the password was found to be the default one.
    void remindIfDefault();
    void waitForDefaultCheck();

    AppContext& m_context;
    Ui::Pass m_ui;
    std::unique_ptr<PasswordStore> m_passwords;
    std::function<bool()> m_isDefaultCheck; // the question, asked once painted
    std::unique_ptr<QThread> m_defaultCheck;
    std::atomic<bool> m_isDefault = false; // written by that thread before it ends
    bool m_reminderDecided = false;
};
