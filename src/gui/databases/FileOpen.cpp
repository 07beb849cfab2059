#include "gui/databases/FileOpen.h"

#include "core/databases/CheckDb.h"
#include "core/databases/DatabaseFiles.h"
#include "core/databases/ServerDatabases.h"
#include "core/platform/DbError.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/platform/ServerLocation.h"
#include "core/settings/ServerSettings.h"
#include "core/settings/SettingsDb.h"
#include "gui/app/AppContext.h"
#include "gui/platform/FirstPaint.h"
#include "gui/platform/ScreenForm.h"

namespace {

const QString kNoDatabases = QStringLiteral(
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
    ScreenForm::setUp(m_ui, this);
}

void FileOpen::load() {
    // A folder of thousands of databases takes a while to read: the window is on the
    // screen first, and the list follows.
    FirstPaint::then(this, [this] { listDatabases(); });
    show();
    m_ui.File1->setFocus();
}

void FileOpen::listDatabases() {
    list();
    m_listed = true;
    if (m_ui.File1->count() == 0)
        m_context.prompter().message(kNoDatabases);
}

void FileOpen::list() {
    m_ui.File1->clear();
    m_ui.File1->addItems(DatabaseFiles::list(m_context.program().folder()));
    // Without a server set up there is nothing more to list; a settings file that cannot be
    // read says so when the data-entry screen opens.
    bool serverSet = false;
    skipIfFails([&] {
        serverSet = ServerSettings::read(m_context.program().path(SettingsDb::kFileName)).isSet();
    });
    if (!serverSet)
        return;
    try {
        for (const QString& name : ServerDatabases::list()) {
            auto* item = new QListWidgetItem(ServerLocation::displayName(ServerLocation::of(name)),
                                             m_ui.File1);
            item->setData(Qt::UserRole, ServerLocation::of(name));
        }
    } catch (const DbError& e) {
        // The files still work: the user learns why the server's databases are missing.
        m_context.prompter().message(
            QStringLiteral("The databases on the server are not listed. %1").arg(e.message()), {},
            Prompter::Icon::Warning);
    }
}

QString FileOpen::chosen() {
    QListWidgetItem* item = m_ui.File1->currentItem();
    if (!item || !item->isSelected()) {
        m_context.prompter().message(
            QStringLiteral("Please select a file from the list and then choose OK"),
            QStringLiteral("No File Selected!"));
        return {};
    }
    const QString location = item->data(Qt::UserRole).toString();
    return location.isEmpty() ? item->text() : location;
}

void FileOpen::useChosenDatabase() {
    // OK, a double click and Enter choose. A single click only selects, even on desktops that
    // open items on a single click: the form's list asks for that, so that a stray click
    // never opens a database and a double click is one choice, told at most once.
    if (m_leaving)
        return;
    const QString file = chosen();
    if (file.isEmpty())
        return;
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

void FileOpen::createDatabase() {
    m_leaving = true;
    m_context.openCreateNewDatabase();
    close();
}

void FileOpen::exitProgram() {
    m_context.program().end();
}

void FileOpen::explainChoosing() {
    m_context.prompter().message(kChoosing);
}

void FileOpen::explainRestoring() {
    m_context.prompter().message(kRestoring);
}

void FileOpen::openAbout() {
    m_context.openHelpAbout();
}

void FileOpen::openServerSetup() {
    m_context.openServerSetup();
}

void FileOpen::moveToServer() {
    const QString file = chosen();
    if (file.isEmpty())
        return;
    Prompter& prompter = m_context.prompter();
    if (ServerLocation::is(file)) {
        prompter.message(
            QStringLiteral("%1 is on the server already.").arg(ServerLocation::displayName(file)));
        return;
    }
    if (!prompter.question(QStringLiteral("Move %1 to the database server, so that every desk can "
                                          "use it? The file stays in the program folder as "
                                          "%1.moved, and is no longer listed.")
                               .arg(file),
                           QStringLiteral("Move to the Server"), Prompter::Icon::Question, false))
        return;
    QString location;
    if (!tellIfFails(prompter, [&] {
            location = ServerDatabases::moveFromFile(m_context.program().path(file));
        }))
        return;
    prompter.message(QStringLiteral("%1 is now on the database server, as %2.")
                         .arg(file, ServerLocation::displayName(location)),
                     QStringLiteral("Move to the Server"), Prompter::Icon::Information);
    list();
}

void FileOpen::moveToFile() {
    const QString location = chosen();
    if (location.isEmpty())
        return;
    Prompter& prompter = m_context.prompter();
    if (!ServerLocation::is(location)) {
        prompter.message(QStringLiteral("%1 is a file already.").arg(location));
        return;
    }
    const QString shown = ServerLocation::displayName(location);
    if (!prompter.question(QStringLiteral("Move %1 into a file of the program folder, for this "
                                          "desk alone? Other desks no longer find it; on the "
                                          "server it is kept aside, no longer listed.")
                               .arg(shown),
                           QStringLiteral("Move to a File"), Prompter::Icon::Question, false))
        return;
    QString file;
    if (!tellIfFails(prompter, [&] {
            file = ServerDatabases::moveToFile(location, m_context.program().folder());
        }))
        return;
    prompter.message(
        QStringLiteral("%1 is now the file %2 in the program folder.").arg(shown, file),
        QStringLiteral("Move to a File"), Prompter::Icon::Information);
    list();
}
