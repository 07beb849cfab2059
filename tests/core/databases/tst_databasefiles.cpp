// Check databases as whole files: names, creation, backups and refusing foreign files.
#include "core/databases/CheckDb.h"
#include "core/databases/DatabaseFiles.h"
#include "core/databases/WholeFile.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "support/Child.h"
#include "support/Drive.h"
#include "support/FileSizeLimit.h"
#include "support/TestEnv.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>
#include <cerrno>
#include <memory>
#include <unistd.h>

using namespace Drive;

namespace {

void addChecks(const QString& path, int count, const QString& payee) {
    auto db = Database::open(path);
    db->transaction([&] {
        RecordSet rs(db, CheckDb::kAccount);
        for (int i = 0; i < count; ++i) {
            rs.addNew();
            rs.setValue(QStringLiteral("PayTo"), payee);
            rs.setValue(QStringLiteral("Check"), 101 + i);
            rs.setValue(QStringLiteral("Comments"), QString(200, QLatin1Char('x')));
            rs.update();
        }
    });
}

QStringList payees(const QString& path) {
    auto db = Database::open(path, Database::Mode::ReadOnly);
    RecordSet rs(db, CheckDb::kAccount);
    QStringList out;
    for (; !rs.eof(); rs.moveNext())
        out << rs.value(QStringLiteral("PayTo")).toString();
    return out;
}

} // namespace

class TestDatabaseFiles : public QObject {
    Q_OBJECT

private slots:
    void names_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "Shop" << true;
        QTest::newRow("spaces and digits") << "Payroll 2026" << true;
        QTest::newRow("36 characters") << QString(36, QLatin1Char('a')) << true;
        QTest::newRow("accented letters") << "Café Drafts" << true;
        QTest::newRow("37 characters") << QString(37, QLatin1Char('a')) << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("only spaces") << "   " << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("dot") << "shop.old" << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("apostrophe") << "Joe's" << false;
    }
    void names() {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(DatabaseFiles::isValidName(name), valid);
        TestEnv env;
        const QStringList before =
            QDir(env.folderPath()).entryList(QDir::AllEntries | QDir::Hidden);
        if (valid) {
            QCOMPARE(DatabaseFiles::create(env.program.folder(), name, name, CheckDb::Kind::Check),
                     name + QStringLiteral(".mdb"));
        } else {
            QVERIFY_THROWS_EXCEPTION(DbError, DatabaseFiles::create(env.program.folder(), name,
                                                                    name, CheckDb::Kind::Check));
            QCOMPARE(QDir(env.folderPath()).entryList(QDir::AllEntries | QDir::Hidden), before);
        }
    }

    void backupNames_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("backup");
        QTest::newRow("made here") << "Shop.mdb"
                                   << "Shop.bak";
        QTest::newRow("capitals") << "PDRAFT.MDB"
                                  << "PDRAFT.bak";
        QTest::newRow("spaces") << "Payroll 2026.mdb"
                                << "Payroll 2026.bak";
        // Only the extension changes, so a backup can never land on another database.
        QTest::newRow("dot inside") << "q.xyz.mdb"
                                    << "q.xyz.bak";
        QTest::newRow("no extension") << "Shop"
                                      << "Shop.bak";
    }
    void backupNames() {
        QFETCH(QString, database);
        QFETCH(QString, backup);
        QCOMPARE(DatabaseFiles::backupName(database), backup);
    }

    void createStampsTheHeaderAndKeepsTheTemplateRecord_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("type");
        QTest::newRow("draft") << int(CheckDb::Kind::Draft) << "Draft";
        QTest::newRow("check") << int(CheckDb::Kind::Check) << "Check";
    }
    void createStampsTheHeaderAndKeepsTheTemplateRecord() {
        QFETCH(int, kind);
        QFETCH(QString, type);
        TestEnv env;
        const QString file =
            DatabaseFiles::create(env.program.folder(), QStringLiteral("Shop"),
                                  QStringLiteral("Main account"), CheckDb::Kind(kind));
        auto db = Database::open(env.path(file));
        RecordSet header(db, CheckDb::kHeader);
        QCOMPARE(header.value(QStringLiteral("AccountType")).toString(), type);
        QCOMPARE(header.value(QStringLiteral("Description")).toString(),
                 QStringLiteral("Main account"));
        QVERIFY(header.isNull(QStringLiteral("LastCheck")));
        QCOMPARE(int(CheckDb::kind(header)), kind);
        RecordSet account(db, CheckDb::kAccount);
        QCOMPARE(account.recordCount(), 1);
        QCOMPARE(account.currentId(), 1);
        // Nothing but the new database is left in the folder.
        QCOMPARE(QDir(env.folderPath()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"PC.OVL", "Shop.mdb", "template.ref"}));
    }

    void createNeverReplacesAFile_data() {
        QTest::addColumn<QString>("existing");
        QTest::newRow("same name") << "Shop.mdb";
        QTest::newRow("other case") << "SHOP.MDB";
    }
    void createNeverReplacesAFile() {
        QFETCH(QString, existing);
        TestEnv env;
        {
            QFile f(env.path(existing));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("keep me");
        }
        const QByteArray before = digest(env.path(existing));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 DatabaseFiles::create(env.program.folder(), QStringLiteral("Shop"),
                                                       {}, CheckDb::Kind::Check));
        QCOMPARE(digest(env.path(existing)), before);
        QCOMPARE(QDir(env.folderPath()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    // " Shop" and "Shop" look the same in every list; they are one name.
    void blanksAroundTheNameAreDropped_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("leading blank, name taken") << "Shop.mdb"
                                                   << " Shop"
                                                   << "A file named Shop.mdb already exists.";
        QTest::newRow("trailing blanks, taken in capitals")
            << "SHOP.MDB"
            << "Shop  "
            << "A file named Shop.mdb already exists.";
        QTest::newRow("blanks, name free") << ""
                                           << " Shop "
                                           << "Shop.mdb";
        QTest::newRow("blanks inside stay") << ""
                                            << " Corner  Shop"
                                            << "Corner  Shop.mdb";
    }
    void blanksAroundTheNameAreDropped() {
        QFETCH(QString, existing);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        TestEnv env;
        if (!existing.isEmpty())
            QVERIFY(QFile(env.path(existing)).open(QIODevice::WriteOnly));
        QString outcome;
        try {
            outcome =
                DatabaseFiles::create(env.program.folder(), typed, typed, CheckDb::Kind::Check);
        } catch (const DbError& e) {
            outcome = e.message();
        }
        QCOMPARE(outcome, result);
        QVERIFY(!QFile::exists(env.path(typed + QStringLiteral(".mdb"))));
    }

    // FAT and exFAT sticks and many network shares refuse hard links, and some refuse a
    // rename that must not replace; the system calls fail there as strace makes them fail.
    void createWorksWithoutHardLinks_data() {
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<QString>("result");
        QTest::newRow("everything allowed") << QStringList{} << "Shop.mdb";
        QTest::newRow("no hard links") << QStringList{"link:EPERM", "linkat:EPERM"} << "Shop.mdb";
        QTest::newRow("no hard links, no rename without replace")
            << QStringList{"link:EPERM", "linkat:EPERM", "renameat2:EINVAL"} << "Shop.mdb";
        QTest::newRow("renaming forbidden")
            << QStringList{"renameat2:EACCES"}
            << "The database Shop.mdb could not be made because Ledgerline may not write in "
               "that folder.";
    }
    void createWorksWithoutHardLinks() {
        QFETCH(QStringList, failing);
        QFETCH(QString, result);
        const QStringList wrapper = Child::failingCalls(failing);
        if (!failing.isEmpty() && wrapper.isEmpty())
            QSKIP("strace is missing or may not trace here");
        TestEnv env;
        const Child::Outcome outcome =
            Child::run({QStringLiteral("create"), env.folderPath(), QStringLiteral("Shop"),
                        QStringLiteral("0"), QStringLiteral("guard")},
                       wrapper);
        QCOMPARE(outcome.lines, QStringList{result});
        QStringList expected{"PC.OVL", "template.ref"};
        if (result == QLatin1String("Shop.mdb")) {
            expected.insert(1, QStringLiteral("Shop.mdb"));
            QCOMPARE(CheckDb::problem(env.path(QStringLiteral("Shop.mdb"))), QString());
            auto db = Database::open(env.path(QStringLiteral("Shop.mdb")));
            RecordSet header(db, CheckDb::kHeader);
            QCOMPARE(header.value(QStringLiteral("AccountType")).toString(),
                     QStringLiteral("Check"));
        }
        QCOMPARE(QDir(env.folderPath()).entryList(QDir::Files | QDir::Hidden), expected);
    }

    // The last steps of a whole file tell a disk in trouble: the folder's new name not
    // confirmed, permissions not set. File systems that keep no permissions (FAT sticks)
    // refuse every change of them, and the file works without. Strace makes the calls fail;
    // "folder" makes only the calls on the folder itself fail.
    void theLastStepsOfAWholeFileAreChecked_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<bool>("folderOnly");
        QTest::addColumn<QString>("says");
        const QStringList chmods{"chmod", "fchmod", "fchmodat"};
        auto all = [&](const QString& error) {
            QStringList calls;
            for (const QString& c : chmods)
                calls << c + QLatin1Char(':') + error;
            return calls;
        };
        const QString notMade =
            QStringLiteral("The database Shop.mdb could not be made because the disk reported "
                           "an error.");
        QTest::newRow("new database, folder not flushed")
            << "create" << QStringList{"fsync:EIO"} << true << notMade;
        QTest::newRow("new database, permissions fail")
            << "create" << all("EIO") << false << notMade;
        QTest::newRow("new database, no permissions on the disk")
            << "create" << all("EPERM") << false << "Shop.mdb";
        QTest::newRow("backup, folder not flushed")
            << "backup" << QStringList{"fsync:EIO"} << true
            << "The backup copy Shop.bak was written, but the disk did not confirm it: the disk "
               "reported an error. Should the computer stop now, the previous backup may be "
               "found in its place.";
        QTest::newRow("backup, permissions fail")
            << "backup" << all("EIO") << false
            << "The backup copy Shop.bak could not be made because the disk reported an error. "
               "Your previous backup has been kept as it was.";
        QTest::newRow("backup, no permissions on the disk")
            << "backup" << all("EPERM") << false << "made";
    }
    void theLastStepsOfAWholeFileAreChecked() {
        QFETCH(QString, what);
        QFETCH(QStringList, failing);
        QFETCH(bool, folderOnly);
        QFETCH(QString, says);
        QStringList wrapper = Child::failingCalls(failing);
        if (wrapper.isEmpty())
            QSKIP("strace is missing or may not trace here");
        TestEnv env;
        if (folderOnly)
            wrapper << QStringLiteral("-P") << QDir(env.folderPath()).canonicalPath();
        QString file;
        if (what == QLatin1String("backup"))
            file = DatabaseFiles::create(env.program.folder(), QStringLiteral("Shop"), {},
                                         CheckDb::Kind::Check);
        const Child::Outcome outcome =
            what == QLatin1String("backup")
                ? Child::run({QStringLiteral("backup"), env.path(file),
                              env.path(QStringLiteral("Shop.bak")), QStringLiteral("0"),
                              QStringLiteral("guard")},
                             wrapper)
                : Child::run({QStringLiteral("create"), env.folderPath(), QStringLiteral("Shop"),
                              QStringLiteral("0"), QStringLiteral("guard")},
                             wrapper);
        QCOMPARE(outcome.lines, QStringList{says});
        if (what == QLatin1String("create"))
            QCOMPARE(QFile::exists(env.path(QStringLiteral("Shop.mdb"))), says == "Shop.mdb");
        else if (says.startsWith(QLatin1String("The backup copy Shop.bak could not")))
            QVERIFY(!QFile::exists(env.path(QStringLiteral("Shop.bak"))));
    }

    // The way a finished file is published where a rename cannot promise to replace nothing.
    void publishingByCopy_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("error");
        QTest::newRow("name free") << "free" << 0;
        QTest::newRow("name taken") << "taken" << EEXIST;
        QTest::newRow("file too large for the system") << "limit" << EFBIG;
    }
    void publishingByCopy() {
        QFETCH(QString, situation);
        QFETCH(int, error);
        TestEnv env;
        const QString from = env.path(QStringLiteral("finished.part"));
        const QString to = env.path(QStringLiteral("Shop.mdb"));
        const QByteArray content(200 * 1024, 'c');
        {
            QFile f(from);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        if (situation == QLatin1String("taken")) {
            QFile f(to);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("keep me");
        }
        const QByteArray before = digest(to);
        int result = 0;
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (situation == QLatin1String("limit"))
                limit = std::make_unique<FileSizeLimit>(64 * 1024);
            result = WholeFile::publishByCopy(from, to);
        }
        QCOMPARE(result, error);
        if (situation == QLatin1String("free")) {
            QFile f(to);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), content);
        } else if (situation == QLatin1String("taken")) {
            QCOMPARE(digest(to), before);
        } else {
            QVERIFY(!QFile::exists(to));
        }
        QVERIFY(QFile::exists(from));
    }

    void createWithoutTemplateSaysSo() {
        TestEnv env;
        QFile::remove(env.path(CheckDb::kTemplateFile));
        try {
            DatabaseFiles::create(env.program.folder(), QStringLiteral("Shop"), {},
                                  CheckDb::Kind::Check);
            QFAIL("created without a template");
        } catch (const DbError& e) {
            QVERIFY(e.message().contains(QStringLiteral("template.ref")));
        }
        QVERIFY(!QFile::exists(env.path(QStringLiteral("Shop.mdb"))));
    }

    void listMatchesMdbWhateverTheCase() {
        TestEnv env;
        for (const char* name :
             {"PDRAFT.MDB", "shop.mdb", "Payroll.Mdb", "notes.txt", "Shop.bak", "mdb"}) {
            QFile f(env.path(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(env.folderPath()).mkdir(QStringLiteral("folder.mdb")));
        QCOMPARE(DatabaseFiles::list(env.program.folder()),
                 (QStringList{"Payroll.Mdb", "PDRAFT.MDB", "shop.mdb"}));
    }

    void backupIsACompleteCopyThatReplacesTheLastOne() {
        TestEnv env;
        const QString file = DatabaseFiles::create(env.program.folder(), QStringLiteral("Shop"), {},
                                                   CheckDb::Kind::Check);
        addChecks(env.path(file), 3, QStringLiteral("first"));
        const QString bak = env.path(QStringLiteral("Shop.bak"));
        DatabaseFiles::backup(env.path(file), bak);
        QCOMPARE(payees(bak).size(), 4);
        addChecks(env.path(file), 2, QStringLiteral("second"));
        DatabaseFiles::backup(env.path(file), bak);
        QCOMPARE(payees(bak), payees(env.path(file)));
        QCOMPARE(CheckDb::problem(bak), QString());
        QCOMPARE(QDir(env.folderPath()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"PC.OVL", "Shop.bak", "Shop.mdb", "template.ref"}));
    }

    void failedBackupKeepsThePreviousOne() {
        TestEnv env;
        const QString file = DatabaseFiles::create(env.program.folder(), QStringLiteral("Shop"), {},
                                                   CheckDb::Kind::Check);
        const QString bak = env.path(QStringLiteral("Shop.bak"));
        DatabaseFiles::backup(env.path(file), bak);
        const QByteArray before = digest(bak);
        addChecks(env.path(file), 500, QStringLiteral("grown"));
        QVERIFY(QFileInfo(env.path(file)).size() > 64 * 1024);
        try {
            FileSizeLimit nearlyFull(32 * 1024);
            DatabaseFiles::backup(env.path(file), bak);
            QFAIL("a backup larger than the disk allows was reported as made");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("Shop.bak")), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("previous backup")),
                     qPrintable(e.message()));
        }
        QCOMPARE(digest(bak), before);
        QCOMPARE(QDir(env.folderPath()).entryList(QDir::Files | QDir::Hidden).size(), 4);
    }

    // The superuser may write into read-only folders, so an ordinary user's process tries.
    void backupIntoAReadOnlyFolderIsRefused() {
        TestEnv env;
        const QString file = DatabaseFiles::create(env.program.folder(), QStringLiteral("Shop"), {},
                                                   CheckDb::Kind::Check);
        QFile(env.path(file))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                            QFileDevice::ReadOther);
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadOther | QFileDevice::ExeOther;
        QFile::setPermissions(env.folderPath(), readOnly);
        const Child::Outcome outcome = Child::run({QStringLiteral("backup"), env.path(file),
                                                   env.path(QStringLiteral("Shop.bak")),
                                                   QStringLiteral("0"), QStringLiteral("guard")},
                                                  Child::asOrdinaryUser());
        QFile::setPermissions(env.folderPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        QCOMPARE(outcome.lines,
                 QStringList{"The backup copy Shop.bak could not be made because Ledgerline may "
                             "not write in that folder. Your previous backup has been kept as it "
                             "was."});
        QVERIFY(!QFile::exists(env.path(QStringLiteral("Shop.bak"))));
    }

    void foreignFilesAreNamedAndUntouched_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("text") << "text"
                              << "is damaged or is not a Ledgerline check database";
        QTest::newRow("empty") << "empty"
                               << "lacks the table Account";
        QTest::newRow("settings file") << "settings"
                                       << "lacks the table Account";
        QTest::newRow("other program") << "other"
                                       << "lacks the table Account";
        QTest::newRow("no header row") << "no header"
                                       << "has no database header";
        QTest::newRow("missing field") << "missing field"
                                       << "lacks the field LastCheck";
        QTest::newRow("sound") << "sound"
                               << "";
    }
    void foreignFilesAreNamedAndUntouched() {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        TestEnv env;
        const QString path = env.path(QStringLiteral("Foreign.mdb"));
        if (kind == QLatin1String("text") || kind == QLatin1String("empty")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("text"))
                f.write("ID,Name\n1,Ann\n");
        } else if (kind == QLatin1String("settings")) {
            QVERIFY(QFile::copy(env.path(QStringLiteral("PC.OVL")), path));
        } else if (kind == QLatin1String("other")) {
            auto db = Database::create(path);
            db->exec(QStringLiteral("CREATE TABLE Recipes (Name TEXT)"));
        } else {
            DatabaseFiles::create(env.program.folder(), QStringLiteral("Foreign"), {},
                                  CheckDb::Kind::Check);
            auto db = Database::open(path);
            if (kind == QLatin1String("no header"))
                db->exec(QStringLiteral("DELETE FROM Properties"));
            else if (kind == QLatin1String("missing field"))
                db->exec(QStringLiteral("ALTER TABLE Properties DROP COLUMN LastCheck"));
        }
        const QByteArray before = digest(path);
        const QString problem = CheckDb::problem(path);
        if (says.isEmpty()) {
            QCOMPARE(problem, QString());
        } else {
            QVERIFY2(problem.contains(says), qPrintable(problem));
            QVERIFY(problem.contains(QStringLiteral("Foreign.mdb")));
        }
        QCOMPARE(digest(path), before);
    }
};

QTEST_MAIN(TestDatabaseFiles)
#include "tst_databasefiles.moc"
