#include "gui/start/ChangePass.h"

#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/settings/PasswordStore.h"
#include "core/settings/SettingsDb.h"
#include "gui/app/AppContext.h"
#include "gui/platform/ScreenForm.h"

ChangePass::ChangePass(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
}

ChangePass::~ChangePass() = default;

void ChangePass::load() {
    const bool opened = tellIfFails(m_context.prompter(), [&] {
        m_passwords =
            std::make_unique<PasswordStore>(m_context.program().path(SettingsDb::kFileName));
    });
    show();
    m_ui.Password1->setFocus();
    if (!opened)
        m_context.program().end(1);
}

void ChangePass::changePassword() {
    if (m_ui.Password1->text() != m_ui.Password2->text()) {
        m_context.prompter().message(QStringLiteral("Passwords do not match!"));
        m_context.openPass();
        close();
        return;
    }
    if (!tellIfFails(m_context.prompter(), [&] { m_passwords->change(m_ui.Password2->text()); }))
        return;
    m_context.prompter().message(
        QStringLiteral("Your password has been changed! Be sure to remember your new password. If "
                       "you forget it, you will need to reinstall this program to use it again."));
    m_context.openFileOpen();
    m_context.closeScreen(QStringLiteral("Pass"));
    close();
}

void ChangePass::exitProgram() {
    m_context.program().end();
}
