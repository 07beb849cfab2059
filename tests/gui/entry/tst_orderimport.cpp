// File - Paste Order Form on the data-entry screen: from the clipboard into a check.
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "gui/entry/Check.h"
#include "support/CheckDbFixture.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace CheckDbFixture;

namespace {

const QString kVerified = QStringLiteral(
    "Routing and Account numbers were successfully verified to the Bottom Check Row!");
const QString kNoRow = QStringLiteral(
    "The bottom check row field to verify account and routing numbers does not exist!");
const QString kRoutingWrong = QStringLiteral("Bank Routing Number does NOT match bottom check row "
                                             "field used to verify the bank routing number!");

QString form(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

const QStringList kOrder = {
    "CustomerFirstName: Alice",
    "CustomerLastName: O'Brien",
    "CustomerAddress: 14 Orchard Lane",
    "CustomerCity: Springfield",
    "CustomerState: IL",
    "CustomerZip: 62704",
    "CustomerPhone: 217-555-0199",
    "BankName: First Prairie Bank",
    "BankCity: Springfield",
    "BankState: IL",
    "BankRoutingNumber: 071000013",
    "BankAccountNumber: 4410 2231 7",
    "CheckNumber: 3051",
    "TotalCost: 49.95",
    "BottomCheckRow: A071000013A 4410 2231 7C 3051",
    "CustomerEMailAddress: alice@example.com",
    "SpecialComments: Leave at the back door",
    "BankPhoneNumber: 217-555-0100",
};

Check* open(TestEnv& env, const QString& file) {
    env.program.setCurrentDatabase(file);
    env.context.openCheck();
    env.prompter.take();
    return TestEnv::screen<Check>(QStringLiteral("Check"));
}

void paste(Check* check, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    auto* action = check->findChild<QAction*>(QStringLiteral("Paste"));
    QVERIFY(action);
    action->trigger();
}

} // namespace

class TestOrderImport : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TestEnv::closeAllScreens(); }

    void aFilledCheckGetsANewOneForTheOrder() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Drafts"), CheckDb::Kind::Draft);
        setTemplate(env, file,
                    {{"PayTo", "Maple Street Bakery"}, {"BusinessName", "x"}, {"FirstName", "y"}});
        setLastCheck(env, file, 3000);
        Check* check = open(env, file);
        paste(check, form(kOrder));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kVerified});
        QCOMPARE(count(env, file), 2);
        const QVariantMap row = CheckDbFixture::row(env, file, 2);
        QCOMPARE(row.value("FirstName").toString(), QStringLiteral("Alice"));
        QCOMPARE(row.value("LastName").toString(), QStringLiteral("O'Brien"));
        QCOMPARE(row.value("ABA").toString(), QStringLiteral("071000013"));
        QCOMPARE(row.value("Account").toString(), QStringLiteral("4410 2231 7"));
        QCOMPARE(row.value("Check").toLongLong(), 3051);
        QCOMPARE(row.value("Amount").toString(), QStringLiteral("49.95"));
        QCOMPARE(row.value("PayTo").toString(), QStringLiteral("Maple Street Bakery"));
        QCOMPARE(row.value("Print").toString(), QStringLiteral("Once"));
        QVERIFY(row.value("BusinessName").isNull());
        QCOMPARE(
            row.value("Comments").toString(),
            QStringLiteral("BankPhoneNumber: 217-555-0100\r\nEMailAddress: alice@example.com\r\n"
                           "Leave at the back door\r\n"));
        QCOMPARE(check->findChild<QLabel*>(QStringLiteral("Label11"))->text(), QStringLiteral("2"));
        QCOMPARE(check->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
                 QStringLiteral("Alice"));
    }

    void aCheckWithOneNameTakesTheOrderInPlace_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("first name only") << "FirstName";
        QTest::newRow("business name only") << "BusinessName";
    }
    void aCheckWithOneNameTakesTheOrderInPlace() {
        QFETCH(QString, field);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Drafts"), CheckDb::Kind::Draft);
        setTemplate(env, file, {{"PayTo", "Maple Street Bakery"}});
        const qint64 id = addCheck(env, file, {{field, "Someone"}, {"Check", 12}});
        Check* check = open(env, file);
        QStringList lines = kOrder;
        lines << "CardNumber: 4111 1111 1111 1111"
              << "CardExpDate: 04"
              << "CardExpYear: 2028"
              << "CardType: Visa";
        lines.replace(lines.indexOf("BottomCheckRow: A071000013A 4410 2231 7C 3051"),
                      "BottomCheckRow: A999999999A 4410 2231 7C");
        paste(check, form(lines));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kRoutingWrong});
        QCOMPARE(count(env, file), 2);
        const QVariantMap row = CheckDbFixture::row(env, file, id);
        QCOMPARE(row.value("City").toString(), QStringLiteral("Springfield"));
        QCOMPARE(
            row.value("Comments").toString(),
            QStringLiteral(
                "BankPhoneNumber: 217-555-0100\r\nEMailAddress: alice@example.com\r\n"
                "Leave at the back door\r\nCardNumber: 4111 1111 1111 1111\r\nCardExpDate: 04\r\n"
                "CardExpYear: 2028\r\nCardType: Visa"));
    }

    void aBadValueWritesNothingAndMakesNoCheck_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("label");
        QTest::newRow("letters after TotalCost") << "TotalCost: 12abc"
                                                 << "TotalCost";
        QTest::newRow("check number with a letter") << "CheckNumber: 30x1"
                                                    << "CheckNumber";
    }
    void aBadValueWritesNothingAndMakesNoCheck() {
        QFETCH(QString, line);
        QFETCH(QString, label);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Drafts"), CheckDb::Kind::Draft);
        setTemplate(env, file, {{"BusinessName", "x"}, {"FirstName", "y"}});
        Check* check = open(env, file);
        QStringList lines = kOrder;
        lines.prepend(line);
        paste(check, form(lines));
        const QStringList texts = env.prompter.takeTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(label) &&
                     texts[0].contains(line.section(QStringLiteral(": "), 1)),
                 qPrintable(texts[0]));
        QCOMPARE(count(env, file), 1);
        QVERIFY(CheckDbFixture::row(env, file, 1).value("Comments").isNull());
        QVERIFY(CheckDbFixture::lastCheck(env, file).isNull());
    }

    void anEmptyClipboardStillMakesTheCardlessComments() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Drafts"), CheckDb::Kind::Draft);
        setTemplate(env, file, {{"PayTo", "Maple Street Bakery"}});
        const qint64 id = addCheck(env, file, {{"FirstName", "Ann"}, {"City", "Keep"}});
        Check* check = open(env, file);
        paste(check, QString());
        QCOMPARE(env.prompter.takeTexts(), QStringList{kNoRow});
        const QVariantMap row = CheckDbFixture::row(env, file, id);
        QCOMPARE(row.value("City").toString(), QStringLiteral("Keep"));
        QCOMPARE(row.value("Comments").toString(),
                 QStringLiteral("BankPhoneNumber: \r\nEMailAddress: \r\n\r\n"));
    }

    void aRefusalOfTheDatabaseLeavesEverythingAsItWas() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Drafts"), CheckDb::Kind::Draft);
        setTemplate(env, file, {{"BusinessName", "x"}, {"FirstName", "y"}});
        Database::open(env.path(file))
            ->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF Comments ON Account "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        Check* check = open(env, file);
        paste(check, form(kOrder));
        QCOMPARE(env.prompter.takeTexts().size(), 1);
        QCOMPARE(count(env, file), 1);
        QVERIFY(CheckDbFixture::lastCheck(env, file).isNull());
        QCOMPARE(check->findChild<QLabel*>(QStringLiteral("Label11"))->text(), QStringLiteral("1"));
    }

    // The New a paste runs belongs to the paste: when it fails, the order is not written
    // over the check shown.
    void aPasteWhoseNewFailsWritesNothing() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Drafts"), CheckDb::Kind::Draft);
        setTemplate(env, file, {{"PayTo", "Maple Street Bakery"}});
        const qint64 id = addCheck(env, file,
                                   {{"BusinessName", "Harbor Supply"},
                                    {"FirstName", "Dana"},
                                    {"City", "Keep"},
                                    {"Check", 12}});
        // A disk with room to change a check in place but none for a new one.
        Database::open(env.path(file))
            ->exec(QStringLiteral("CREATE TRIGGER full BEFORE INSERT ON Account BEGIN "
                                  "SELECT RAISE(ABORT, 'database or disk is full'); END"));
        Check* check = open(env, file);
        paste(check, form(kOrder));
        QCOMPARE(env.prompter.takeTexts(),
                 QStringList{"The disk is full, so Ledgerline cannot save changes to Drafts.mdb."});
        QCOMPARE(count(env, file), 2);
        const QVariantMap row = CheckDbFixture::row(env, file, id);
        QCOMPARE(row.value("FirstName").toString(), QStringLiteral("Dana"));
        QCOMPARE(row.value("City").toString(), QStringLiteral("Keep"));
        QVERIFY(row.value("Comments").isNull());
        QVERIFY(CheckDbFixture::lastCheck(env, file).isNull());
        QCOMPARE(check->findChild<QLabel*>(QStringLiteral("Label11"))->text(), QString::number(id));
    }
};

QTEST_MAIN(TestOrderImport)
#include "tst_orderimport.moc"
