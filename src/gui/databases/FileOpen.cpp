#include "gui/databases/FileOpen.h"

#include "gui/app/AppContext.h"
#include "core/databases/CheckDb.h"
#include "core/databases/DatabaseFiles.h"
#include "gui/platform/Accessible.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

const QString FileOpen::kNoDatabases = QStringLiteral(
    "Before you can use Ledgerline, you must create a database. Each database is a separate set of "
    "checks that are not related in any way to any other database. \n\nLedgerline has two "
    "different "
    "types of databases - DRAFT and CHECK databases. A draft database allows you to print drafts "
    "for "
    "deposit in your bank account and a check database allows you to print checks from your bank "
    "account. We strongly suggest you create a few different databases for your needs. \n\nFor "
    "example, you may wish to create a separate database file for monthly draft accounts (these "
    "will "
    "be printed every month), another for normal drafts (that are printed one time), another for "
    "employee payroll checks and another for your business checking account so you can print your "
    "own checks.  \n\nChoose the Create New Database button to create the database.");

namespace {

const QString kChoosing = QStringLiteral(
    "Each database is a separate set of checks that are not related in any way to any other "
    "database.  \n\nLedgerline has two different types of databases - DRAFT and CHECK databases. A "
    "draft database allows you to print drafts for deposit in your bank account and a check "
    "database "
    "allows you to print checks from your bank account.  We strongly suggest you create a few "
    "different databases for your needs.  \n\nFor example, you may wish to create a separate "
    "database file for monthly draft accounts (these will be printed every month), another for "
    "normal drafts (that are printed one time), another for employee payroll checks and another "
    "for "
    "your business checking account so you can print your own checks. ");

const QString kRestoring = QStringLiteral(
    "To restore a corrupted database, you will need to delete and rename files in the Ledgerline "
    "program directory.  \n\nThis can usually be done with File Manager or Windows Explorer.   \n\n"
    "Step 1, you will need to delete the original corrupted file (example: PDRAFT.MDB)   \n\nStep "
    "2, "
    "Rename the backup file to the name of the original (example: rename PDRAFT.BAK to be "
    "PDRAFT.MDB)");

} // namespace

FileOpen::FileOpen(AppContext& context) : m_context(context) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FileOpen"));
    setWindowTitle(QStringLiteral("Choose a Database to Use"));

    auto* central = new QWidget(this);
    auto* intro = new QLabel(
        QStringLiteral(
            "Choose a database file from the list and press OK to use it. You may create "
            "a new database by choosing the \"Create New Database\" button. You can "
            "create as many databases as you need. For additional information, refer to "
            "the \"choosing a database\" section of the online manual."),
        central);
    intro->setObjectName(QStringLiteral("Label1"));
    intro->setWordWrap(true);
    m_files = new QListWidget(central);
    m_files->setObjectName(QStringLiteral("File1"));
    Accessible::name(m_files, QStringLiteral("Database files"));
    auto* ok = new QPushButton(QStringLiteral("OK"), central);
    ok->setObjectName(QStringLiteral("FileOK"));
    ok->setDefault(true);
    auto* create = new QPushButton(QStringLiteral("Create New Database"), central);
    create->setObjectName(QStringLiteral("cndb"));
    auto* exit = new QPushButton(QStringLiteral("Exit"), central);
    exit->setObjectName(QStringLiteral("Exit1"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(create);
    buttons->addWidget(exit);
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(m_files, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(intro);
    layout->addLayout(row, 1);
    setCentralWidget(central);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Helpod"));
    QAction* cocad = help->addAction(QStringLiteral("Choosing or Creating a Database"));
    cocad->setObjectName(QStringLiteral("cocad"));
    QAction* racdb = help->addAction(QStringLiteral("Restoring a Corrupt Database"));
    racdb->setObjectName(QStringLiteral("racdb"));
    QAction* about = menuBar()->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("FileOpenAbout"));

    setTabOrder(m_files, ok);
    setTabOrder(ok, create);
    setTabOrder(create, exit);

    connect(ok, &QPushButton::clicked, this, [this] { FileOK_Click(); });
    connect(m_files, &QListWidget::itemDoubleClicked, this, [this] { FileOK_Click(); });
    connect(m_files, &QListWidget::itemActivated, this, [this] { FileOK_Click(); });
    connect(create, &QPushButton::clicked, this, [this] { cndb_Click(); });
    connect(exit, &QPushButton::clicked, this, [this] { Exit1_Click(); });
    connect(cocad, &QAction::triggered, this, [this] { cocad_Click(); });
    connect(racdb, &QAction::triggered, this, [this] { racdb_Click(); });
    connect(about, &QAction::triggered, this, [this] { FileOpenAbout_Click(); });
    resize(520, 340);
}

void FileOpen::load() {
    show();
    m_files->clear();
    m_files->addItems(DatabaseFiles::list(m_context.program().folder()));
    if (m_files->count() == 0)
        m_context.prompter().message(kNoDatabases);
    m_files->setFocus();
}

void FileOpen::FileOK_Click() {
    // A double click also activates the item; the chooser leaves only once.
    if (m_leaving)
        return;
    QListWidgetItem* item = m_files->currentItem();
    if (!item || !item->isSelected()) {
        m_context.prompter().message(
            QStringLiteral("Please select a file from the list and then choose OK"),
            QStringLiteral("No File Selected!"));
        return;
    }
    const QString file = item->text();
    // A file that Ledgerline cannot use is refused here, before anything opens it for writing.
    if (const QString why = CheckDb::problem(m_context.program().path(file)); !why.isEmpty()) {
        m_context.prompter().message(why, {}, Prompter::Icon::Warning);
        return;
    }
    m_leaving = true;
    m_context.program().setCurrentDatabase(file);
    m_context.openCheck();
    close();
}

void FileOpen::cndb_Click() {
    m_leaving = true;
    m_context.openCreateNewDatabase();
    close();
}

void FileOpen::Exit1_Click() {
    m_context.program().end();
}

void FileOpen::cocad_Click() {
    m_context.prompter().message(kChoosing);
}

void FileOpen::racdb_Click() {
    m_context.prompter().message(kRestoring);
}

void FileOpen::FileOpenAbout_Click() {
    m_context.openHelpAbout();
}
