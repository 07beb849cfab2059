// The shipped files and the settings file check at start-up.
#include "core/settings/Password.h"
#include "core/settings/SettingsDb.h"
#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "support/TestEnv.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsDb : public QObject {
    Q_OBJECT

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

    void problemsAreNamedAndNothingIsTouched_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing") << "missing"
                                 << "is missing from the program folder";
        QTest::newRow("text file") << "text"
                                   << "is damaged or is not a Ledgerline settings file";
        QTest::newRow("empty file") << "empty"
                                    << "lacks the table Properties";
        QTest::newRow("no password table") << "drop A"
                                           << "lacks the table A";
        QTest::newRow("no product types") << "drop BusinessType"
                                          << "lacks the table BusinessType";
        QTest::newRow("no tran code field") << "drop field 1"
                                            << "lacks the field 1 of the table Properties";
        QTest::newRow("no settings record") << "empty Properties"
                                            << "has no settings record";
        QTest::newRow("sound") << "none"
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
            if (damage == QLatin1String("drop A"))
                db->exec(QStringLiteral("DROP TABLE A"));
            else if (damage == QLatin1String("drop BusinessType"))
                db->exec(QStringLiteral("DROP TABLE BusinessType"));
            else if (damage == QLatin1String("drop field 1"))
                db->exec(QStringLiteral("ALTER TABLE Properties DROP COLUMN \"1\""));
            else if (damage == QLatin1String("empty Properties"))
                db->exec(QStringLiteral("DELETE FROM Properties"));
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
