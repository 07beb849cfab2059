// The data-entry screen, driven through its real widgets on real check databases.
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "gui/databases/FileOpen.h"
#include "gui/entry/Check.h"
#include "support/CheckDbFixture.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

using namespace CheckDbFixture;

using namespace Drive;

namespace {

const QString kNote = QStringLiteral(
    "Please fill in the fields of the first check before you use this account. The first check in "
    "each Database is used as a template when creating new checks. This will minimize the amount "
    "of "
    "typing you will have to do when you create a new check. To go to the first check choose File "
    "- "
    "Goto First Check from the menu.");
const QString kLast =
    QStringLiteral("This is the last check in the account - choose NEW to create a new check.");
const QString kFirst = QStringLiteral("This is the first check in the account.");

const QVariantMap kPayer{{"BusinessName", "Maple Street Bakery"},
                         {"FirstName", "Jordan"},
                         {"ABA", "041000124"},
                         {"Account", "1234D567"},
                         {"PayTo", "Maple Street Bakery"}};

Check* openCheck(TestEnv& env, const QString& file) {
    env.program.setCurrentDatabase(file);
    env.context.openCheck();
    return TestEnv::screen<Check>(QStringLiteral("Check"));
}

void choose(QWidget* screen, const QString& comboName, const QString& entry) {
    auto* combo = screen->findChild<QComboBox*>(comboName);
    const int index = combo->findText(entry);
    QVERIFY2(index >= 0, qPrintable(entry));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QString comboText(QWidget* screen, const QString& comboName) {
    return screen->findChild<QComboBox*>(comboName)->currentText();
}

QString shownId(QWidget* screen) {
    return screen->findChild<QLabel*>(QStringLiteral("Label11"))->text();
}

// Without a database only the ways out work, and the screen says why.
bool onlyWaysOut(QWidget* check, const QString& why) {
    for (const char* name : {"New", "Delete", "Previous", "Next", "Command5"})
        if (check->findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled())
            return false;
    for (const char* name : {"FileSave", "Paste", "MPrint", "ExportMenu", "AllInAccount"})
        if (check->findChild<QAction*>(QString::fromLatin1(name))->isEnabled())
            return false;
    for (const char* name : {"Open", "MExit", "Setup", "About"})
        if (!check->findChild<QAction*>(QString::fromLatin1(name))->isEnabled())
            return false;
    if (!check->findChild<QPushButton*>(QStringLiteral("Save"))->isEnabled() ||
        !check->findChild<QLineEdit*>(QStringLiteral("PayToOrderOf"))->isReadOnly())
        return false;
    auto* unavailable = check->findChild<QLabel*>(QStringLiteral("Unavailable"));
    return unavailable->isVisible() && unavailable->text().startsWith(why);
}

} // namespace

class TestCheck : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TestEnv::closeAllScreens(); }

    void loadingANewDatabase() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        Check* check = openCheck(env, file);
        QVERIFY(check);
        const auto prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].text, kNote);
        QCOMPARE(prompts[0].title, QStringLiteral("Note"));
        QCOMPARE(check->windowTitle(), QStringLiteral("Check Database: Shop"));
        QCOMPARE(row(env, file, 1).value("Date").toString(), QStringLiteral("12/7/2026"));
        QCOMPARE(box(check, QStringLiteral("CheckDate"))->text(), QStringLiteral("12/7/2026"));
        QCOMPARE(shownId(check), QStringLiteral("1"));
        auto* combo1 = check->findChild<QComboBox*>(QStringLiteral("Combo1"));
        QCOMPARE(combo1->count(), 3);
        QCOMPARE(combo1->itemText(1), QStringLiteral("Multiple Times"));
        QCOMPARE(combo1->currentText(), QStringLiteral(" "));
        QVERIFY(check->findChild<QComboBox*>(QStringLiteral("Combo2"))->isVisible());
    }

    void captionsFollowTheKind_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("caption");
        QTest::newRow("draft") << "Draft"
                               << "Draft Database: Shop";
        QTest::newRow("check") << "Check"
                               << "Check Database: Shop";
        QTest::newRow("other") << "Savings"
                               << "Check Database: Shop";
    }
    void captionsFollowTheKind() {
        QFETCH(QString, type);
        QFETCH(QString, caption);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        {
            RecordSet header(Database::open(env.path(file)), CheckDb::kHeader);
            header.edit();
            header.setValue(QStringLiteral("AccountType"), type);
            header.update();
        }
        setTemplate(env, file, kPayer);
        QCOMPARE(openCheck(env, file)->windowTitle(), caption);
        QCOMPARE(env.prompter.takeTexts(), QStringList());
    }

    void noProductTypesHidesTheSelector() {
        TestEnv env;
        Database::open(env.path(QStringLiteral("PC.OVL")))
            ->exec(QStringLiteral("DELETE FROM BusinessType"));
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        Check* check = openCheck(env, file);
        QVERIFY(!check->findChild<QComboBox*>(QStringLiteral("Combo2"))->isVisible());
    }

    void walkingOffEitherEnd() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        Check* check = openCheck(env, file);
        click(check, QStringLiteral("Next"));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kLast});
        QCOMPARE(shownId(check), QStringLiteral("1"));
        click(check, QStringLiteral("Previous"));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kFirst});
        QCOMPARE(shownId(check), QStringLiteral("1"));
        QCOMPARE(box(check, QStringLiteral("Text3"))->text(),
                 QStringLiteral("Maple Street Bakery"));
    }

    void typedValuesAreStoredAndUntouchedFieldsStayNull() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        const qint64 a = addCheck(env, file, {{"PayTo", "Ann"}, {"Check", 101}});
        addCheck(env, file, {{"PayTo", "Bob"}, {"Check", 102}});
        Check* check = openCheck(env, file);
        QCOMPARE(shownId(check), QStringLiteral("3")); // the screen opens on the last record
        click(check, QStringLiteral("Previous"));
        typeInto(check, QStringLiteral("CheckAmount"), QStringLiteral("$1,234.5"));
        typeInto(check, QStringLiteral("Draft"), QStringLiteral("Invoice 7"));
        auto* comments = check->findChild<QPlainTextEdit*>(QStringLiteral("OptComts"));
        comments->setFocus();
        QTest::keyClicks(comments, QStringLiteral("line one"));
        QTest::keyClick(comments, Qt::Key_Return);
        QTest::keyClicks(comments, QStringLiteral("line two"));
        click(check, QStringLiteral("Next"));
        QVariantMap stored = row(env, file, a);
        QCOMPARE(stored.value("Amount").toString(), QStringLiteral("1234.50"));
        QCOMPARE(stored.value("For").toString(), QStringLiteral("Invoice 7"));
        QCOMPARE(stored.value("Comments").toString(), QStringLiteral("line one\r\nline two"));
        QVERIFY(stored.value("LastName").isNull());
        QVERIFY(stored.value("Zip").isNull());
        click(check, QStringLiteral("Previous"));
        QCOMPARE(box(check, QStringLiteral("CheckAmount"))->text(), QStringLiteral("1234.50"));
        // File - Save stores as well; a cleared box stores Null.
        typeInto(check, QStringLiteral("Draft"), QString());
        trigger(check, QStringLiteral("FileSave"));
        QVERIFY(row(env, file, a).value("For").isNull());
        QCOMPARE(env.prompter.takeTexts(), QStringList());
    }

    void refusedEntryLeavesTheRecordIntact_data() {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("kept");
        QTest::newRow("letters in the check number") << "CheckNumber"
                                                     << "Check"
                                                     << "1o1"
                                                     << "Check #"
                                                     << "101";
        QTest::newRow("a negative check number") << "CheckNumber"
                                                 << "Check"
                                                 << "-5"
                                                 << "Check #"
                                                 << "101";
        QTest::newRow("amount that is not an amount") << "CheckAmount"
                                                      << "Amount"
                                                      << "ten"
                                                      << "Amount"
                                                      << "5.00";
        // The MICR line prints these; a letter there is a check the bank cannot read.
        QTest::newRow("a letter in the account number")
            << "Account"
            << "Account"
            << "1234-5678 x"
            << "Account Number (enter uppercase D for dash)"
            << "12-34 D5";
        QTest::newRow("a dash in the routing number") << "ABA"
                                                      << "ABA"
                                                      << "0410-0012"
                                                      << "Bank Routing or Transit #"
                                                      << "041000124";
    }
    void refusedEntryLeavesTheRecordIntact() {
        QFETCH(QString, boxName);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, caption);
        QFETCH(QString, kept);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        const qint64 a = addCheck(env, file,
                                  {{"PayTo", "Ann"},
                                   {"Check", 101},
                                   {"Amount", "5.00"},
                                   {"ABA", "041000124"},
                                   {"Account", "12-34 D5"}});
        Check* check = openCheck(env, file);
        typeInto(check, QStringLiteral("PayToOrderOf"), QStringLiteral("Annabel"));
        typeInto(check, boxName, typed);
        click(check, QStringLiteral("Next"));
        const auto texts = env.prompter.takeTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(caption) && texts[0].contains(typed), qPrintable(texts[0]));
        const QVariantMap stored = row(env, file, a);
        QCOMPARE(stored.value("PayTo").toString(), QStringLiteral("Ann"));
        QCOMPARE(stored.value(field).toString(), kept);
        QCOMPARE(box(check, boxName)->text(), stored.value(field).toString());
        QCOMPARE(shownId(check), QString::number(a));
        // The screen stays usable: the other typed value is stored at the next commit.
        trigger(check, QStringLiteral("FileSave"));
        QCOMPARE(row(env, file, a).value("PayTo").toString(), QStringLiteral("Annabel"));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
    }

    void newFillsAndNumbers_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariant>("lastCheck");
        QTest::addColumn<QString>("number");
        QTest::newRow("check, header behind")
            << int(CheckDb::Kind::Check) << QVariant(1002) << "1051";
        QTest::newRow("check, no header number")
            << int(CheckDb::Kind::Check) << QVariant() << "1051";
        QTest::newRow("draft, header ahead")
            << int(CheckDb::Kind::Draft) << QVariant(2000) << "2001";
    }
    void newFillsAndNumbers() {
        QFETCH(int, kind);
        QFETCH(QVariant, lastCheck);
        QFETCH(QString, number);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"), CheckDb::Kind(kind));
        setTemplate(env, file, kPayer);
        addCheck(env, file, {{"PayTo", "Ann"}, {"Check", 1050}});
        setLastCheck(env, file, lastCheck);
        Check* check = openCheck(env, file);
        typeInto(check, QStringLiteral("CheckAmount"), QStringLiteral("9.99"));
        click(check, QStringLiteral("New"));
        QCOMPARE(row(env, file, 2).value("Amount").toString(), QStringLiteral("9.99"));
        QCOMPARE(shownId(check), QStringLiteral("3"));
        QCOMPARE(box(check, QStringLiteral("CheckNumber"))->text(), number);
        QCOMPARE(box(check, QStringLiteral("CheckDate"))->text(), QStringLiteral("12/7/2026"));
        QCOMPARE(comboText(check, QStringLiteral("Combo1")), QStringLiteral("One Time"));
        QCOMPARE(CheckDbFixture::lastCheck(env, file).toString(), number);
        const bool draft = CheckDb::Kind(kind) == CheckDb::Kind::Draft;
        QCOMPARE(box(check, QStringLiteral("Text3"))->text(),
                 draft ? QString() : QStringLiteral("Maple Street Bakery"));
        QCOMPARE(box(check, QStringLiteral("PayToOrderOf"))->text(),
                 draft ? QStringLiteral("Maple Street Bakery") : QString());
        QCOMPARE(box(check, QStringLiteral("ABA"))->text(),
                 draft ? QString() : QStringLiteral("041000124"));
    }

    void deleteRefusedAndConfirmed() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        addCheck(env, file, {{"PayTo", "Ann"}});
        const qint64 b = addCheck(env, file, {{"PayTo", "Bob"}});
        Check* check = openCheck(env, file);

        env.prompter.answerQuestion(false);
        click(check, QStringLiteral("Delete"));
        auto prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].text, QStringLiteral("Do you really want to delete this check?"));
        QCOMPARE(prompts[0].title, QStringLiteral("WARNING"));
        QCOMPARE(prompts[0].icon, Prompter::Icon::Stop);
        QVERIFY(!prompts[0].yesIsDefault);
        QCOMPARE(shownId(check), QString::number(b));
        QCOMPARE(count(env, file), 3);

        env.prompter.answerQuestion(true);
        click(check, QStringLiteral("Delete"));
        env.prompter.take();
        QCOMPARE(count(env, file), 2);
        QCOMPARE(shownId(check), QStringLiteral("2"));
        QCOMPARE(box(check, QStringLiteral("PayToOrderOf"))->text(), QStringLiteral("Ann"));

        click(check, QStringLiteral("Previous"));
        click(check, QStringLiteral("Delete"));
        QCOMPARE(env.prompter.takeTexts(),
                 QStringList{QStringLiteral("You CANNOT delete the first check in an account "
                                            "database - it is used to setup default fields.")});
        QCOMPARE(count(env, file), 2);
    }

    void printOptionAndProductType() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        QVariantMap templ = kPayer;
        templ.insert("Print", "Monthly");
        templ.insert("LPrint", 1);
        setTemplate(env, file, templ);
        const qint64 a =
            addCheck(env, file, {{"PayTo", "Ann"}, {"Print", "Monthly"}, {"For", "typed memo"}});
        const qint64 b = addCheck(env, file, {{"PayTo", "Bob"}, {"Print", "Weekly"}});
        Check* check = openCheck(env, file);
        QCOMPARE(comboText(check, QStringLiteral("Combo1")), QStringLiteral(" "));
        QCOMPARE(comboText(check, QStringLiteral("Combo2")), QStringLiteral(" "));
        choose(check, QStringLiteral("Combo1"), QStringLiteral("Don't Print"));
        QCOMPARE(row(env, file, b).value("Print").toString(), QStringLiteral("Never"));

        click(check, QStringLiteral("Previous"));
        QCOMPARE(shownId(check), QString::number(a));
        QCOMPARE(comboText(check, QStringLiteral("Combo1")), QStringLiteral("Multiple Times"));
        choose(check, QStringLiteral("Combo2"), QStringLiteral("Services"));
        QVariantMap stored = row(env, file, a);
        QCOMPARE(stored.value("BusinessType").toString(), QStringLiteral("Services"));
        QCOMPARE(stored.value("For").toString(), QStringLiteral("Services"));
        QCOMPARE(box(check, QStringLiteral("Draft"))->text(), QStringLiteral("Services"));

        // The label box stores True and False.
        auto* label = check->findChild<QCheckBox*>(QStringLiteral("PrintLabel"));
        QTest::mouseClick(label, Qt::LeftButton);
        trigger(check, QStringLiteral("FileSave"));
        QCOMPARE(row(env, file, a).value("LabelPrint").toInt(), YesNo::True);
        QTest::mouseClick(label, Qt::LeftButton);
        click(check, QStringLiteral("Next"));
        QCOMPARE(row(env, file, a).value("LabelPrint").toInt(), YesNo::False);

        // Goto First Check shows the template's own words for "Monthly" and its label flag.
        trigger(check, QStringLiteral("MProperties"));
        QCOMPARE(shownId(check), QStringLiteral("1"));
        QCOMPARE(comboText(check, QStringLiteral("Combo1")), QStringLiteral("Monthly Draft"));
        QVERIFY(label->isChecked());
        QCOMPARE(row(env, file, 1).value("Print").toString(), QStringLiteral("Monthly"));
        choose(check, QStringLiteral("Combo1"), QStringLiteral("One Time"));
        QCOMPARE(row(env, file, 1).value("Print").toString(), QStringLiteral("Once"));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
    }

    void searchMenu() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        addCheck(env, file, {{"PayTo", "Ann"}, {"Check", 112}});
        addCheck(env, file, {{"PayTo", "Bob"}, {"Check", 120}});
        addCheck(env, file, {{"PayTo", "Joanne"}, {"Check", 1012}});
        Check* check = openCheck(env, file);
        env.prompter.answerInput(QStringLiteral("BAKERY"));
        trigger(check, QStringLiteral("ViewByName"));
        QCOMPARE(env.prompter.take().size(), 1); // the prompt alone
        QCOMPARE(shownId(check), QStringLiteral("1"));
        click(check, QStringLiteral("Next"));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kLast});
        // Nothing matches: every check is shown again.
        env.prompter.answerInput(QStringLiteral("zebra"));
        trigger(check, QStringLiteral("ViewByName"));
        QCOMPARE(env.prompter.takeTexts().last(),
                 QStringLiteral("There were no matches - please try again"));
        QCOMPARE(shownId(check), QStringLiteral("1"));
        // By check number the digits are matched as text.
        env.prompter.answerInput(QStringLiteral("12"));
        trigger(check, QStringLiteral("CheckNum"));
        const auto prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QVERIFY(prompts[0].text.contains(QStringLiteral("CHECK field")));
        QCOMPARE(shownId(check), QStringLiteral("2"));
        click(check, QStringLiteral("Next"));
        click(check, QStringLiteral("Next"));
        QCOMPARE(shownId(check), QStringLiteral("4"));
        click(check, QStringLiteral("Next"));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kLast});
        trigger(check, QStringLiteral("AllInAccount"));
        QCOMPARE(shownId(check), QStringLiteral("1"));
    }

    void everyBoxIsNamedByItsLabel() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        Check* check = openCheck(env, file);
        const QList<QPair<QString, QString>> expected = {
            {"Text3", "Business Name (if applicable)"},
            {"Text1", "First Name"},
            {"Text2", "Last Name"},
            {"Address", "Address"},
            {"City", "City"},
            {"State", "State"},
            {"Zip", "Zip"},
            {"Phone", "Phone #"},
            {"Bank", "Charge To Bank Name"},
            {"BankCity", "Bank City"},
            {"BankState", "State"},
            {"Draft", "For (memo)"},
            {"ABA", "Bank Routing or Transit #"},
            {"Account", "Account Number (enter uppercase D for dash)"},
            {"PayToOrderOf", "Pay To The Order Of:"},
            {"CheckNumber", "Check #"},
            {"CheckDate", "Date"},
            {"CheckAmount", "Amount"}};
        QWidget* previous = nullptr;
        for (const auto& [name, caption] : expected) {
            QLineEdit* b = box(check, name);
            QCOMPARE(b->accessibleName(), caption);
            if (previous) {
                QWidget* next = previous->nextInFocusChain();
                while (!(next->focusPolicy() & Qt::TabFocus))
                    next = next->nextInFocusChain();
                QCOMPARE(next, b);
            }
            previous = b;
        }
        // Typing stops at each box's limit.
        typeInto(check, QStringLiteral("CheckNumber"), QStringLiteral("1234567"));
        QCOMPARE(box(check, QStringLiteral("CheckNumber"))->text(), QStringLiteral("123456"));
        typeInto(check, QStringLiteral("State"), QString(25, QLatin1Char('W')));
        QCOMPARE(box(check, QStringLiteral("State"))->text(), QString(20, QLatin1Char('W')));
        QCOMPARE(check->findChild<QPlainTextEdit*>(QStringLiteral("OptComts"))->accessibleName(),
                 QStringLiteral("Comments (optional - will not print on check)"));
        QCOMPARE(check->findChild<QComboBox*>(QStringLiteral("Combo1"))->accessibleName(),
                 QStringLiteral("How will this check print?"));
        QCOMPARE(check->findChild<QLabel*>(QStringLiteral("Label11"))->accessibleName(),
                 QStringLiteral("Record number"));
        QCOMPARE(check->findChild<QAction*>(QStringLiteral("Paste"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(check->findChild<QAction*>(QStringLiteral("ImportFromFile"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_I));
    }

    void storedValuesAreShownAndKeptWhole_data() {
        // Values an import stored longer than the box lets the user type.
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        QTest::newRow("routing number of 13 digits") << "ABA"
                                                     << "ABA"
                                                     << "0410001241234";
        QTest::newRow("state longer than its box")
            << "State"
            << "State" << QStringLiteral("North Carolina, Attention Accounts Payable, Building 7");
        QTest::newRow("check number of 7 digits") << "CheckNumber"
                                                  << "Check"
                                                  << "1234567";
    }
    void storedValuesAreShownAndKeptWhole() {
        QFETCH(QString, boxName);
        QFETCH(QString, field);
        QFETCH(QString, stored);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        const qint64 a = addCheck(env, file, {{"PayTo", "Ann"}, {field, stored}});
        addCheck(env, file, {{"PayTo", "Bob"}});
        Check* check = openCheck(env, file);
        click(check, QStringLiteral("Previous"));
        QLineEdit* b = box(check, boxName);
        QCOMPARE(b->text(), stored);
        // Left alone, it stays as it is.
        click(check, QStringLiteral("Next"));
        click(check, QStringLiteral("Previous"));
        QCOMPARE(row(env, file, a).value(field).toString(), stored);
        // Typing cannot make it longer; taking a character off keeps the rest.
        b->setFocus();
        QTest::keyClick(b, Qt::Key_End);
        QTest::keyClicks(b, QStringLiteral("9"));
        QCOMPARE(b->text(), stored);
        QTest::keyClick(b, Qt::Key_Backspace);
        trigger(check, QStringLiteral("FileSave"));
        QCOMPARE(row(env, file, a).value(field).toString(), stored.chopped(1));
        QCOMPARE(b->text(), stored.chopped(1));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
    }

    void routingMarkJudgesTheWholeStoredNumber_data() {
        QTest::addColumn<QString>("aba");
        QTest::addColumn<QString>("mark");
        QTest::newRow("good") << "041000124" << QStringLiteral("\u2713 valid");
        QTest::newRow("check digit wrong")
            << "041000125" << QStringLiteral("\u2717 check digit wrong");
        QTest::newRow("good number and more digits")
            << "0410001241234" << QStringLiteral("\u2717 not 9 digits");
        QTest::newRow("too short") << "04100012" << QStringLiteral("\u2717 not 9 digits");
        QTest::newRow("letters") << "04100012A" << QStringLiteral("\u2717 not 9 digits");
        QTest::newRow("none") << "" << QString();
    }
    void routingMarkJudgesTheWholeStoredNumber() {
        QFETCH(QString, aba);
        QFETCH(QString, mark);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        addCheck(env, file, {{"PayTo", "Ann"}, {"ABA", aba.isEmpty() ? QVariant() : aba}});
        Check* check = openCheck(env, file);
        QCOMPARE(check->findChild<QLabel*>(QStringLiteral("ABACheck"))->text(), mark);
    }

    void aPasteTooLongForItsBoxIsRefusedWhole() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        Check* check = openCheck(env, file);
        QVERIFY(QTest::qWaitForWindowExposed(check));
        QLineEdit* aba = box(check, QStringLiteral("ABA"));
        aba->setFocus();
        aba->selectAll();
        // Cut to nine digits, this paste would be a good routing number, not the one copied.
        QGuiApplication::clipboard()->setText(QStringLiteral("0260095931234"));
        aba->paste();
        QCOMPARE(aba->text(), QStringLiteral("041000124"));
        QCOMPARE(QToolTip::text(),
                 QStringLiteral("Bank Routing or Transit # takes at most 9 characters; what did "
                                "not fit was not put in."));
        trigger(check, QStringLiteral("FileSave"));
        QCOMPARE(row(env, file, 1).value("ABA").toString(), QStringLiteral("041000124"));
    }

    void amountsAreStoredPlainAndOldOnesKept() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        const qint64 a = addCheck(env, file, {{"PayTo", "Ann"}, {"Amount", "1,234.50"}});
        const qint64 b = addCheck(env, file, {{"PayTo", "Bob"}, {"Amount", "5.00"}});
        Check* check = openCheck(env, file);
        typeInto(check, QStringLiteral("CheckAmount"), QStringLiteral("$2,500"));
        trigger(check, QStringLiteral("FileSave"));
        QCOMPARE(row(env, file, b).value("Amount").toString(), QStringLiteral("2500.00"));
        QCOMPARE(box(check, QStringLiteral("CheckAmount"))->text(), QStringLiteral("2500.00"));
        // An amount stored with its commas stays so until it is typed again.
        click(check, QStringLiteral("Previous"));
        QCOMPARE(box(check, QStringLiteral("CheckAmount"))->text(), QStringLiteral("1,234.50"));
        typeInto(check, QStringLiteral("PayToOrderOf"), QStringLiteral("Annabel"));
        click(check, QStringLiteral("Next"));
        QCOMPARE(row(env, file, a).value("Amount").toString(), QStringLiteral("1,234.50"));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
    }

    void nextAfterNewUnderASearchComesBackToTheNewCheck() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        const qint64 a = addCheck(env, file, {{"PayTo", "Ann"}, {"Check", 701}});
        addCheck(env, file, {{"PayTo", "Bob"}, {"Check", 900}});
        Check* check = openCheck(env, file);
        env.prompter.answerInput(QStringLiteral("701"));
        trigger(check, QStringLiteral("CheckNum"));
        env.prompter.take();
        QCOMPARE(shownId(check), QString::number(a));
        click(check, QStringLiteral("New"));
        QCOMPARE(shownId(check), QStringLiteral("4"));
        click(check, QStringLiteral("Next"));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kLast});
        QCOMPARE(shownId(check), QStringLiteral("4"));
        QCOMPARE(box(check, QStringLiteral("CheckNumber"))->text(), QStringLiteral("901"));
        click(check, QStringLiteral("Previous"));
        QCOMPARE(shownId(check), QString::number(a));
        click(check, QStringLiteral("Next"));
        QCOMPARE(shownId(check), QStringLiteral("4"));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
    }

    void helpMessages() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        Check* check = openCheck(env, file);
        trigger(check, QStringLiteral("hcns"));
        trigger(check, QStringLiteral("hhtpsc"));
        const QStringList texts = env.prompter.takeTexts();
        QCOMPARE(texts.size(), 2);
        QVERIFY(
            texts[0].contains(QStringLiteral("numbers for Ledgerline checks.  \n\nFor example")));
        QVERIFY(!texts[1].contains(QLatin1Char('\n')));
    }

    void aDatabaseThatVanishedIsExplainedAndTheScreenStillLetsTheUserOut() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        QVERIFY(QFile::remove(env.path(file)));
        Check* check = openCheck(env, file);
        QVERIFY(check);
        const QStringList texts = env.prompter.takeTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(file), qPrintable(texts[0]));
        // What cannot work is off, and the screen says why.
        QVERIFY(onlyWaysOut(check, texts[0]));
        QVERIFY(box(check, QStringLiteral("PayToOrderOf"))->isReadOnly());
        click(check, QStringLiteral("Save"));
        QVERIFY(env.programEnds());
        QVERIFY(!QFile::exists(env.path(file)));
        const QStringList why = env.prompter.takeTexts();
        QCOMPARE(why.size(), 1);
        QVERIFY2(why[0].contains(QStringLiteral("cannot be found")), qPrintable(why[0]));
    }

    void aDatabaseTakenAwayWhileOpenIsToldAndNothingTypedIsDroppedUnsaid_data() {
        QTest::addColumn<bool>("deleted"); // or renamed
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("action"); // a button, a menu entry, or "Combo1"
        QTest::newRow("deleted, typed, Next") << true << "PayToOrderOf"
                                              << "Annabel"
                                              << "Next";
        QTest::newRow("renamed, New") << false << ""
                                      << ""
                                      << "New";
        QTest::newRow("deleted, a print option chosen") << true << ""
                                                        << ""
                                                        << "Combo1";
        // The file being gone is what the user must hear, not that the amount is wrong.
        QTest::newRow("deleted, an amount no field takes, Next") << true << "CheckAmount"
                                                                 << "ten"
                                                                 << "Next";
        QTest::newRow("renamed, Open Another Database") << false << "PayToOrderOf"
                                                        << "Annabel"
                                                        << "Open";
    }
    void aDatabaseTakenAwayWhileOpenIsToldAndNothingTypedIsDroppedUnsaid() {
        QFETCH(bool, deleted);
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, action);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        addCheck(env, file, {{"PayTo", "Ann"}, {"Amount", "5.00"}});
        Check* check = openCheck(env, file);
        if (deleted)
            QVERIFY(QFile::remove(env.path(file)));
        else
            QVERIFY(QFile::rename(env.path(file), env.path(QStringLiteral("Old.mdb"))));
        if (!typed.isEmpty())
            typeInto(check, boxName, typed);
        if (action == QLatin1String("Combo1"))
            choose(check, action, QStringLiteral("Don't Print"));
        else if (action == QLatin1String("Open"))
            trigger(check, action);
        else
            click(check, action);
        const QString moved =
            QStringLiteral(
                "The file Shop.mdb has been moved, renamed or deleted from the program folder %1 "
                "while Ledgerline had it open, so Ledgerline cannot save changes to it.")
                .arg(QDir::toNativeSeparators(env.folderPath()));
        QCOMPARE(env.prompter.takeTexts(), QStringList{moved});
        // Asked for at once, the chooser opens at once: nothing more could be stored.
        if (action == QLatin1String("Open")) {
            QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
            return;
        }
        // The check shown stays shown, with what was typed, and nothing else is tried.
        QCOMPARE(shownId(check), QStringLiteral("2"));
        QCOMPARE(box(check, QStringLiteral("PayToOrderOf"))->text(),
                 boxName == QLatin1String("PayToOrderOf") ? typed : QStringLiteral("Ann"));
        if (boxName == QLatin1String("CheckAmount"))
            QCOMPARE(box(check, boxName)->text(), typed);
        QVERIFY(onlyWaysOut(check, moved));
        click(check, QStringLiteral("Next"));
        trigger(check, QStringLiteral("Open"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
    }

    void everyEntryLeadsWhereItSays_data() {
        // Each row is named by the menu entry or button; "stays" when the screen it opens
        // comes on top of data entry.
        QTest::addColumn<bool>("stays");
        for (const char* onTop : {"ExportMenu", "ImportFromFile", "Setup", "MICR", "ocs", "About"})
            QTest::newRow(onTop) << true;
        for (const char* away : {"MPrint", "FilePrint", "Open", "Command5"})
            QTest::newRow(away) << false;
    }
    void everyEntryLeadsWhereItSays() {
        const QString entry = QString::fromUtf8(QTest::currentDataTag());
        QFETCH(bool, stays);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        Check* check = openCheck(env, file);
        typeInto(check, QStringLiteral("Text2"), QStringLiteral("Reyes"));
        if (entry == QLatin1String("Command5"))
            click(check, entry);
        else
            trigger(check, entry);
        // What was typed is stored before the other screen opens.
        QCOMPARE(row(env, file, 1).value("LastName").toString(), QStringLiteral("Reyes"));
        const QStringList screens = TestEnv::openScreens();
        QCOMPARE(screens.size(), stays ? 2 : 1);
        QCOMPARE(screens.contains(QStringLiteral("Check")), stays);
        QVERIFY(!env.program.ended());
    }

    void leavingTheScreen() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        Check* check = openCheck(env, file);
        typeInto(check, QStringLiteral("Text2"), QStringLiteral("Reyes"));
        trigger(check, QStringLiteral("Open"));
        QCOMPARE(row(env, file, 1).value("LastName").toString(), QStringLiteral("Reyes"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
        TestEnv::closeAllScreens();

        check = openCheck(env, file);
        trigger(check, QStringLiteral("MPrint"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"PrinterControl"});
        click(TestEnv::screen(QStringLiteral("PrinterControl")), QStringLiteral("Cancelpc"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});

        // Closing the window is File - Exit: the typed text is stored, the backup made.
        check = TestEnv::screen<Check>(QStringLiteral("Check"));
        typeInto(check, QStringLiteral("Zip"), QStringLiteral("44118"));
        check->close();
        QVERIFY(env.programEnds());
        QCOMPARE(row(env, file, 1).value("Zip").toString(), QStringLiteral("44118"));
        QVERIFY(QFile::exists(env.path(QStringLiteral("Shop.bak"))));
    }
};

QTEST_MAIN(TestCheck)
#include "tst_check.moc"
