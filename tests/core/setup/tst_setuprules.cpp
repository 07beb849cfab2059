// The rules behind program setup: the product type list and the installation's setup values,
// on a shipped settings file.
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/settings/SettingsDb.h"
#include "core/setup/ProductTypeList.h"
#include "core/setup/SetupOptions.h"
#include "support/TestEnv.h"

#include <QTest>

namespace {

/// Where the list stands, as "position/count ID=name" ("(null)" for a row without a name).
QString at(const ProductTypeList& list) {
    const QVariant name = list.name();
    return QStringLiteral("%1/%2 %3=%4")
        .arg(list.position())
        .arg(list.count())
        .arg(list.currentId())
        .arg(name.isNull() ? QStringLiteral("(null)") : name.toString());
}

} // namespace

class TestSetupRules : public QObject {
    Q_OBJECT

private slots:
    // Each step is done on the list and then compared with where the list stands.
    void productTypes_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("stands");
        QTest::newRow("walking stops at both ends")
            << QStringList{"previous", "next", "last", "next", "first"}
            << QStringList{"1/6 1=General Merchandise", "2/6 2=Services", "6/6 6=Other",
                           "6/6 6=Other", "1/6 1=General Merchandise"};
        QTest::newRow("the first product type is renamed, never deleted")
            << QStringList{"rename Goods", "delete", "rename Goods"}
            << QStringList{"1/6 1=Goods", "1/6 1=Goods", "1/6 1=Goods"};
        QTest::newRow("a new one is empty and last; deleting it goes back to the first")
            << QStringList{"new", "rename Catering", "next", "delete"}
            << QStringList{"7/7 7=(null)", "7/7 7=Catering", "7/7 7=Catering",
                           "1/6 1=General Merchandise"};
        QTest::newRow("an empty name stores no name")
            << QStringList{"next", "rename ", "previous", "next"}
            << QStringList{"2/6 2=Services", "2/6 2=(null)", "1/6 1=General Merchandise",
                           "2/6 2=(null)"};
    }
    void productTypes() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, stands);
        TestEnv env;
        const QString path = env.path(SettingsDb::kFileName);
        ProductTypeList list(path);
        QStringList seen;
        for (const QString& step : steps) {
            if (step == QLatin1String("first"))
                list.moveFirst();
            else if (step == QLatin1String("previous"))
                list.movePrevious();
            else if (step == QLatin1String("next"))
                list.moveNext();
            else if (step == QLatin1String("last"))
                list.moveLast();
            else if (step == QLatin1String("new"))
                list.addNew();
            else if (step == QLatin1String("delete"))
                list.removeCurrent();
            else if (step.startsWith(QLatin1String("rename ")))
                list.rename(step.mid(7));
            seen << at(list);
        }
        QCOMPARE(seen, stands);
        // What the list showed is what a fresh look at the file finds.
        ProductTypeList again(path);
        again.moveLast();
        QCOMPARE(again.count(), list.count());
    }

    void deletingTheFirstIsRefused() {
        TestEnv env;
        ProductTypeList list(env.path(SettingsDb::kFileName));
        QVERIFY(!list.removeCurrent());
        list.moveNext();
        QVERIFY(list.removeCurrent());
        QCOMPARE(at(list), QStringLiteral("1/5 1=General Merchandise"));
    }

    void setupValues_data() {
        QTest::addColumn<QString>("tranCode");
        QTest::addColumn<bool>("backup");
        QTest::addColumn<QVariant>("storedFlag");
        QTest::newRow("a tran code, backup") << "5" << true << QVariant(-1);
        QTest::newRow("no tran code, no backup") << "" << false << QVariant(0);
        QTest::newRow("a tran code of several digits") << "0412" << false << QVariant(0);
        QTest::newRow("dashes and blanks, as the bank prints them")
            << "04-1 2D" << false << QVariant(0);
        // Printed after the account number in the MICR line: anything else is refused.
        QTest::newRow("letters refused") << "XYZ-12" << false << QVariant();
        QTest::newRow("a lowercase d refused") << "04d1" << false << QVariant();
    }
    void setupValues() {
        QFETCH(QString, tranCode);
        QFETCH(bool, backup);
        QFETCH(QVariant, storedFlag);
        TestEnv env;
        const QString path = env.path(SettingsDb::kFileName);
        if (storedFlag.isNull()) {
            try {
                SetupOptions(path).store(tranCode, backup);
                QFAIL("the tran code was stored");
            } catch (const DbError& e) {
                QCOMPARE(e.message(), QStringLiteral("The tran code must be digits, blanks, D and "
                                                     "- only, as the MICR line of deposit tickets "
                                                     "prints it; \"%1\" was not stored.")
                                          .arg(tranCode));
            }
            const SetupOptions shipped(path);
            QCOMPARE(shipped.tranCode(), QString());
            QVERIFY(shipped.backupAtExit()); // nothing of the refused change was stored
            return;
        }
        SetupOptions(path).store(tranCode, backup);
        const SetupOptions again(path);
        QCOMPARE(again.tranCode(), tranCode);
        QCOMPARE(again.backupAtExit(), backup);
        RecordSet settings(Database::open(path), SettingsDb::kSettingsTable);
        QCOMPARE(settings.value(SettingsDb::kBackupAtExit).toInt(), storedFlag.toInt());
    }

    void aFlagNeverSetMeansNoBackup() {
        TestEnv env;
        const QString path = env.path(SettingsDb::kFileName);
        {
            RecordSet settings(Database::open(path), SettingsDb::kSettingsTable);
            settings.edit();
            settings.setValue(SettingsDb::kBackupAtExit, QVariant());
            settings.update();
        }
        QVERIFY(!SetupOptions(path).backupAtExit());
    }
};

QTEST_MAIN(TestSetupRules)
#include "tst_setuprules.moc"
