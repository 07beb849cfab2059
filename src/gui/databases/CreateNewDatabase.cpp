#include "gui/databases/CreateNewDatabase.h"

#include "gui/app/AppContext.h"
#include "core/databases/DatabaseFiles.h"
#include "gui/platform/Accessible.h"
#include "core/platform/DbError.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

const QString CreateNewDatabase::kFailure =
    QStringLiteral("The database cannot be created. Make sure you have: 1. Not entered the "
                   "filename of a file that "
                   "already exists, 2. Have at least 1 MB disk space available to create the file, "
                   "3. Entered only "
                   "letters, spaces and numbers for the file name.");

CreateNewDatabase::CreateNewDatabase(AppContext& context) : m_context(context) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("CreateNewDatabase"));
    setWindowTitle(QStringLiteral("Create New Database"));

    auto* step1 = new QLabel(QStringLiteral("1. Select the type of database to create:"), this);
    step1->setObjectName(QStringLiteral("Label1"));
    m_draft = new QRadioButton(
        QStringLiteral("Draft Database  (prints draft checks for deposit into your account)"),
        this);
    m_draft->setObjectName(QStringLiteral("Option1"));
    m_check = new QRadioButton(
        QStringLiteral("Check Database  (Prints checks from your bank account)"), this);
    m_check->setObjectName(QStringLiteral("Option2"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_draft);
    group->addButton(m_check);
    // A new database always gets its kind: the check database is chosen until the user
    // picks the other.
    m_check->setChecked(true);

    auto* step2 = new QLabel(
        QStringLiteral(
            "2. Enter up to 36  letters, numbers or spaces for the name of the new Database:"),
        this);
    step2->setObjectName(QStringLiteral("Label2"));
    step2->setWordWrap(true);
    auto* nameLabel = new QLabel(QStringLiteral("Enter a name for the Database:"), this);
    nameLabel->setObjectName(QStringLiteral("Label3"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("NewDb"));
    m_name->setMaxLength(36);
    Accessible::label(nameLabel, m_name);
    auto* descLabel = new QLabel(QStringLiteral("Enter a description of the Database:"), this);
    descLabel->setObjectName(QStringLiteral("Text2"));
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("DbDesc"));
    m_description->setMaxLength(49);
    Accessible::label(descLabel, m_description);

    auto* create = new QPushButton(QStringLiteral("&Create Database"), this);
    create->setObjectName(QStringLiteral("Command1"));
    create->setDefault(true);
    auto* exit = new QPushButton(QStringLiteral("&Exit"), this);
    exit->setObjectName(QStringLiteral("Exit1"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(create);
    buttons->addWidget(exit);
    auto* layout = new QGridLayout(this);
    layout->addWidget(step1, 0, 0, 1, 2);
    layout->addWidget(m_draft, 1, 0, 1, 2);
    layout->addWidget(m_check, 2, 0, 1, 2);
    layout->addWidget(step2, 3, 0, 1, 2);
    layout->addWidget(nameLabel, 4, 0);
    layout->addWidget(m_name, 4, 1);
    layout->addWidget(descLabel, 5, 0);
    layout->addWidget(m_description, 5, 1);
    layout->addLayout(buttons, 6, 0, 1, 2);

    setTabOrder(m_draft, m_check);
    setTabOrder(m_check, m_name);
    setTabOrder(m_name, m_description);
    setTabOrder(m_description, create);
    setTabOrder(create, exit);

    connect(create, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(m_description, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    connect(exit, &QPushButton::clicked, this, [this] { Exit1_Click(); });
}

void CreateNewDatabase::load() {
    show();
    m_name->setFocus();
}

void CreateNewDatabase::Command1_Click() {
    const QString name = m_name->text();
    const QDir folder = m_context.program().folder();
    // The description the user typed is what the data-entry window shows; without one, the
    // name stands in.
    const QString description = m_description->text().isEmpty() ? name : m_description->text();
    const CheckDb::Kind kind = m_draft->isChecked() ? CheckDb::Kind::Draft : CheckDb::Kind::Check;

    if (!DatabaseFiles::isValidName(name) ||
        DatabaseFiles::nameIsTaken(folder, name + QStringLiteral(".mdb"))) {
        m_context.prompter().message(kFailure);
        return;
    }
    try {
        DatabaseFiles::create(folder, name, description, kind);
    } catch (const DbError& e) {
        // The name was fine, so say what else stood in the way.
        m_context.prompter().message(kFailure + QStringLiteral("\n\n") + e.message());
        return;
    }
    m_context.prompter().message(QStringLiteral("Your new database has been created"),
                                 QStringLiteral("Notice"));
    m_context.openFileOpen();
    close();
}

void CreateNewDatabase::Exit1_Click() {
    m_context.program().end();
}
