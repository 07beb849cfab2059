// The shipped files and the settings file check at start-up.
#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/settings/Password.h"
#include "core/settings/PasswordStore.h"
#include "core/settings/SettingsDb.h"
#include "core/settings/SettingsRecord.h"
#include "support/TestEnv.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsDb : public QObject {
    Q_OBJECT

    static QString copyOfShipped(const QTemporaryDir& dir) {
        const QString file = dir.filePath(SettingsDb::kFileName);
        if (!QFile::copy(TestEnv::shipped(SettingsDb::kFileName), file))
            QTest::qFail("cannot copy the shipped settings file", __FILE__, __LINE__);
        QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return file;
    }
    static void setField(const QString& file, const QString& table, const QString& field,
                         const QVariant& value) {
        RecordSet rs(Database::open(file), table);
        rs.edit();
        rs.setValue(field, value);
        rs.update();
    }
    static QVariant storedPassword(const QString& file) {
        return RecordSet(Database::open(file), QStringLiteral("A")).value(QStringLiteral("ENTER"));
    }

private slots:
    void shippedSettingsHoldTheirInitialValues() {
        auto db = Database::open(TestEnv::shipped(SettingsDb::kFileName), Database::Mode::ReadOnly);
        QCOMPARE(TableSchema::firstMissing(*db, SettingsDb::schema()), QString());
        RecordSet settings(db, QStringLiteral("Properties"));
        QCOMPARE(settings.recordCount(), 1);
        QCOMPARE(settings.value(QStringLiteral("AlignStart")).toInt(), 200);
        QCOMPARE(settings.value(QStringLiteral("5")).toInt(), 525);
        QCOMPARE(settings.value(QStringLiteral("1")), QVariant(QString("")));
        QCOMPARE(settings.value(QStringLiteral("InsuranceSiteID")), QVariant(QString("")));
        for (const char* yesNo : {"QuickenCheckStock", "Print2Checks", "PlainPaper", "6"}) {
            const int v = settings.value(QString::fromLatin1(yesNo)).toInt();
            QVERIFY2(v == YesNo::True || v == YesNo::False, yesNo);
        }
        for (int i = 1; i <= 3; ++i)
            QVERIFY(!settings.value(QStringLiteral("HelpAboutLine%1").arg(i)).toString().isEmpty());

        RecordSet password(db, QStringLiteral("A"));
        QCOMPARE(password.recordCount(), 1);
        const QVariant stored = password.value(QStringLiteral("ENTER"));
        QVERIFY(Password::isHash(stored));
        QVERIFY(!stored.toString().contains(QStringLiteral("tulip")));
        QVERIFY(Password::matches(stored, QStringLiteral("tulip")));

        RecordSet types(db, QStringLiteral("BusinessType"));
        QVERIFY(types.recordCount() >= 3);
        QCOMPARE(types.currentId(), 1);
        QVERIFY(!types.value(QStringLiteral("BusinessType")).toString().isEmpty());
    }

    void shippedTemplateHoldsTheTemplateRecordAndOneHeader() {
        auto db =
            Database::open(TestEnv::shipped(CheckDb::kTemplateFile), Database::Mode::ReadOnly);
        QCOMPARE(TableSchema::firstMissing(*db, CheckDb::schema()), QString());
        RecordSet account(db, CheckDb::kAccount);
        QCOMPARE(account.recordCount(), 1);
        QCOMPARE(account.value(QStringLiteral("ID")).toInt(), 1);
        for (const FieldDef& f : CheckDb::accountTable().fields)
            if (f.name != QLatin1String("ID"))
                QVERIFY2(account.isNull(f.name), qPrintable(f.name));
        RecordSet header(db, CheckDb::kHeader);
        QCOMPARE(header.recordCount(), 1);
    }

    void passwordCheck_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");
        QTest::newRow("capitals match lower case") << "tulip"
                                                   << "TuLiP" << true;
        QTest::newRow("not trimmed") << "tulip"
                                     << " tulip" << false;
        QTest::newRow("empty matches empty") << ""
                                             << "" << true;
        QTest::newRow("empty is not a password") << "tulip"
                                                 << "" << false;
        QTest::newRow("accented capitals") << "café"
                                           << "CAFÉ" << true;
    }
    void passwordCheck() {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, matches);
        QCOMPARE(Password::matches(stored, typed), matches);
        QCOMPARE(Password::matches(Password::hash(stored), typed), matches);
    }

    void hashesAreSalted() {
        const QString a = Password::hash(QStringLiteral("tulip"));
        QVERIFY(Password::isHash(a));
        QVERIFY(a != Password::hash(QStringLiteral("tulip")));
        QVERIFY(!Password::isHash(QStringLiteral("tulip")));
        QVERIFY(!Password::isHash(QVariant()));
    }

    void passwordStore() {
        QTemporaryDir dir;
        const QString file = copyOfShipped(dir);
        PasswordStore store(file);
        QVERIFY(store.isDefault());
        QVERIFY(store.check(QStringLiteral("TULIP")));
        store.change(QStringLiteral("Rose Garden"));
        QVERIFY(!store.isDefault());
        QVERIFY(!store.check(QStringLiteral("tulip")));
        QVERIFY(store.check(QStringLiteral("rose garden")));
        QVERIFY(Password::isHash(storedPassword(file)));

        // A plain-text password from an older settings file stays until it is entered right.
        setField(file, SettingsDb::kPasswordTable, SettingsDb::kPassword, QStringLiteral("tulip"));
        QVERIFY(!store.check(QStringLiteral("rose garden")));
        QCOMPARE(storedPassword(file), QVariant(QStringLiteral("tulip")));
        QVERIFY(store.isDefault());
        QVERIFY(store.check(QStringLiteral("Tulip")));
        QVERIFY(Password::isHash(storedPassword(file)));
        QVERIFY(store.check(QStringLiteral("tulip")));
    }

    void backupAtExit_data() {
        QTest::addColumn<QVariant>("flag");
        QTest::addColumn<bool>("wanted");
        QTest::newRow("yes") << QVariant(YesNo::True) << true;
        QTest::newRow("no") << QVariant(YesNo::False) << false;
        QTest::newRow("empty") << QVariant() << false;
    }
    void backupAtExit() {
        QFETCH(QVariant, flag);
        QFETCH(bool, wanted);
        QTemporaryDir dir;
        const QString file = copyOfShipped(dir);
        setField(file, SettingsDb::kSettingsTable, QStringLiteral("6"), flag);
        QCOMPARE(SettingsRecord(file).backupAtExit(), wanted);
    }

    void productTypes_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("types");
        QTest::newRow("as shipped")
            << "" << QStringList{"General Merchandise", "Services",   "Repairs",
                                 "Subscription",        "Consulting", "Other"};
        QTest::newRow("none") << "DELETE FROM BusinessType" << QStringList{};
        QTest::newRow("first row empty")
            << "UPDATE BusinessType SET BusinessType = NULL WHERE ID = 1" << QStringList{};
        QTest::newRow("later rows without a name are left out")
            << "DELETE FROM BusinessType WHERE ID > 2; INSERT INTO BusinessType DEFAULT VALUES; "
               "INSERT INTO BusinessType (BusinessType) VALUES (''); "
               "INSERT INTO BusinessType (BusinessType) VALUES ('Repairs')"
            << QStringList{"General Merchandise", "Services", "Repairs"};
    }
    void productTypes() {
        QFETCH(QString, change);
        QFETCH(QStringList, types);
        QTemporaryDir dir;
        const QString file = copyOfShipped(dir);
        for (const QString& sql : change.split(QStringLiteral("; "), Qt::SkipEmptyParts))
            Database::open(file)->exec(sql);
        QCOMPARE(SettingsRecord(file).productTypes(), types);
    }

    void aboutLines_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("second line Null") << "UPDATE Properties SET HelpAboutLine2 = NULL";
        QTest::newRow("second line missing") << "ALTER TABLE Properties DROP COLUMN HelpAboutLine2";
    }
    void aboutLines() {
        QFETCH(QString, change);
        QTemporaryDir dir;
        const QString file = copyOfShipped(dir);
        Database::open(file)->exec(change);
        SettingsRecord settings(file);
        QCOMPARE(settings.aboutLine(1),
                 QStringLiteral("Ledgerline writes and prints your own checks and drafts."));
        QCOMPARE(settings.aboutLine(2), QString());
        QCOMPARE(settings.aboutLine(3),
                 QStringLiteral("Ask your office supply dealer for MICR laser check stock."));
    }

    void problemsAreNamedAndNothingIsTouched_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing") << "missing"
                                 << "is missing from the program folder";
        QTest::newRow("text file") << "text"
                                   << "is damaged or is not a Ledgerline settings file";
        QTest::newRow("empty file") << "empty"
                                    << "lacks the table Properties";
        QTest::newRow("no password table") << "DROP TABLE A"
                                           << "lacks the table A";
        QTest::newRow("no product types") << "DROP TABLE BusinessType"
                                          << "lacks the table BusinessType";
        QTest::newRow("no tran code field") << "ALTER TABLE Properties DROP COLUMN \"1\""
                                            << "lacks the field 1 of the table Properties";
        QTest::newRow("no backup flag") << "ALTER TABLE Properties DROP COLUMN \"6\""
                                        << "lacks the field 6 of the table Properties";
        QTest::newRow("no settings record") << "DELETE FROM Properties"
                                            << "has no settings record";
        QTest::newRow("sound") << ""
                               << "";
        // What the program does without, and names in another letter case, which the
        // database engine matches all the same.
        QTest::newRow("no About line") << "ALTER TABLE Properties DROP COLUMN HelpAboutLine2"
                                       << "";
        QTest::newRow("no insurance site ID")
            << "ALTER TABLE Properties DROP COLUMN InsuranceSiteID"
            << "";
        QTest::newRow("from before positive pay")
            << "ALTER TABLE Properties DROP COLUMN PositivePayColumns; ALTER TABLE Properties DROP "
               "COLUMN PositivePayDates; ALTER TABLE Properties DROP COLUMN PositivePayCents; "
               "ALTER TABLE Properties DROP COLUMN PositivePayVoids"
            << "";
        QTest::newRow("names in other case")
            << "ALTER TABLE A RENAME COLUMN ENTER TO enter; ALTER TABLE A RENAME TO x; "
               "ALTER TABLE x RENAME TO a; ALTER TABLE Properties RENAME COLUMN AlignStart TO "
               "ALIGNSTART; ALTER TABLE BusinessType RENAME TO x; ALTER TABLE x RENAME TO "
               "BUSINESSTYPE"
            << "";
    }
    void problemsAreNamedAndNothingIsTouched() {
        QFETCH(QString, damage);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QString file = dir.filePath(SettingsDb::kFileName);
        if (damage == QLatin1String("text")) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("this is not a database\n");
        } else if (damage == QLatin1String("empty")) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (damage != QLatin1String("missing")) {
            QVERIFY(QFile::copy(TestEnv::shipped(SettingsDb::kFileName), file));
            QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            auto db = Database::open(file);
            for (const QString& sql : damage.split(QStringLiteral("; "), Qt::SkipEmptyParts))
                db->exec(sql);
        }
        const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);
        QByteArray before;
        if (QFile f(file); f.open(QIODevice::ReadOnly))
            before = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);

        const QString problem = SettingsDb::problem(file);
        if (says.isEmpty()) {
            QCOMPARE(problem, QString());
        } else {
            QVERIFY2(problem.contains(says), qPrintable(problem));
            QVERIFY(problem.contains(QStringLiteral("PC.OVL")));
            QVERIFY(problem.contains(QDir::toNativeSeparators(dir.path())));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), filesBefore);
        if (QFile f(file); f.open(QIODevice::ReadOnly))
            QCOMPARE(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256), before);
    }
};

QTEST_MAIN(TestSettingsDb)
#include "tst_settingsdb.moc"
