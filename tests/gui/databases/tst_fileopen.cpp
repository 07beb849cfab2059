// Choosing, creating and backing up check databases through the real windows.
#include "core/databases/CheckDb.h"
#include "core/databases/DatabaseFiles.h"
#include "core/databases/ServerDatabases.h"
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/settings/ServerSettings.h"
#include "gui/databases/CreateNewDatabase.h"
#include "gui/databases/FileOpen.h"
#include "support/Drive.h"
#include "support/PrivatePostgres.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Drive;

namespace {

const QString kNoDatabases = QStringLiteral(
    "Before you can use Ledgerline, you must create a database. Each database is a separate set "
    "of checks that are not related in any way to any other database. \n\nLedgerline has two "
    "different types of databases - DRAFT and CHECK databases. A draft database allows you to "
    "print drafts for deposit in your bank account and a check database allows you to print "
    "checks from your bank account. We strongly suggest you create a few different databases for "
    "your needs. \n\nFor example, you may wish to create a separate database file for monthly "
    "draft accounts (these will be printed every month), another for normal drafts (that are "
    "printed one time), another for employee payroll checks and another for your business "
    "checking account so you can print your own checks.  \n\nChoose the Create New Database "
    "button to create the database.");
const QString kCannotCreate = QStringLiteral(
    "The database cannot be created. Make sure you have: 1. Not entered the filename of a file "
    "that already exists, 2. Have at least 1 MB disk space available to create the file, 3. "
    "Entered only letters, spaces and numbers for the file name.");

QStringList listed(QWidget* chooser) {
    auto* list = chooser->findChild<QListWidget*>(QStringLiteral("File1"));
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

void select(QWidget* chooser, const QString& name) {
    auto* list = chooser->findChild<QListWidget*>(QStringLiteral("File1"));
    const auto items = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(items.size() == 1, qPrintable(name));
    list->setCurrentItem(items.first());
}

void setBackupFlag(TestEnv& env, const QVariant& value) {
    auto db = Database::open(env.path(QStringLiteral("PC.OVL")));
    RecordSet settings(db, QStringLiteral("Properties"));
    settings.edit();
    settings.setValue(QStringLiteral("6"), value);
    settings.update();
}

QString makeDatabase(TestEnv& env, const QString& name, CheckDb::Kind kind = CheckDb::Kind::Check) {
    return DatabaseFiles::create(env.program.folder(), name, name, kind);
}

void addCheck(TestEnv& env, const QString& file, const QString& payee) {
    auto db = Database::open(env.path(file));
    RecordSet rs(db, CheckDb::kAccount);
    rs.addNew();
    rs.setValue(QStringLiteral("PayTo"), payee);
    rs.update();
}

// A style that opens list items with a single click, as some desktops are set to.
class SingleClickStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

class TestFileOpen : public QObject {
    Q_OBJECT

    /// Opens the chooser, picks `file` and leaves by File - Exit of the data-entry screen.
    static void chooseAndExit(TestEnv& env, const QString& file) {
        env.context.openFileOpen();
        auto* chooser = TestEnv::listedChooser();
        select(chooser, file);
        click(chooser, QStringLiteral("FileOK"));
        QCOMPARE(env.program.currentDatabase(), file);
        auto* check = TestEnv::screen(QStringLiteral("Check"));
        QVERIFY(check);
        // A database whose template is still empty says so as it opens.
        for (const Prompt& p : env.prompter.take())
            QCOMPARE(p.title, QStringLiteral("Note"));
        trigger(check, QStringLiteral("MExit"));
        QVERIFY(env.programEnds());
    }

private slots:
    void cleanup() { TestEnv::closeAllScreens(); }

    void emptyFolderExplainsAndOkWantsASelection() {
        TestEnv env;
        env.context.openFileOpen();
        // The window is up before the folder is read; the explanation follows the listing.
        auto* shownFirst = TestEnv::screen<FileOpen>(QStringLiteral("FileOpen"));
        QVERIFY(shownFirst && !shownFirst->listed());
        QVERIFY(env.prompter.idle());
        auto* chooser = TestEnv::listedChooser();
        QVERIFY(chooser);
        QCOMPARE(chooser->windowTitle(), QStringLiteral("Choose a Database to Use"));
        auto prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].text, kNoDatabases);
        click(chooser, QStringLiteral("FileOK"));
        prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].text,
                 QStringLiteral("Please select a file from the list and then choose OK"));
        QCOMPARE(prompts[0].title, QStringLiteral("No File Selected!"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
    }

    void listsDatabasesWhateverTheCaseAndOpensTheChosenOne() {
        TestEnv env;
        makeDatabase(env, QStringLiteral("Shop"));
        QVERIFY(QFile::copy(env.path(QStringLiteral("Shop.mdb")),
                            env.path(QStringLiteral("PDRAFT.MDB"))));
        QFile(env.path(QStringLiteral("notes.txt"))).open(QIODevice::WriteOnly);
        env.context.openFileOpen();
        auto* chooser = TestEnv::listedChooser();
        QCOMPARE(env.prompter.takeTexts(), QStringList());
        QCOMPARE(listed(chooser), (QStringList{"PDRAFT.MDB", "Shop.mdb"}));

        // A double click chooses too.
        auto* list = chooser->findChild<QListWidget*>(QStringLiteral("File1"));
        QVERIFY(list->accessibleName().size() > 0);
        select(chooser, QStringLiteral("PDRAFT.MDB"));
        QVERIFY(QTest::qWaitForWindowExposed(chooser));
        const QRect rect = list->visualItemRect(list->currentItem());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(env.program.currentDatabase(), QStringLiteral("PDRAFT.MDB"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});
        QCOMPARE(TestEnv::screen(QStringLiteral("Check"))->windowTitle(),
                 QStringLiteral("Check Database: Shop"));
    }

    void helpAndAbout() {
        TestEnv env;
        makeDatabase(env, QStringLiteral("Shop"));
        env.context.openFileOpen();
        auto* chooser = TestEnv::listedChooser();
        trigger(chooser, QStringLiteral("cocad"));
        trigger(chooser, QStringLiteral("racdb"));
        const QStringList texts = env.prompter.takeTexts();
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts[0].startsWith(QStringLiteral("Each database is a separate set of checks")));
        QVERIFY(texts[1].endsWith(QStringLiteral("(example: rename PDRAFT.BAK to be PDRAFT.MDB)")));
        trigger(chooser, QStringLiteral("FileOpenAbout"));
        QCOMPARE(TestEnv::openScreens(), (QStringList{"FileOpen", "HelpAbout"}));
    }

    void foreignFileIsRefusedAndLeftAlone() {
        TestEnv env;
        {
            QFile f(env.path(QStringLiteral("Recipes.mdb")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Standard Jet DB\0\0\0 not for us", 30);
        }
        const QByteArray before = digest(env.path(QStringLiteral("Recipes.mdb")));
        env.context.openFileOpen();
        auto* chooser = TestEnv::listedChooser();
        select(chooser, QStringLiteral("Recipes.mdb"));
        click(chooser, QStringLiteral("FileOK"));
        const QStringList texts = env.prompter.takeTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(QStringLiteral("Recipes.mdb")), qPrintable(texts[0]));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
        QCOMPARE(env.program.currentDatabase(), QString());
        QCOMPARE(digest(env.path(QStringLiteral("Recipes.mdb"))), before);
        QCOMPARE(QDir(env.folderPath()).entryList(QDir::Files).size(), 3);
    }

    void aClickOnlySelectsAndADoubleClickIsOneChoice() {
        TestEnv env;
        makeDatabase(env, QStringLiteral("Shop"));
        {
            QFile f(env.path(QStringLiteral("Recipes.mdb")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a database at all");
        }
        // As on desktops set to open items with a single click.
        const QString styleName = QApplication::style()->name();
        QApplication::setStyle(new SingleClickStyle(styleName));
        env.context.openFileOpen();
        auto* chooser = TestEnv::listedChooser();
        QVERIFY(QTest::qWaitForWindowExposed(chooser));
        auto* list = chooser->findChild<QListWidget*>(QStringLiteral("File1"));
        const auto rectOf = [&](const QString& name) {
            return list->visualItemRect(list->findItems(name, Qt::MatchExactly).first());
        };
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rectOf("Shop.mdb").center());
        const QString afterClick = env.program.currentDatabase();
        const QStringList screensAfterClick = TestEnv::openScreens();
        // A double click: its first click, then the second.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rectOf("Recipes.mdb").center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rectOf("Recipes.mdb").center());
        QApplication::setStyle(styleName);
        QCOMPARE(afterClick, QString());
        QCOMPARE(screensAfterClick, QStringList{"FileOpen"});
        const QStringList texts = env.prompter.takeTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(QStringLiteral("Recipes.mdb")), qPrintable(texts[0]));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
    }

    void creatingBothKinds_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("stored");
        QTest::newRow("draft") << "Option1"
                               << "Monthly drafts"
                               << "Draft"
                               << "Monthly drafts";
        QTest::newRow("check") << "Option2"
                               << "Operating account"
                               << "Check"
                               << "Operating account";
        QTest::newRow("no description") << "Option2"
                                        << ""
                                        << "Check"
                                        << "Payroll 2026";
    }
    void creatingBothKinds() {
        QFETCH(QString, option);
        QFETCH(QString, description);
        QFETCH(QString, type);
        QFETCH(QString, stored);
        TestEnv env;
        env.context.openFileOpen();
        QWidget* chooser = TestEnv::listedChooser();
        env.prompter.take();
        click(chooser, QStringLiteral("cndb"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"CreateNewDatabase"});
        auto* create = TestEnv::screen(QStringLiteral("CreateNewDatabase"));
        QCOMPARE(create->windowTitle(), QStringLiteral("Create New Database"));
        // One kind is always chosen when the screen opens.
        QVERIFY(create->findChild<QRadioButton*>(QStringLiteral("Option1"))->isChecked() !=
                create->findChild<QRadioButton*>(QStringLiteral("Option2"))->isChecked());
        QCOMPARE(create->findChild<QLineEdit*>(QStringLiteral("NewDb"))->accessibleName(),
                 QStringLiteral("Enter a name for the Database:"));
        QCOMPARE(create->findChild<QLineEdit*>(QStringLiteral("DbDesc"))->accessibleName(),
                 QStringLiteral("Enter a description of the Database:"));

        QTest::mouseClick(create->findChild<QRadioButton*>(option), Qt::LeftButton);
        typeInto(create, QStringLiteral("NewDb"), QStringLiteral("Payroll 2026"));
        typeInto(create, QStringLiteral("DbDesc"), description);
        click(create, QStringLiteral("Command1"));

        const auto prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].text, QStringLiteral("Your new database has been created"));
        QCOMPARE(prompts[0].title, QStringLiteral("Notice"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
        QCOMPARE(listed(TestEnv::listedChooser()), QStringList{"Payroll 2026.mdb"});

        auto db = Database::open(env.path(QStringLiteral("Payroll 2026.mdb")));
        RecordSet header(db, CheckDb::kHeader);
        QCOMPARE(header.value(QStringLiteral("AccountType")).toString(), type);
        QCOMPARE(header.value(QStringLiteral("Description")).toString(), stored);
        RecordSet account(db, CheckDb::kAccount);
        QCOMPARE(account.recordCount(), 1);
        QCOMPARE(account.currentId(), 1);
    }

    // A desk set up for the database server in Program Setup's Database Server window
    // keeps the settings; the chooser lists the server's databases beside the files, marked
    // as on the server, asking for the password once; and one of them opens on the
    // data-entry screen without asking again.
    void aServerDatabaseThroughTheWindows() {
        PrivatePostgres server;
        if (!server.problem().isEmpty())
            QSKIP(qPrintable(QStringLiteral("no database server of the test's own could be "
                                            "started here (%1)")
                                 .arg(server.problem())));
        qputenv("LEDGERLINE_NO_KEYRING", "1");
        const ServerLogin login = server.login();
        TestEnv env;
        const QString file = makeDatabase(env, QStringLiteral("Shop"));
        {
            // Another desk made a database on the server and wrote a check in it.
            class Desk : public Database::ServerAccess {
            public:
                explicit Desk(ServerLogin l) : login_(std::move(l)) {}
                std::optional<ServerLogin> login() override { return login_; }
                void refused(const ServerLogin&) override {}
                ServerLogin login_;
            } otherDesk(login);
            Database::ServerAccess* windows = Database::serverAccess();
            Database::setServerAccess(&otherDesk);
            const QString location = ServerDatabases::create(
                QStringLiteral("Branch"), QStringLiteral("Branch office"), CheckDb::Kind::Check);
            addCheck(env, location, QStringLiteral("Ann Zoë"));
            Database::setServerAccess(windows);
        }

        env.program.setCurrentDatabase(file);
        env.context.openCheck();
        trigger(TestEnv::screen(QStringLiteral("Check")), QStringLiteral("Setup"));
        auto* setup = TestEnv::screen(QStringLiteral("ProgramSetup"));
        QVERIFY(setup);
        click(setup, QStringLiteral("DatabaseServer"));
        auto* dialog = TestEnv::screen(QStringLiteral("ServerSetup"));
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Database Server"));
        typeInto(dialog, QStringLiteral("Host"), login.host);
        typeInto(dialog, QStringLiteral("Port"), QString::number(login.port));
        typeInto(dialog, QStringLiteral("DatabaseName"), login.database);
        typeInto(dialog, QStringLiteral("UserName"), login.user);
        click(dialog, QStringLiteral("OK"));
        QVERIFY(!TestEnv::screen(QStringLiteral("ServerSetup")));
        const ServerSettings kept = ServerSettings::read(env.path(QStringLiteral("PC.OVL")));
        QCOMPARE(
            QStringList({kept.host, QString::number(kept.port), kept.database, kept.user}),
            QStringList({login.host, QString::number(login.port), login.database, login.user}));
        TestEnv::closeAllScreens();
        env.prompter.take();

        env.prompter.answerInput(login.password);
        env.context.openFileOpen();
        auto* chooser = TestEnv::listedChooser();
        QVERIFY(chooser);
        QCOMPARE(listed(chooser), (QStringList{"Shop.mdb", "Branch (on the server)"}));
        select(chooser, QStringLiteral("Branch (on the server)"));
        click(chooser, QStringLiteral("FileOK"));
        QCOMPARE(env.program.currentDatabase(), QStringLiteral("server:Branch"));
        auto* check = TestEnv::screen(QStringLiteral("Check"));
        QVERIFY(check);
        QCOMPARE(check->windowTitle(), QStringLiteral("Check Database: Branch office"));
        QStringList asked;
        for (const Prompt& p : env.prompter.take())
            if (p.kind == Prompt::Kind::Input)
                asked << p.text + QLatin1Char('/') + p.title;
        QCOMPARE(asked, QStringList{QStringLiteral("The password of %1 for the database %2 on "
                                                   "the server %3:/Database Server")
                                        .arg(login.user, login.database, login.host)});
        QVERIFY(env.prompter.idle());
    }

    void badNamesAndDuplicatesCreateNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("duplicate") << "Shop";
        QTest::newRow("duplicate in other case") << "SHOP";
        QTest::newRow("empty") << "";
        QTest::newRow("only spaces") << "  ";
        QTest::newRow("path") << "../Shop";
        QTest::newRow("dot") << "Shop.old";
    }
    void badNamesAndDuplicatesCreateNothing() {
        QFETCH(QString, name);
        TestEnv env;
        makeDatabase(env, QStringLiteral("Shop"));
        const QByteArray before = digest(env.path(QStringLiteral("Shop.mdb")));
        const QStringList files = QDir(env.folderPath()).entryList(QDir::AllEntries | QDir::Hidden);
        env.context.openCreateNewDatabase();
        auto* create = TestEnv::screen(QStringLiteral("CreateNewDatabase"));
        typeInto(create, QStringLiteral("NewDb"), name);
        typeInto(create, QStringLiteral("DbDesc"), QStringLiteral("kept"));
        click(create, QStringLiteral("Command1"));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kCannotCreate});
        QCOMPARE(TestEnv::openScreens(), QStringList{"CreateNewDatabase"});
        QCOMPARE(create->findChild<QLineEdit*>(QStringLiteral("NewDb"))->text(), name);
        QCOMPARE(create->findChild<QLineEdit*>(QStringLiteral("DbDesc"))->text(),
                 QStringLiteral("kept"));
        QCOMPARE(digest(env.path(QStringLiteral("Shop.mdb"))), before);
        QCOMPARE(QDir(env.folderPath()).entryList(QDir::AllEntries | QDir::Hidden), files);
        QCOMPARE(QDir(env.path(QStringLiteral(".."))).entryList({QStringLiteral("Shop.mdb")}),
                 QStringList());
    }

    void nameStopsAt36Characters() {
        TestEnv env;
        env.context.openCreateNewDatabase();
        auto* create = TestEnv::screen(QStringLiteral("CreateNewDatabase"));
        typeInto(create, QStringLiteral("NewDb"), QString(37, QLatin1Char('b')));
        QCOMPARE(create->findChild<QLineEdit*>(QStringLiteral("NewDb"))->text(),
                 QString(36, QLatin1Char('b')));
        click(create, QStringLiteral("Command1"));
        QCOMPARE(env.prompter.takeTexts(),
                 QStringList{QStringLiteral("Your new database has been created")});
        QVERIFY(QFile::exists(env.path(QString(36, QLatin1Char('b')) + QStringLiteral(".mdb"))));
    }

    void exitButtonsEndTheProgram() {
        TestEnv env;
        env.context.openCreateNewDatabase();
        click(TestEnv::screen(QStringLiteral("CreateNewDatabase")), QStringLiteral("Exit1"));
        QVERIFY(env.program.ended());
        TestEnv other;
        other.context.openFileOpen();
        other.prompter.take();
        click(TestEnv::screen(QStringLiteral("FileOpen")), QStringLiteral("Exit1"));
        QVERIFY(other.program.ended());
    }

    void exitWithoutBackup_data() {
        QTest::addColumn<QVariant>("flag");
        QTest::newRow("clear") << QVariant(YesNo::False);
        QTest::newRow("empty") << QVariant();
    }
    void exitWithoutBackup() {
        QFETCH(QVariant, flag);
        TestEnv env;
        setBackupFlag(env, flag);
        makeDatabase(env, QStringLiteral("Shop"));
        chooseAndExit(env, QStringLiteral("Shop.mdb"));
        QVERIFY(!QFile::exists(env.path(QStringLiteral("Shop.bak"))));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
    }

    void twoExitsLeaveOneBackupOfTheSecond() {
        TestEnv env;
        setBackupFlag(env, YesNo::True);
        makeDatabase(env, QStringLiteral("Shop"));
        addCheck(env, QStringLiteral("Shop.mdb"), QStringLiteral("first run"));
        chooseAndExit(env, QStringLiteral("Shop.mdb"));
        TestEnv::closeAllScreens();
        addCheck(env, QStringLiteral("Shop.mdb"), QStringLiteral("second run"));
        chooseAndExit(env, QStringLiteral("Shop.mdb"));
        QCOMPARE(env.prompter.takeTexts(), QStringList());

        QCOMPARE(QDir(env.folderPath()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"PC.OVL", "Shop.bak", "Shop.mdb", "template.ref"}));
        auto db = Database::open(env.path(QStringLiteral("Shop.bak")), Database::Mode::ReadOnly);
        RecordSet rs(db, CheckDb::kAccount);
        rs.moveLast();
        QCOMPARE(rs.value(QStringLiteral("PayTo")).toString(), QStringLiteral("second run"));
        QCOMPARE(rs.recordCount(), 3);
    }

    void backupThatCannotBeMadeIsExplainedAndTheOldOneKept() {
        TestEnv env;
        setBackupFlag(env, YesNo::True);
        makeDatabase(env, QStringLiteral("Shop"));
        chooseAndExit(env, QStringLiteral("Shop.mdb"));
        TestEnv::closeAllScreens();
        const QByteArray before = digest(env.path(QStringLiteral("Shop.bak")));
        // The backup's place is taken by a folder, which no file may replace.
        QVERIFY(QFile::rename(env.path(QStringLiteral("Shop.bak")),
                              env.path(QStringLiteral("old.bak"))));
        QVERIFY(QDir(env.folderPath()).mkpath(QStringLiteral("Shop.bak/inside")));
        chooseAndExit(env, QStringLiteral("Shop.mdb"));
        const auto texts = env.prompter.takeTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(QStringLiteral("Shop.bak")) &&
                     texts[0].contains(QStringLiteral("previous backup")),
                 qPrintable(texts[0]));
        QVERIFY(QFileInfo(env.path(QStringLiteral("Shop.bak"))).isDir());
        QCOMPARE(digest(env.path(QStringLiteral("old.bak"))), before);
        QCOMPARE(QDir(env.folderPath())
                     .entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden),
                 QStringList());
    }
};

QTEST_MAIN(TestFileOpen)
#include "tst_fileopen.moc"
