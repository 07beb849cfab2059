#include "gui/start/Pass.h"

#include "gui/app/AppContext.h"
#include "core/settings/Password.h"
#include "core/settings/SettingsDb.h"
#include "gui/platform/Accessible.h"
#include "core/platform/Database.h"
#include "core/platform/Failure.h"
#include "core/platform/Printer.h"
#include "core/platform/Program.h"
#include "core/platform/RecordSet.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kMicrFont = QStringLiteral("MICR65");
const QString kReminder = QStringLiteral(
    "The default password to use this software is [tulip] without the brackets. You should "
    "change the password as soon as possible by entering the current password and then choosing "
    "the [change password] button. NOTE: Remember your password! If you forget your password you "
    "will have to reinstall this software to use the program!! ");
} // namespace

Pass::Pass(AppContext& context) : m_context(context) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Pass"));
    setWindowTitle(QStringLiteral("Password"));

    m_programName = new QLabel(this);
    m_programName->setObjectName(QStringLiteral("ProgramName"));
    QFont big = m_programName->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    m_programName->setFont(big);
    auto* tm = new QLabel(QStringLiteral("TM"), this);
    tm->setObjectName(QStringLiteral("Label1"));
    tm->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("Version"));
    auto* prompt = new QLabel(QStringLiteral("Enter Program Password:"), this);
    prompt->setObjectName(QStringLiteral("Label3"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    Accessible::label(prompt, m_password);

    auto* agree = new QPushButton(QStringLiteral("&Agree"), this);
    agree->setObjectName(QStringLiteral("Command1"));
    agree->setDefault(true);
    auto* disagree = new QPushButton(QStringLiteral("&Disagree"), this);
    disagree->setObjectName(QStringLiteral("Command2"));
    auto* change = new QPushButton(QStringLiteral("&Change Password"), this);
    change->setObjectName(QStringLiteral("Command3"));

    auto* title = new QHBoxLayout;
    title->addWidget(m_programName);
    title->addWidget(tm);
    title->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(agree);
    buttons->addWidget(disagree);
    buttons->addWidget(change);
    auto* layout = new QGridLayout(this);
    layout->addLayout(title, 0, 0, 1, 2);
    layout->addWidget(m_version, 1, 0, 1, 2);
    layout->addWidget(prompt, 2, 0);
    layout->addWidget(m_password, 2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);

    setTabOrder(m_password, agree);
    setTabOrder(agree, disagree);
    setTabOrder(disagree, change);

    connect(agree, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Enter in the box agrees, as the default button of the window.
    connect(m_password, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    connect(disagree, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(change, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

Pass::~Pass() = default;

void Pass::load() {
    Program& program = m_context.program();
    const bool opened = tellIfFails(m_context.prompter(), [&] {
        auto db = Database::open(program.path(SettingsDb::kFileName));
        m_data1 = std::make_unique<RecordSet>(db, QStringLiteral("A"));
        m_data2 = std::make_unique<RecordSet>(db, QStringLiteral("Properties"));
    });
    if (!opened) {
        program.end(1);
        return;
    }

    for (int i = 1; i <= 3; ++i)
        skipIfFails([&] {
            program.setAboutLine(
                i, m_data2->value(QStringLiteral("HelpAboutLine%1").arg(i)).toString());
        });
    program.setNameAndVersion(QString::fromLatin1(Program::kName),
                              QString::fromLatin1(Program::kVersion));
    m_programName->setText(program.name());
    m_version->setText(program.version());

    show();
    m_password->setFocus();

    bool hasFont = false;
    skipIfFails([&] { hasFont = PrinterHasFont(m_context.printer(), kMicrFont); });
    if (!hasFont)
        m_context.openFontFailure();

    bool isDefault = false;
    skipIfFails([&] {
        isDefault = Password::matches(m_data1->value(QStringLiteral("ENTER")),
                                      QString::fromLatin1(Password::kDefault));
    });
    if (isDefault)
        m_context.prompter().message(kReminder);
}

std::optional<bool> Pass::passwordIsCorrect() {
    bool correct = false;
    const bool read = tellIfFails(m_context.prompter(), [&] {
        const QVariant stored = m_data1->value(QStringLiteral("ENTER"));
        correct = Password::matches(stored, m_password->text());
        // A password kept in plain text by an older settings file is replaced by its hash
        // the first time it is entered correctly.
        if (correct && !Password::isHash(stored))
            skipIfFails([&] {
                m_data1->edit();
                m_data1->setValue(QStringLiteral("ENTER"), Password::hash(m_password->text()));
                m_data1->update();
            });
    });
    if (!read)
        return std::nullopt;
    return correct;
}

void Pass::Command1_Click() {
    const auto correct = passwordIsCorrect();
    if (!correct)
        return;
    if (!*correct) {
        m_context.prompter().message(
            QStringLiteral("Invalid password! Please enter the correct password"));
        return;
    }
    m_context.openFileOpen();
    close();
}

void Pass::Command2_Click() {
    m_context.program().end();
}

void Pass::Command3_Click() {
    const auto correct = passwordIsCorrect();
    if (!correct)
        return;
    if (!*correct) {
        m_context.prompter().message(QStringLiteral(
            "Invalid password! You must first enter the correct password to change the password."));
        return;
    }
    m_context.openChangePass();
    close();
}
