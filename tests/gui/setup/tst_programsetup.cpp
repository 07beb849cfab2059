// Program setup, opened from the data-entry screen and driven through its widgets.
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/settings/SettingsDb.h"
#include "support/CheckDbFixture.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

using namespace Drive;

namespace {

const QString kRestart = QStringLiteral(
    "Changes will be effective in the drop down box after program exit and restart.");

QWidget* openSetup(TestEnv& env) {
    const QString db = CheckDbFixture::create(env, QStringLiteral("Shop"));
    CheckDbFixture::setTemplate(env, db, {{"BusinessName", "Maple Street Bakery"}});
    env.program.setCurrentDatabase(db);
    env.context.openCheck();
    trigger(TestEnv::screen(QStringLiteral("Check")), QStringLiteral("Setup"));
    return TestEnv::screen(QStringLiteral("ProgramSetup"));
}

QVariant setting(TestEnv& env, const QString& field) {
    RecordSet rs(Database::open(env.path(SettingsDb::kFileName)), SettingsDb::kSettingsTable);
    return rs.value(field);
}

/// The product types as stored: "ID=name", Null shown as "ID=(null)".
QStringList productTypes(TestEnv& env) {
    QStringList out;
    RecordSet rs(Database::open(env.path(SettingsDb::kFileName)), SettingsDb::kProductTypeTable);
    for (; !rs.eof(); rs.moveNext()) {
        const QVariant name = rs.value(QStringLiteral("BusinessType"));
        out << QStringLiteral("%1=%2")
                   .arg(rs.currentId())
                   .arg(name.isNull() ? QStringLiteral("(null)") : name.toString());
    }
    return out;
}

QString shown(QWidget* screen) {
    return screen->findChild<QLabel*>(QStringLiteral("Label11"))->text() + QLatin1Char('=') +
           box(screen, QStringLiteral("Text2"))->text();
}

void arrow(QWidget* screen, const char* name) {
    QTest::mouseClick(screen->findChild<QToolButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

} // namespace

class TestProgramSetup : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TestEnv::closeAllScreens(); }

    void editsAreStoredHoweverTheScreenCloses_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("backup");
        QTest::addColumn<QStringList>("prompts");
        QTest::newRow("OK") << "OK" << false << QStringList{kRestart};
        QTest::newRow("Done") << "Command3" << true << QStringList{};
        QTest::newRow("window closed") << "close" << false << QStringList{};
        QTest::newRow("Escape") << "escape" << true << QStringList{};
    }
    void editsAreStoredHoweverTheScreenCloses() {
        QFETCH(QString, how);
        QFETCH(bool, backup);
        QFETCH(QStringList, prompts);
        TestEnv env;
        {
            RecordSet rs(Database::open(env.path(SettingsDb::kFileName)),
                         SettingsDb::kSettingsTable);
            rs.edit();
            rs.setValue(SettingsDb::kBackupAtExit, backup ? 0 : -1);
            rs.update();
        }
        QWidget* screen = openSetup(env);
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Program Setup and Options"));
        QCOMPARE(shown(screen), QStringLiteral("1=General Merchandise"));
        QCOMPARE(screen->findChild<QLabel*>(QStringLiteral("Data25Position"))->text(),
                 QStringLiteral("1 of 6"));

        typeInto(screen, QStringLiteral("Text2"), QStringLiteral("Baked Goods"));
        arrow(screen, "Data25Next"); // moving on stores the name typed
        typeInto(screen, QStringLiteral("Text2"), QStringLiteral("Catering"));
        typeInto(screen, QStringLiteral("Text1"), QStringLiteral("0412"));
        auto* copy = screen->findChild<QCheckBox*>(QStringLiteral("Copy"));
        QCOMPARE(copy->isChecked(), !backup);
        QTest::mouseClick(copy, Qt::LeftButton);

        if (how == QLatin1String("close"))
            screen->close();
        else if (how == QLatin1String("escape"))
            QTest::keyClick(screen, Qt::Key_Escape);
        else
            click(screen, how);

        QCOMPARE(env.prompter.takeTexts(), prompts);
        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});
        QCOMPARE(productTypes(env).mid(0, 3),
                 (QStringList{"1=Baked Goods", "2=Catering", "3=Repairs"}));
        QCOMPARE(setting(env, SettingsDb::kTranCode), QVariant("0412"));
        QCOMPARE(setting(env, SettingsDb::kBackupAtExit).toInt(), backup ? -1 : 0);
    }

    // The positive-pay layout: a settings file from before it shows the usual one, and
    // closing the screen stores the choices, adding the fields they need.
    void positivePayChoicesAreStored() {
        TestEnv env;
        {
            auto db = Database::open(env.path(SettingsDb::kFileName));
            for (const FieldDef& f : SettingsDb::laterFields())
                db->exec(QStringLiteral("ALTER TABLE Properties DROP COLUMN %1")
                             .arg(Database::quote(f.name)));
        }
        QWidget* screen = openSetup(env);
        auto* columns = screen->findChild<QListWidget*>(QStringLiteral("PayColumns"));
        auto* dates = screen->findChild<QComboBox*>(QStringLiteral("PayDateFormat"));
        auto* amounts = screen->findChild<QComboBox*>(QStringLiteral("PayAmounts"));
        auto* voids = screen->findChild<QCheckBox*>(QStringLiteral("PayVoids"));
        QCOMPARE(
            QStringList({columns->accessibleName(), dates->accessibleName(),
                         amounts->accessibleName(), voids->text()}),
            QStringList({"Column order:", "Date format:", "Amounts:", "Include &voided checks"}));
        const auto order = [&] {
            QStringList out;
            for (int row = 0; row < columns->count(); ++row)
                out << columns->item(row)->text();
            return out.join(u',');
        };
        QCOMPARE(order(),
                 QStringLiteral("Account Number,Check Number,Issue Date,Amount,Payee,Void"));
        QCOMPARE(dates->currentText(), QStringLiteral("MM/DD/YYYY"));
        QCOMPARE(amounts->currentIndex(), 0);
        QVERIFY(voids->isChecked());

        // The first column goes no higher, the last no lower.
        columns->setCurrentRow(0);
        click(screen, QStringLiteral("PayColumnUp"));
        columns->setCurrentRow(2);
        click(screen, QStringLiteral("PayColumnUp"));
        click(screen, QStringLiteral("PayColumnUp"));
        columns->setCurrentRow(5);
        click(screen, QStringLiteral("PayColumnDown"));
        columns->setCurrentRow(1);
        click(screen, QStringLiteral("PayColumnDown"));
        QCOMPARE(order(),
                 QStringLiteral("Issue Date,Check Number,Account Number,Amount,Payee,Void"));
        dates->setCurrentIndex(dates->findText(QStringLiteral("YYYYMMDD")));
        amounts->setCurrentIndex(1);
        QTest::mouseClick(voids, Qt::LeftButton);
        click(screen, QStringLiteral("Command3"));

        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});
        QCOMPARE(setting(env, SettingsDb::kPayColumns),
                 QVariant("IssueDate,Check,Account,Amount,Payee,Void"));
        QCOMPARE(setting(env, SettingsDb::kPayDates), QVariant("YYYYMMDD"));
        QCOMPARE(setting(env, SettingsDb::kPayCents).toInt(), -1);
        QCOMPARE(setting(env, SettingsDb::kPayVoids).toInt(), 0);
    }

    // A tran code the MICR line cannot print keeps the screen open, with the reason.
    void aTranCodeWithLettersIsRefused() {
        TestEnv env;
        QWidget* screen = openSetup(env);
        typeInto(screen, QStringLiteral("Text1"), QStringLiteral("XYZ-12"));
        click(screen, QStringLiteral("Command3"));
        QCOMPARE(env.prompter.takeTexts(),
                 QStringList{"The tran code must be digits, blanks, D and - only, as the MICR "
                             "line of deposit tickets prints it; \"XYZ-12\" was not stored."});
        QCOMPARE(TestEnv::openScreens(), (QStringList{"Check", "ProgramSetup"}));
        QCOMPARE(setting(env, SettingsDb::kTranCode), QVariant(""));
        typeInto(screen, QStringLiteral("Text1"), QStringLiteral("12-3"));
        click(screen, QStringLiteral("Command3"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});
        QCOMPARE(setting(env, SettingsDb::kTranCode), QVariant("12-3"));
    }

    void newDeleteAndWalking() {
        TestEnv env;
        QWidget* screen = openSetup(env);
        // Asked for again, the open screen comes to the front: never two that store.
        trigger(TestEnv::screen(QStringLiteral("Check")), QStringLiteral("Setup"));
        QCOMPARE(TestEnv::openScreens(), (QStringList{"Check", "ProgramSetup"}));
        arrow(screen, "Data25Previous"); // on the first, stays there
        QCOMPARE(shown(screen), QStringLiteral("1=General Merchandise"));
        click(screen, QStringLiteral("Delete"));
        QCOMPARE(env.prompter.takeTexts(),
                 QStringList{"You CANNOT delete the first record - you can only change it."});
        QCOMPARE(productTypes(env).size(), 6);

        arrow(screen, "Data25Last");
        arrow(screen, "Data25Next"); // on the last, stays there
        QCOMPARE(shown(screen), QStringLiteral("6=Other"));
        arrow(screen, "Data25Previous");
        click(screen, QStringLiteral("Delete"));
        QCOMPARE(shown(screen), QStringLiteral("1=General Merchandise"));

        click(screen, QStringLiteral("Command1"));
        QCOMPARE(shown(screen), QStringLiteral("7="));
        QCOMPARE(screen->findChild<QLabel*>(QStringLiteral("Data25Position"))->text(),
                 QStringLiteral("6 of 6"));
        click(screen, QStringLiteral("Command3"));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
        QCOMPARE(productTypes(env), (QStringList{"1=General Merchandise", "2=Services", "3=Repairs",
                                                 "4=Subscription", "6=Other", "7=(null)"}));
    }
};

QTEST_MAIN(TestProgramSetup)
#include "tst_programsetup.moc"
