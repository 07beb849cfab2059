#include "gui/start/Pass.h"

#include "core/platform/Failure.h"
#include "core/platform/Printer.h"
#include "core/platform/Program.h"
#include "core/print/Stock.h"
#include "core/settings/PasswordStore.h"
#include "core/settings/SettingsDb.h"
#include "core/settings/SettingsRecord.h"
#include "gui/app/AppContext.h"
#include "gui/platform/FirstPaint.h"
#include "gui/platform/ScreenForm.h"

#include <QCoreApplication>
#include <QThread>

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

Pass::~Pass() {
    waitForDefaultCheck();
}

void Pass::waitForDefaultCheck() {
    if (m_defaultCheck)
        m_defaultCheck->wait();
}

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

    // The password hash is slow on purpose, and the 64 MB it works in hold up every other
    // allocation of the program while they are mapped; the printer's font list takes the
    // whole font database to be read. Both wait until the window is painted: the font
    // check then runs, and whether the stored password is the default one is worked out on
    // a thread of its own, the reminder following. The reminder is a courtesy; a password
    // that cannot be read or checked is told at Agree.
    skipIfFails([&] { m_isDefaultCheck = m_passwords->defaultCheck(); });

    // An About line that cannot be read stays empty: the About screen shows it so.
    for (int i = 1; i <= 3; ++i)
        skipIfFails([&] { program.setAboutLine(i, settings->aboutLine(i)); });
    program.setNameAndVersion(QString::fromLatin1(Program::kName),
                              QString::fromLatin1(Program::kVersion));
    m_ui.ProgramName->setText(program.name());
    m_ui.Version->setText(program.version());

    FirstPaint::then(this, [this] { afterShown(); });
    show();
    m_ui.Password->setFocus();
}

void Pass::afterShown() {
    // A font list that cannot be read counts as one without the MICR font: the notice
    // says how to install it, and the password prompt works either way.
    bool hasFont = false;
    skipIfFails([&] { hasFont = PrinterHasFont(m_context.printer(), PrintFaces::kMicr); });
    if (!hasFont)
        m_context.openFontFailure();

    if (!m_isDefaultCheck) {
        m_reminderDecided = true;
        return;
    }
    m_defaultCheck.reset(QThread::create(
        [this, isDefault = m_isDefaultCheck] { skipIfFails([&] { m_isDefault = isDefault(); }); }));
    connect(m_defaultCheck.get(), &QThread::finished, this, &Pass::remindIfDefault);
    // A program that ends meanwhile waits for the thread, which touches this screen.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            &Pass::waitForDefaultCheck);
    m_defaultCheck->start();
}

void Pass::remindIfDefault() {
    // A screen already left (the right password was quicker) reminds of nothing.
    if (m_isDefault && isVisible())
        m_context.prompter().message(kReminder);
    m_reminderDecided = true;
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
