#include "gui/start/ChangePass.h"

#include "gui/app/AppContext.h"
#include "core/settings/Password.h"
#include "core/settings/SettingsDb.h"
#include "gui/platform/Accessible.h"
#include "core/platform/Database.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/RecordSet.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ChangePass::ChangePass(AppContext& context) : m_context(context) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("ChangePass"));
    setWindowTitle(QStringLiteral("ChangePass"));

    auto* intro = new QLabel(
        QStringLiteral("To change your password - enter it twice below and choose Change Password"),
        this);
    intro->setObjectName(QStringLiteral("Label2"));
    intro->setWordWrap(true);
    auto* first = new QLabel(QStringLiteral("Enter NEW Program Password Here:"), this);
    first->setObjectName(QStringLiteral("Label3"));
    m_password1 = new QLineEdit(this);
    m_password1->setObjectName(QStringLiteral("Password1"));
    auto* second = new QLabel(QStringLiteral("And Here:"), this);
    second->setObjectName(QStringLiteral("Label1"));
    m_password2 = new QLineEdit(this);
    m_password2->setObjectName(QStringLiteral("Password2"));
    for (QLineEdit* box : {m_password1, m_password2}) {
        box->setEchoMode(QLineEdit::Password);
        box->setMaxLength(49);
    }
    Accessible::label(first, m_password1);
    Accessible::label(second, m_password2);

    auto* change = new QPushButton(QStringLiteral("Change Password"), this);
    change->setObjectName(QStringLiteral("Command3"));
    change->setDefault(true);
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Command2"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(change);
    buttons->addWidget(exit);
    auto* layout = new QGridLayout(this);
    layout->addWidget(intro, 0, 0, 1, 2);
    layout->addWidget(first, 1, 0);
    layout->addWidget(m_password1, 1, 1);
    layout->addWidget(second, 2, 0);
    layout->addWidget(m_password2, 2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);

    setTabOrder(m_password1, m_password2);
    setTabOrder(m_password2, change);
    setTabOrder(change, exit);

    connect(change, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(m_password2, &QLineEdit::returnPressed, this, [this] { Command3_Click(); });
    connect(exit, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

ChangePass::~ChangePass() = default;

void ChangePass::load() {
    const bool opened = tellIfFails(m_context.prompter(), [&] {
        auto db = Database::open(m_context.program().path(SettingsDb::kFileName));
        m_data1 = std::make_unique<RecordSet>(db, QStringLiteral("A"));
        m_data2 = std::make_unique<RecordSet>(db, QStringLiteral("Properties"));
    });
    show();
    m_password1->setFocus();
    if (!opened)
        m_context.program().end(1);
}

void ChangePass::Command3_Click() {
    if (m_password1->text() != m_password2->text()) {
        m_context.prompter().message(QStringLiteral("Passwords do not match!"));
        m_context.openPass();
        close();
        return;
    }
    const bool stored = tellIfFails(m_context.prompter(), [&] {
        m_data1->edit();
        m_data1->setValue(QStringLiteral("ENTER"), Password::hash(m_password2->text().toLower()));
        m_data1->update();
    });
    if (!stored)
        return;
    m_context.prompter().message(
        QStringLiteral("Your password has been changed! Be sure to remember your new password. If "
                       "you forget it, you will need to reinstall this program to use it again."));
    m_context.openFileOpen();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Pass") && w->isVisible())
            w->close();
    close();
}

void ChangePass::Command2_Click() {
    m_context.program().end();
}
