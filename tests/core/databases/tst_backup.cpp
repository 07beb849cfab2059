// The backup copy: it never replaces a good backup with a damaged or half-made one, names
// cannot collide, crashes leave nothing behind for long, and a file-size limit is a message.
#include "core/databases/CheckDb.h"
#include "core/databases/DatabaseFiles.h"
#include "core/databases/PartFile.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "support/Child.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <sqlite3.h>

using Drive::digest;

namespace {

QString makeDatabase(TestEnv& env, const QString& name, int checks, const QString& payee) {
    const QString file =
        DatabaseFiles::create(env.program.folder(), name, name, CheckDb::Kind::Check);
    auto db = Database::open(env.path(file));
    db->transaction([&] {
        RecordSet rs(db, CheckDb::kAccount);
        for (int i = 0; i < checks; ++i) {
            rs.addNew();
            rs.setValue(QStringLiteral("PayTo"), payee);
            rs.setValue(QStringLiteral("Check"), 101 + i);
            rs.setValue(QStringLiteral("Comments"), QString(300, QLatin1Char('x')));
            rs.update();
        }
    });
    return file;
}

/// Makes a file of this name outside Ledgerline: a copy of a database made by it.
void copyAs(TestEnv& env, const QString& from, const QString& name) {
    QVERIFY(QFile::copy(env.path(from), env.path(name)));
    QFile(env.path(name)).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QStringList payees(const QString& path) {
    auto db = Database::open(path, Database::Mode::ReadOnly);
    RecordSet rs(db, CheckDb::kAccount);
    QStringList out;
    for (rs.moveNext(); !rs.eof(); rs.moveNext())
        out << rs.value(QStringLiteral("PayTo")).toString();
    out.removeDuplicates();
    return out;
}

/// Overwrites one page in the middle of the file, as a failing disk or a stray program
/// would.
void overwriteOnePage(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const qint64 pages = f.size() / 4096;
    QVERIFY(pages > 20);
    QVERIFY(f.seek(pages / 2 * 4096));
    QCOMPARE(f.write(QByteArray(4096, '\xA5')), qint64(4096));
}

QStringList folderFiles(const TestEnv& env) {
    QStringList names = QDir(env.folderPath()).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    return names;
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void damagedDatabaseNeverReplacesTheBackup_data() {
        QTest::addColumn<bool>("hasBackup");
        QTest::addColumn<QString>("route");
        QTest::newRow("backup at exit") << true << "backup";
        QTest::newRow("walking the checks") << true << "walk";
        QTest::newRow("no backup yet") << false << "backup";
    }
    void damagedDatabaseNeverReplacesTheBackup() {
        QFETCH(bool, hasBackup);
        QFETCH(QString, route);
        TestEnv env;
        const QString file = makeDatabase(env, QStringLiteral("Shop"), 400, QStringLiteral("kept"));
        const QString bak = env.path(QStringLiteral("Shop.bak"));
        if (hasBackup)
            DatabaseFiles::backup(env.path(file), bak);
        const QByteArray before = digest(bak);
        overwriteOnePage(env.path(file));
        const QStringList filesBefore = folderFiles(env);

        QString said;
        try {
            if (route == QLatin1String("backup")) {
                DatabaseFiles::backup(env.path(file), bak);
            } else {
                RecordSet rs(Database::open(env.path(file)), CheckDb::kAccount);
                for (; !rs.eof(); rs.moveNext())
                    rs.value(QStringLiteral("Comments"));
            }
            QFAIL("the damage went unnoticed");
        } catch (const DbError& e) {
            QCOMPARE(e.reason(), DbError::Reason::Damaged);
            said = e.message();
        }
        if (hasBackup)
            QCOMPARE(said,
                     QStringLiteral(
                         "The database Shop.mdb is damaged. Your last backup copy, Shop.bak, has "
                         "been kept as it was: Ledgerline never replaces a backup with a damaged "
                         "copy. To go back to it, leave Ledgerline, move Shop.mdb out of the "
                         "program folder %1, and rename Shop.bak to Shop.mdb. Checks entered "
                         "since that backup must then be entered again.")
                         .arg(env.folderPath()));
        else
            QCOMPARE(said, QStringLiteral("The database Shop.mdb is damaged, and it has no backup "
                                          "copy (Shop.bak) to go back to. Leave Ledgerline and "
                                          "keep a copy of Shop.mdb before anything else is done "
                                          "with it."));
        QCOMPARE(digest(bak), before);
        QCOMPARE(folderFiles(env), filesBefore);
        if (hasBackup)
            QCOMPARE(payees(bak), QStringList{QStringLiteral("kept")});
    }

    void backupNames_data() {
        QTest::addColumn<QStringList>("databases");
        QTest::addColumn<QStringList>("backups");
        QTest::newRow("alone") << QStringList{"Shop.mdb"} << QStringList{"Shop.bak"};
        QTest::newRow("capitals alone") << QStringList{"PDRAFT.MDB"} << QStringList{"PDRAFT.bak"};
        QTest::newRow("different names")
            << QStringList{"Shop.mdb", "Payroll.MDB"} << QStringList{"Shop.bak", "Payroll.bak"};
        QTest::newRow("twins by extension")
            << QStringList{"Dup.mdb", "Dup.MDB"} << QStringList{"Dup.mdb.bak", "Dup.MDB.bak"};
        QTest::newRow("triplets") << QStringList{"Dup.Mdb", "Dup.mdb", "Dup.MDB"}
                                  << QStringList{"Dup.Mdb.bak", "Dup.mdb.bak", "Dup.MDB.bak"};
        // Different names on this file system, so their backups are too.
        QTest::newRow("names differing in case")
            << QStringList{"Dup.mdb", "dup.mdb"} << QStringList{"Dup.bak", "dup.bak"};
        // The whole-name backup of a twin is the plain backup of a third database.
        QTest::newRow("a whole name met again")
            << QStringList{"Dup.mdb", "Dup.MDB", "Dup.mdb.mdb"}
            << QStringList{"Dup.mdb.bak", "Dup.MDB.bak", "Dup.mdb.mdb.bak"};
    }
    void backupNames() {
        QFETCH(QStringList, databases);
        QFETCH(QStringList, backups);
        TestEnv env;
        for (const QString& name : databases)
            QVERIFY(QFile(env.path(name)).open(QIODevice::WriteOnly));
        for (int i = 0; i < databases.size(); ++i)
            QCOMPARE(DatabaseFiles::backupName(env.program.folder(), databases[i]), backups[i]);
    }

    void twinsKeepBackupsOfTheirOwn() {
        TestEnv env;
        makeDatabase(env, QStringLiteral("Dup"), 2, QStringLiteral("made here"));
        DatabaseFiles::backup(
            env.path(QStringLiteral("Dup.mdb")),
            env.path(DatabaseFiles::backupName(env.program.folder(), QStringLiteral("Dup.mdb"))));
        const QByteArray before = digest(env.path(QStringLiteral("Dup.bak")));
        // A twin made outside Ledgerline, with checks of its own.
        copyAs(env, QStringLiteral("Dup.mdb"), QStringLiteral("Dup.MDB"));
        {
            auto db = Database::open(env.path(QStringLiteral("Dup.MDB")));
            db->exec(QStringLiteral("UPDATE Account SET PayTo = 'made outside' WHERE ID > 1"));
        }
        for (const QString& name : {QStringLiteral("Dup.mdb"), QStringLiteral("Dup.MDB")})
            DatabaseFiles::backup(env.path(name),
                                  env.path(DatabaseFiles::backupName(env.program.folder(), name)));
        QCOMPARE(payees(env.path(QStringLiteral("Dup.mdb.bak"))), QStringList{"made here"});
        QCOMPARE(payees(env.path(QStringLiteral("Dup.MDB.bak"))), QStringList{"made outside"});
        // The backup made before the twin came stays as it was.
        QCOMPARE(digest(env.path(QStringLiteral("Dup.bak"))), before);
    }

    void reasonsAreWholeSentences() {
        TestEnv env;
        const QString file = makeDatabase(env, QStringLiteral("Shop"), 1, QStringLiteral("a"));
        QVERIFY(QDir(env.folderPath()).mkpath(QStringLiteral("Shop.bak/inside")));
        try {
            DatabaseFiles::backup(env.path(file), env.path(QStringLiteral("Shop.bak")));
            QFAIL("a backup replaced a folder");
        } catch (const DbError& e) {
            QCOMPARE(e.message(),
                     QStringLiteral("The backup copy Shop.bak could not be made because a folder "
                                    "named Shop.bak is in the way. Your previous backup has been "
                                    "kept as it was."));
        }
        QCOMPARE(folderFiles(env), (QStringList{"PC.OVL", "Shop.mdb", "template.ref"}));
    }

    void aDatabaseInWriteAheadModeIsCopiedWhole() {
        TestEnv env;
        const QString file = makeDatabase(env, QStringLiteral("Shop"), 50, QStringLiteral("wal"));
        sqlite3* raw = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(env.path(file)).constData(), &raw), SQLITE_OK);
        QCOMPARE(sqlite3_exec(raw, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(raw);
        DatabaseFiles::backup(env.path(file), env.path(QStringLiteral("Shop.bak")));
        QCOMPARE(payees(env.path(QStringLiteral("Shop.bak"))), QStringList{"wal"});
    }

    // A backup or a new database killed by the file-size limit left a half file and no
    // word; with the signal ignored, the write fails and the message is the usual one.
    void fileSizeLimitIsAMessage_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("guard");
        QTest::addColumn<QString>("says");
        QTest::newRow("backup") << "backup"
                                << "guard"
                                << "The backup copy Shop.bak could not be made because it would "
                                   "be larger than the largest file this computer lets "
                                   "Ledgerline write. Your previous backup has been kept as it "
                                   "was.";
        QTest::newRow("new database") << "create"
                                      << "guard"
                                      << "The database Big.mdb could not be made because it "
                                         "would be larger than the largest file this computer "
                                         "lets Ledgerline write.";
        // What the program does without its start-up line: the signal ends it.
        QTest::newRow("backup, signal left alone") << "backup"
                                                   << "noguard"
                                                   << "";
    }
    void fileSizeLimitIsAMessage() {
        QFETCH(QString, what);
        QFETCH(QString, guard);
        QFETCH(QString, says);
        TestEnv env;
        const QString file = makeDatabase(env, QStringLiteral("Shop"), 400, QStringLiteral("a"));
        const QString bak = env.path(QStringLiteral("Shop.bak"));
        makeDatabase(env, QStringLiteral("Small"), 0, {});
        DatabaseFiles::backup(env.path(QStringLiteral("Small.mdb")), bak);
        const QByteArray before = digest(bak);
        const QStringList filesBefore = folderFiles(env);
        const QString limit = QString::number(QFileInfo(env.path(file)).size() / 2);

        const Child::Outcome outcome =
            what == QLatin1String("backup")
                ? Child::run({QStringLiteral("backup"), env.path(file), bak, limit, guard})
                : Child::run({QStringLiteral("create"), env.folderPath(), QStringLiteral("Big"),
                              QStringLiteral("4096"), guard});
        if (says.isEmpty()) {
            QVERIFY(outcome.killedBySignal);
            QCOMPARE(digest(bak), before);
            return; // the half file it left is the next test's subject
        }
        QVERIFY(!outcome.killedBySignal);
        QCOMPARE(outcome.lines, QStringList{says});
        QCOMPARE(digest(bak), before);
        QCOMPARE(folderFiles(env), filesBefore);
    }

    void leftoversOfCrashedCopiesGoBeforeTheNextBackup() {
        TestEnv env;
        const QString file = makeDatabase(env, QStringLiteral("Shop"), 1, QStringLiteral("a"));
        const QString bak = env.path(QStringLiteral("Shop.bak"));
        // A backup at work in another process and one whose process was killed.
        Child working({QStringLiteral("hold-part"), env.folderPath()});
        Child killed({QStringLiteral("hold-part"), env.folderPath()});
        killed.kill();
        const QString workingPart = QFileInfo(working.firstLine()).fileName();
        const QString killedPart = QFileInfo(killed.firstLine()).fileName();
        QVERIFY2(workingPart.startsWith(QStringLiteral(".ledgerline-backup-")),
                 qPrintable(workingPart));
        // A half-stamped new database with its journal, of a process that no longer runs
        // (beyond the largest process id), and what an earlier version left.
        // A print job of a copy that was stopped, and one an earlier version named.
        QStringList leftovers{killedPart, QStringLiteral(".ledgerline-new-99999999-Ab3dE9.part"),
                              QStringLiteral(".ledgerline-new-99999999-Ab3dE9.part-journal"),
                              QStringLiteral(".ledgerline-backup-Qx81zz.part"),
                              QStringLiteral(".ledgerline-job-99999999-Zr02aQ.part"),
                              QStringLiteral(".Ledgerline-job-Qx81zz.part")};
        // Files that only look alike are somebody else's.
        const QStringList others{QStringLiteral(".ledgerline-backup-notes.txt"),
                                 QStringLiteral("Shop.part"),
                                 QStringLiteral("my.ledgerline-backup-Qx81zz.part"),
                                 QStringLiteral(".ledgerline-restore-Qx81zz.part")};
        for (const QString& name : leftovers + others)
            if (!QFile::exists(env.path(name)))
                QVERIFY(QFile(env.path(name)).open(QIODevice::WriteOnly));

        DatabaseFiles::backup(env.path(file), bak);

        QStringList expected =
            others + QStringList{workingPart, QStringLiteral("PC.OVL"), QStringLiteral("Shop.bak"),
                                 QStringLiteral("Shop.mdb"), QStringLiteral("template.ref")};
        expected.sort();
        QCOMPARE(folderFiles(env), expected);
        // Once its process is gone, the working one is a leftover too.
        working.kill();
        QCOMPARE(PartFile::removeStale(env.program.folder()), QStringList{workingPart});
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
