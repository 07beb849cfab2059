// The register window, Void on the data-entry screen and Export Positive Pay, driven
// through their real widgets on real check databases.
#include "core/platform/Database.h"
#include "core/register/RegisterModel.h"
#include "gui/entry/Check.h"
#include "gui/register/Register.h"
#include "support/CheckDbFixture.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace CheckDbFixture;
using namespace Drive;

namespace {

// A CHECK database of five checks: two printed, one of those void already.
QString shop(TestEnv& env) {
    const QString file = create(env, QStringLiteral("Shop"));
    setTemplate(env, file, {{"BusinessName", "Maple Street Bakery"}, {"Account", "1234D567"}});
    const QVariantMap base{{"Account", "1234D567"}, {"Print", "Once"}};
    addCheck(env, file,
             with(base, {{"Check", 1001},
                         {"PayTo", "Harbor Office"},
                         {"Amount", "142.18"},
                         {"Date", "11/30/2026"}}));
    addCheck(env, file,
             with(base, {{"Check", 1002},
                         {"PayTo", "Greenfield Utilities"},
                         {"Amount", "389.02"},
                         {"Date", "12/2/2026"},
                         {"Print", "Never"},
                         {"Printed", "12/3/2026"}}));
    addCheck(env, file,
             with(base, {{"Check", 1003},
                         {"PayTo", "Main Street"},
                         {"Amount", "1850.00"},
                         {"Date", "12/3/2026"},
                         {"Print", "Never"},
                         {"Printed", "12/3/2026"},
                         {"VoidDate", "12/4/2026"},
                         {"VoidReason", "Torn"}}));
    addCheck(
        env, file,
        with(base,
             {{"Check", 1004}, {"PayTo", "Pat Morgan"}, {"Amount", "ten"}, {"Date", "12/5/2026"}}));
    addCheck(env, file,
             with(base, {{"Check", 1005},
                         {"PayTo", "Harbor Office"},
                         {"Amount", "0.82"},
                         {"Date", "12/6/2026"}}));
    return file;
}

Check* openCheck(TestEnv& env, const QString& file) {
    env.program.setCurrentDatabase(file);
    env.context.openCheck();
    return TestEnv::screen<Check>(QStringLiteral("Check"));
}

Register* openRegister(Check* check) {
    trigger(check, QStringLiteral("MRegister"));
    return TestEnv::screen<Register>(QStringLiteral("Register"));
}

QString column(Register* reg, int c) {
    QStringList out;
    QAbstractItemModel* model = reg->findChild<QTableView*>(QStringLiteral("Table"))->model();
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, c).data().toString();
    return out.join(u',');
}

QString summary(Register* reg) {
    if (!QTest::qWaitFor([&] { return reg->model()->totals().done(); }, 10'000))
        return QStringLiteral("(still counting)");
    return reg->findChild<QLabel*>(QStringLiteral("Summary"))->text();
}

} // namespace

class TestRegisterWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TestEnv::closeAllScreens(); }

    void opensBesideDataEntryAndReadsAloud() {
        TestEnv env;
        Check* check = openCheck(env, shop(env));
        Register* reg = openRegister(check);
        QVERIFY(reg);
        // The button brings the same window to the front rather than a second one.
        click(check, QStringLiteral("RegisterButton"));
        QCOMPARE(TestEnv::openScreens(), (QStringList{"Check", "Register"}));
        QCOMPARE(column(reg, 0), QStringLiteral("1001,1002,1003,1004,1005"));
        QCOMPARE(column(reg, 3), QStringLiteral("142.18,389.02,1,850.00,ten,0.82"));
        QCOMPARE(summary(reg), QStringLiteral("5 checks (1 void), total without the void ones "
                                              "$532.02; 1 amount is not a number and is left out"));
        const std::pair<const char*, const char*> named[] = {
            {"SearchText", "Search:"},
            {"FromDate", "Dated from:"},
            {"ToDate", "to:"},
            {"SortColumn", "Sort by:"},
            {"SortOrder", "Order:"},
            {"Table", "Checks"},
            {"Summary", "Count and total of the checks shown"}};
        for (const auto& [name, caption] : named)
            QCOMPARE(reg->findChild<QWidget*>(QString::fromLatin1(name))->accessibleName(),
                     QString::fromLatin1(caption));
        QVERIFY(reg->findChild<QLabel*>(QStringLiteral("Summary"))->focusPolicy() & Qt::TabFocus);
    }

    void narrowingAndSorting() {
        TestEnv env;
        Register* reg = openRegister(openCheck(env, shop(env)));
        typeInto(reg, QStringLiteral("SearchText"), QStringLiteral("harbor"));
        QTest::keyClick(box(reg, QStringLiteral("SearchText")), Qt::Key_Return);
        QCOMPARE(column(reg, 0), QStringLiteral("1001,1005"));
        QCOMPARE(summary(reg), QStringLiteral("2 checks, total $143.00"));

        // A date that is no date narrows nothing until it is corrected, and says so.
        typeInto(reg, QStringLiteral("FromDate"), QStringLiteral("12/32/2026"));
        QTest::keyClick(box(reg, QStringLiteral("FromDate")), Qt::Key_Return);
        auto* problem = reg->findChild<QLabel*>(QStringLiteral("FilterProblem"));
        QVERIFY(problem->isVisible());
        QCOMPARE(problem->text(), QStringLiteral("\"12/32/2026\" is not a date. Type dates as "
                                                 "m/d/yyyy, such as 12/7/2026."));
        QCOMPARE(column(reg, 0), QStringLiteral("1001,1005"));
        typeInto(reg, QStringLiteral("FromDate"), QStringLiteral("12/1/2026"));
        // Typing is waited out, then the rows narrow on their own.
        QTRY_COMPARE(column(reg, 0), QStringLiteral("1005"));
        QVERIFY(!problem->isVisible());

        click(reg, QStringLiteral("ShowAll"));
        QCOMPARE(box(reg, QStringLiteral("SearchText"))->text(), QString());
        QCOMPARE(column(reg, 0), QStringLiteral("1001,1002,1003,1004,1005"));

        // The header sorts, and a second click turns the order round; the sort boxes follow.
        QHeaderView* header =
            reg->findChild<QTableView*>(QStringLiteral("Table"))->horizontalHeader();
        emit header->sectionClicked(3);
        QCOMPARE(column(reg, 0), QStringLiteral("1004,1005,1001,1002,1003"));
        emit header->sectionClicked(3);
        QCOMPARE(column(reg, 0), QStringLiteral("1003,1002,1001,1005,1004"));
        auto* sortColumn = reg->findChild<QComboBox*>(QStringLiteral("SortColumn"));
        QCOMPARE(sortColumn->currentText(), QStringLiteral("Amount"));
        QCOMPARE(reg->findChild<QComboBox*>(QStringLiteral("SortOrder"))->currentText(),
                 QStringLiteral("Descending"));
        // From the keyboard: the sort boxes.
        sortColumn->setCurrentIndex(2);
        emit sortColumn->activated(2);
        QCOMPARE(column(reg, 2),
                 QStringLiteral("Pat Morgan,Main Street,Harbor Office,Harbor Office,Greenfield "
                                "Utilities"));
    }

    void aChosenCheckShowsOnDataEntry() {
        TestEnv env;
        Check* check = openCheck(env, shop(env));
        // A search on the data-entry screen that leaves the check out gives way to all checks.
        env.prompter.answerInput(QStringLiteral("Maple"));
        trigger(check, QStringLiteral("ViewByName"));
        env.prompter.clear();
        Register* reg = openRegister(check);
        auto* table = reg->findChild<QTableView*>(QStringLiteral("Table"));
        table->setCurrentIndex(table->model()->index(3, 0));
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(box(check, QStringLiteral("CheckNumber"))->text(), QStringLiteral("1004"));
        QCOMPARE(box(check, QStringLiteral("PayToOrderOf"))->text(), QStringLiteral("Pat Morgan"));
        table->setCurrentIndex(table->model()->index(0, 0));
        click(reg, QStringLiteral("ShowCheck"));
        QCOMPARE(box(check, QStringLiteral("CheckNumber"))->text(), QStringLiteral("1001"));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
        // Leaving data entry for another database takes the register along.
        trigger(check, QStringLiteral("Open"));
        QTRY_VERIFY(!TestEnv::openScreens().contains(QStringLiteral("Register")));
    }

    // Delete on a printed check offers Void; Void asks why, and the check shows VOID and
    // takes no typing but comments.
    void deleteOffersVoidForAPrintedCheck() {
        TestEnv env;
        const QString file = shop(env);
        Check* check = openCheck(env, file);
        // The printed check 1002 is three before the last, which the screen opens on.
        click(check, QStringLiteral("Previous"));
        click(check, QStringLiteral("Previous"));
        click(check, QStringLiteral("Previous"));
        QCOMPARE(box(check, QStringLiteral("CheckNumber"))->text(), QStringLiteral("1002"));
        env.prompter.answerQuestion(true);
        env.prompter.answerCancel();
        click(check, QStringLiteral("Delete"));
        const QList<Prompt> asked = env.prompter.take();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[0].text, QStringLiteral("Check #1002 was printed on 12/3/2026, so it is "
                                               "kept: a printed check may still reach the "
                                               "bank.\n\nVoid it instead?"));
        QVERIFY(!asked[0].yesIsDefault);
        QCOMPARE(asked[1].text, QStringLiteral("Why is check #1002 void? The reason is kept "
                                               "with the check, which will never print again."));
        QCOMPARE(asked[1].title, QStringLiteral("Void Check"));
        // Cancelled: nothing changed.
        QVERIFY(row(env, file, 3).value("VoidDate").isNull());
        QCOMPARE(count(env, file), 6);

        env.prompter.answerInput(QStringLiteral("Wrong payee"));
        click(check, QStringLiteral("VoidButton"));
        QCOMPARE(row(env, file, 3).value("VoidReason").toString(), QStringLiteral("Wrong payee"));
        auto* mark = check->findChild<QLabel*>(QStringLiteral("VoidMark"));
        QVERIFY(mark->isVisible());
        QCOMPARE(mark->text(), QStringLiteral("VOID since 12/7/2026: Wrong payee"));
        QVERIFY(box(check, QStringLiteral("CheckAmount"))->isReadOnly());
        QVERIFY(!check->findChild<QPlainTextEdit*>(QStringLiteral("OptComts"))->isReadOnly());
        for (const char* off : {"Combo1", "Combo2", "VoidButton"})
            QVERIFY2(!check->findChild<QWidget*>(QString::fromLatin1(off))->isEnabled(), off);
        QVERIFY(!check->findChild<QAction*>(QStringLiteral("MVoid"))->isEnabled());
        // Another check is open to typing again.
        click(check, QStringLiteral("Previous"));
        QVERIFY(!box(check, QStringLiteral("CheckAmount"))->isReadOnly());
        QVERIFY(!mark->isVisible());
        QVERIFY(check->findChild<QWidget*>(QStringLiteral("VoidButton"))->isEnabled());
    }

    void exportPositivePay() {
        TestEnv env;
        Check* check = openCheck(env, shop(env));
        trigger(check, QStringLiteral("MPositivePay"));
        QWidget* pay = TestEnv::screen(QStringLiteral("PositivePayExport"));
        QVERIFY(pay);
        QCOMPARE(box(pay, QStringLiteral("FromDate"))->text(), QStringLiteral("12/7/2026"));
        QCOMPARE(box(pay, QStringLiteral("FileName"))->text(),
                 QDir::toNativeSeparators(env.path(QStringLiteral("Shop positive pay.csv"))));
        QCOMPARE(box(pay, QStringLiteral("FileName"))->accessibleName(), QStringLiteral("File:"));

        typeInto(pay, QStringLiteral("FromDate"), QStringLiteral("12/1/2026"));
        typeInto(pay, QStringLiteral("ToDate"), QStringLiteral("11/1/2026"));
        click(pay, QStringLiteral("Export"));
        QCOMPARE(env.prompter.takeTexts(),
                 QStringList{"The first date, 12/1/2026, is after the last, 11/1/2026: no check "
                             "lies between."});

        typeInto(pay, QStringLiteral("ToDate"), QStringLiteral("12/7/2026"));
        typeInto(pay, QStringLiteral("FileName"), QStringLiteral("bank.csv"));
        const QString target = env.path(QStringLiteral("bank.csv"));
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        env.prompter.answerQuestion(false);
        click(pay, QStringLiteral("Export"));
        const QString shown = QDir::toNativeSeparators(target);
        QCOMPARE(
            env.prompter.takeTexts(),
            QStringList{QStringLiteral("The file %1 already exists.\n\nReplace it?").arg(shown)});
        QCOMPARE(digest(target), QCryptographicHash::hash("old", QCryptographicHash::Sha256));

        env.prompter.answerQuestion(true);
        click(pay, QStringLiteral("Export"));
        QCOMPARE(
            env.prompter.takeTexts(),
            (QStringList{QStringLiteral("The file %1 already exists.\n\nReplace it?").arg(shown),
                         QStringLiteral("The positive pay file %1 lists 2 checks printed or "
                                        "voided from 12/1/2026 to 12/7/2026.")
                             .arg(shown)}));
        QFile written(target);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(),
                 QByteArray("Account Number,Check Number,Issue Date,Amount,Payee,Void\r\n"
                            "1234567,1002,12/02/2026,389.02,Greenfield Utilities,N\r\n"
                            "1234567,1003,12/03/2026,1850.00,Main Street,Y\r\n"));
        QTRY_VERIFY(!TestEnv::openScreens().contains(QStringLiteral("PositivePayExport")));
    }

    void aDraftDatabaseHasNoPositivePay() {
        TestEnv env;
        Check* check = openCheck(env, create(env, QStringLiteral("Drafts"), CheckDb::Kind::Draft));
        env.prompter.clear();
        trigger(check, QStringLiteral("MPositivePay"));
        QCOMPARE(env.prompter.takeTexts(),
                 QStringList{"A DRAFT database has no positive pay file: drafts are drawn on your "
                             "customers' accounts, not on yours, so your bank has no checks of "
                             "yours to match them against."});
        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});
    }
};

QTEST_MAIN(TestRegisterWindow)
#include "tst_registerwindow.moc"
