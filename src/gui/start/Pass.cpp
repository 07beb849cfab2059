#include "gui/start/Pass.h"

#include "core/platform/Failure.h"
#include "core/platform/Printer.h"
#include "core/platform/Program.h"
#include "core/print/Stock.h"
#include "core/settings/PasswordStore.h"
#include "core/settings/SettingsDb.h"
#include "core/settings/SettingsRecord.h"
#include "gui/app/AppContext.h"
#include "gui/platform/ScreenForm.h"

namespace {
const QString kReminder = QStringLiteral(
    "The default password to use this software is [tulip] without the brackets. You should "
    "change the password as soon as possible by entering the current password and then choosing "
    "the [change password] button. NOTE: Remember your password! If you forget your password you "
    "will have to reinstall this software to use the program!! ");
} // namespace

Pass::Pass(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
    // The program name stands out at twice the size of the desktop's font.
    QFont big = m_ui.ProgramName->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    m_ui.ProgramName->setFont(big);
}

Pass::~Pass() = default;

void Pass::load() {
    Program& program = m_context.program();
    const QString settingsPath = program.path(SettingsDb::kFileName);
    std::unique_ptr<SettingsRecord> settings;
    const bool opened = tellIfFails(m_context.prompter(), [&] {
        m_passwords = std::make_unique<PasswordStore>(settingsPath);
        settings = std::make_unique<SettingsRecord>(settingsPath);
    });
    if (!opened) {
        program.end(1);
        return;
    }

    // An About line that cannot be read stays empty: the About screen shows it so.
    for (int i = 1; i <= 3; ++i)
        skipIfFails([&] { program.setAboutLine(i, settings->aboutLine(i)); });
    program.setNameAndVersion(QString::fromLatin1(Program::kName),
                              QString::fromLatin1(Program::kVersion));
    m_ui.ProgramName->setText(program.name());
    m_ui.Version->setText(program.version());

    show();
    m_ui.Password->setFocus();

    // A font list that cannot be read counts as one without the MICR font: the notice
    // says how to install it, and the password prompt works either way.
    bool hasFont = false;
    skipIfFails([&] { hasFont = PrinterHasFont(m_context.printer(), PrintFaces::kMicr); });
    if (!hasFont)
        m_context.openFontFailure();

    // The reminder is a courtesy; a password that cannot be read is told at Agree.
    bool isDefault = false;
    skipIfFails([&] { isDefault = m_passwords->isDefault(); });
    if (isDefault)
        m_context.prompter().message(kReminder);
}

void Pass::agree() {
    tellIfFails(m_context.prompter(), [&] {
        if (!m_passwords->check(m_ui.Password->text())) {
            m_context.prompter().message(
                QStringLiteral("Invalid password! Please enter the correct password"));
            return;
        }
        m_context.openFileOpen();
        close();
    });
}

void Pass::disagree() {
    m_context.program().end();
}

void Pass::changePassword() {
    tellIfFails(m_context.prompter(), [&] {
        if (!m_passwords->check(m_ui.Password->text())) {
            m_context.prompter().message(
                QStringLiteral("Invalid password! You must first enter the correct password to "
                               "change the password."));
            return;
        }
        m_context.openChangePass();
        close();
    });
}
