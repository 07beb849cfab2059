// What the chooser, the start-up check and the other ways in do with a file they meet in a
// bad state: half-written by a crash, held by another program, or not for Ledgerline to read.
#include "core/databases/CheckDb.h"
#include "core/databases/DatabaseFiles.h"
#include "core/entry/CheckBook.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/settings/SettingsDb.h"
#include "support/Child.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTest>

using Drive::digest;

namespace {

/// The statements of a change that a crash cuts short: committed rows changed, and far
/// more rows added than the page cache holds.
QStringList halfChange(const QString& file) {
    const QString rows = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) ");
    const QString filler = QStringLiteral("printf('%.2000c', 'x')");
    if (file == SettingsDb::kFileName)
        return {QStringLiteral("UPDATE Properties SET HelpAboutLine1 = 'half-written'"),
                rows + QStringLiteral("INSERT INTO BusinessType (BusinessType) SELECT ") + filler +
                    QStringLiteral(" FROM n")};
    return {QStringLiteral("UPDATE Account SET PayTo = 'half-written'"),
            rows + QStringLiteral("INSERT INTO Account (PayTo, Comments) SELECT 'half-written', ") +
                filler + QStringLiteral(" FROM n")};
}

/// What was committed before the crash, read back.
QStringList committed(const QString& path) {
    auto db = Database::open(path, Database::Mode::ReadOnly);
    QStringList out;
    if (QFileInfo(path).fileName() == SettingsDb::kFileName) {
        RecordSet settings(db, QStringLiteral("Properties"));
        out << settings.value(QStringLiteral("HelpAboutLine1")).toString();
        out << QString::number(RecordSet(db, QStringLiteral("BusinessType")).recordCount());
    } else {
        RecordSet rs(db, CheckDb::kAccount);
        for (rs.moveNext(); !rs.eof(); rs.moveNext())
            out << rs.value(QStringLiteral("PayTo")).toString();
    }
    QSqlQuery check = db->exec(QStringLiteral("PRAGMA integrity_check"));
    check.next();
    out << check.value(0).toString();
    return out;
}

void makeShop(TestEnv& env) {
    DatabaseFiles::create(env.program.folder(), QStringLiteral("Shop"), QStringLiteral("Shop"),
                          CheckDb::Kind::Check);
    RecordSet rs(Database::open(env.path(QStringLiteral("Shop.mdb"))), CheckDb::kAccount);
    for (const char* payee : {"Harbor Supply", "Main Street Rent"}) {
        rs.addNew();
        rs.setValue(QStringLiteral("PayTo"), QString::fromLatin1(payee));
        rs.update();
    }
}

/// Leaves `file` as a crash in the middle of a change leaves it: a child process writes
/// part of a change into it and is killed.
void crashInTheMiddleOfAChange(TestEnv& env, const QString& file) {
    const QString path = env.path(file);
    const QByteArray before = digest(path);
    Child writer(QStringList{QStringLiteral("write-and-wait"), path} + halfChange(file));
    QCOMPARE(writer.firstLine(), QStringLiteral("ready"));
    writer.kill();
    // The file itself holds half the change, and only the journal can undo it.
    QVERIFY(digest(path) != before);
    QVERIFY(QFileInfo(path + QStringLiteral("-journal")).size() > 0);
}

/// Opens the file the way one part of the program does; returns what it says.
QString openBy(TestEnv& env, const QString& file, const QString& route) {
    const QString path = env.path(file);
    try {
        if (route == QLatin1String("chooser"))
            return CheckDb::problem(path);
        if (route == QLatin1String("start-up"))
            return SettingsDb::problem(path);
        if (route == QLatin1String("read-only"))
            RecordSet(Database::open(path, Database::Mode::ReadOnly), CheckDb::kHeader);
        else if (route == QLatin1String("data entry"))
            CheckBook book(path);
        else if (route == QLatin1String("backup"))
            DatabaseFiles::backup(path, env.path(QStringLiteral("Shop.bak")));
    } catch (const DbError& e) {
        return e.message();
    }
    return {};
}

} // namespace

class TestOpeningFiles : public QObject {
    Q_OBJECT

private slots:
    void halfWrittenFilesOpenWithTheChangeUndone_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QStringList>("kept");
        const QStringList shop{"Harbor Supply", "Main Street Rent", "ok"};
        const QStringList settings{"Ledgerline writes and prints your own checks and drafts.", "6",
                                   "ok"};
        QTest::newRow("database, chooser") << "Shop.mdb"
                                           << "chooser" << shop;
        QTest::newRow("database, read-only") << "Shop.mdb"
                                             << "read-only" << shop;
        QTest::newRow("database, data entry") << "Shop.mdb"
                                              << "data entry" << shop;
        QTest::newRow("database, backup") << "Shop.mdb"
                                          << "backup" << shop;
        QTest::newRow("settings, start-up") << "PC.OVL"
                                            << "start-up" << settings;
        QTest::newRow("settings, read-only") << "PC.OVL"
                                             << "read-only" << settings;
    }
    void halfWrittenFilesOpenWithTheChangeUndone() {
        QFETCH(QString, file);
        QFETCH(QString, route);
        QFETCH(QStringList, kept);
        TestEnv env;
        makeShop(env);
        crashInTheMiddleOfAChange(env, file);

        QCOMPARE(openBy(env, file, route), QString());
        QVERIFY(!QFile::exists(env.path(file + QStringLiteral("-journal"))));
        QCOMPARE(committed(env.path(file)), kept);
        if (route == QLatin1String("backup"))
            QCOMPARE(committed(env.path(QStringLiteral("Shop.bak"))), kept);
    }

    void aFileInUseIsBusyNotDamaged_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("says");
        const QString inUse = QStringLiteral("The database is in use by another program; try "
                                             "again in a moment. If %1 stays in use, close the "
                                             "other program first.");
        QTest::newRow("chooser") << "Shop.mdb"
                                 << "chooser" << inUse.arg("Shop.mdb");
        QTest::newRow("data entry") << "Shop.mdb"
                                    << "data entry" << inUse.arg("Shop.mdb");
        QTest::newRow("backup") << "Shop.mdb"
                                << "backup"
                                << "The backup copy Shop.bak could not be made because the "
                                   "database is in use by another program. Your previous backup "
                                   "has been kept as it was.";
        QTest::newRow("start-up") << "PC.OVL"
                                  << "start-up"
                                  << QStringLiteral("Ledgerline cannot start. ") +
                                         inUse.arg("PC.OVL");
    }
    void aFileInUseIsBusyNotDamaged() {
        QFETCH(QString, file);
        QFETCH(QString, route);
        QFETCH(QString, says);
        TestEnv env;
        makeShop(env);
        const QByteArray before = digest(env.path(file));
        {
            Child holder({QStringLiteral("hold-exclusive"), env.path(file)});
            QCOMPARE(holder.firstLine(), QStringLiteral("ready"));
            QCOMPARE(openBy(env, file, route), says);
        }
        QCOMPARE(digest(env.path(file)), before);
        // Once the other program lets go, the same way in works.
        QCOMPARE(openBy(env, file, route), QString());
    }

    // The superuser reads every file whatever its permissions, so the look is taken by a
    // process of an ordinary user.
    void filesLedgerlineMayNotReadOrRepair_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("says");
        QTest::newRow("unreadable database")
            << "Locked.mdb unreadable"
            << "Locked.mdb"
            << QStringList{"Locked.mdb|Shop.mdb",
                           "Ledgerline may not read the database Locked.mdb. Check the file's "
                           "permissions.",
                           ""};
        QTest::newRow("unreadable settings")
            << "PC.OVL unreadable"
            << "Shop.mdb"
            << QStringList{"Shop.mdb",
                           "The database Shop.mdb is read-only, so Ledgerline could not save "
                           "your checks in it. Make the file writable, then choose it again.",
                           // %1: the test's folder
                           "Ledgerline cannot start: it may not read its settings file PC.OVL in "
                           "the program folder %1. Check the file's permissions; nothing has been "
                           "changed."};
        QTest::newRow("half-written settings Ledgerline may not repair")
            << "PC.OVL half-written"
            << "Shop.mdb"
            << QStringList{"Shop.mdb",
                           "The database Shop.mdb is read-only, so Ledgerline could not save "
                           "your checks in it. Make the file writable, then choose it again.",
                           "Ledgerline cannot start. The file PC.OVL was left unfinished when "
                           "Ledgerline or the computer stopped during a change, and Ledgerline "
                           "may not write to it or its folder to undo that change. Let "
                           "Ledgerline write to PC.OVL and its folder, then try again."};
    }
    void filesLedgerlineMayNotReadOrRepair() {
        QFETCH(QString, setup);
        QFETCH(QString, file);
        QFETCH(QStringList, says);
        TestEnv env;
        makeShop(env);
        if (setup == QLatin1String("Locked.mdb unreadable"))
            QVERIFY(QFile::copy(env.path(QStringLiteral("Shop.mdb")),
                                env.path(QStringLiteral("Locked.mdb"))));
        if (setup == QLatin1String("PC.OVL half-written"))
            crashInTheMiddleOfAChange(env, SettingsDb::kFileName);

        const auto readOnly =
            QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        const QDir folder(env.folderPath());
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
            QFile(folder.filePath(name)).setPermissions(readOnly);
        if (setup.endsWith(QLatin1String("unreadable")))
            QFile(env.path(setup.section(QLatin1Char(' '), 0, 0))).setPermissions({});
        QFile(env.folderPath())
            .setPermissions(readOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                            QFileDevice::ExeOther);
        const QStringList filesBefore = folder.entryList(QDir::Files | QDir::Hidden);

        const Child::Outcome outcome =
            Child::run({QStringLiteral("look"), env.folderPath(), file}, Child::asOrdinaryUser());

        QFile(env.folderPath())
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
        for (QString& line : says)
            if (line.contains(QLatin1String("%1")))
                line = line.arg(env.folderPath());
        QCOMPARE(outcome.lines, says);
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), filesBefore);
    }

    // A change needs room for its journal beside the file: where Ledgerline may not write,
    // the message points at what the user has to change, and New makes nothing.
    void aChangeWhereLedgerlineMayNotWriteSaysWhere_data() {
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<QString>("says");
        QTest::newRow("folder closed") << true << false
                                       << "Ledgerline may not write in the folder %1 that holds "
                                          "Shop.mdb, so it cannot save changes to Shop.mdb. Let "
                                          "Ledgerline write in that folder, then try again.";
        QTest::newRow("file closed") << false << true
                                     << "The file Shop.mdb is read-only, so Ledgerline cannot "
                                        "save changes to it.";
        QTest::newRow("both open") << true << true << "made";
    }
    void aChangeWhereLedgerlineMayNotWriteSaysWhere() {
        QFETCH(bool, fileWritable);
        QFETCH(bool, folderWritable);
        QFETCH(QString, says);
        TestEnv env;
        makeShop(env);
        const QString shop = env.path(QStringLiteral("Shop.mdb"));
        const auto all = [](bool write) {
            QFileDevice::Permissions p =
                QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
            if (write)
                p |= QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
            return p;
        };
        const auto search = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
        QFile(shop).setPermissions(all(fileWritable));
        QFile(env.folderPath()).setPermissions(all(folderWritable) | search);

        const Child::Outcome outcome =
            Child::run({QStringLiteral("new"), shop}, Child::asOrdinaryUser());

        QFile(env.folderPath()).setPermissions(all(true) | search);
        QCOMPARE(
            outcome.lines,
            QStringList{says.contains(QLatin1String("%1")) ? says.arg(env.folderPath()) : says});
        RecordSet rs(Database::open(shop), CheckDb::kAccount);
        rs.moveLast();
        QCOMPARE(rs.value(QStringLiteral("ID")).toInt(), says == QLatin1String("made") ? 4 : 3);
    }
};

QTEST_MAIN(TestOpeningFiles)
#include "tst_openingfiles.moc"
