// The order-form paste importer's parsing, verification and Comments text.
#include "core/entry/OrderForm.h"

#include <QTest>

namespace {

QString lines(const QStringList& l, const QString& eol = QStringLiteral("\r\n")) {
    return l.join(eol) + eol;
}

// A whole order as it arrives by e-mail, labels out of table order.
const QStringList kOrder = {
    "Order #5512 received from the web shop",
    "CustomerFirstName: Dana",
    "CustomerLastName: Whitfield",
    "CustomerBusinessName: Whitfield Plumbing LLC",
    "CustomerAddress: 1200 Harbor Way, Suite 4",
    "CustomerCity: Port Angeles",
    "CustomerState: WA",
    "CustomerZip: 98362-1234",
    "CustomerPhone: (360) 555-0142",
    "CustomerEMailAddress: dana@whitfield.example",
    "BankName: Olympic Savings Bank",
    "BankCity: Sequim",
    "BankState: WA",
    "BankPhoneNumber: 360-555-0100",
    "BankRoutingNumber: 125000105",
    "BankAccountNumber: 0031770042",
    "BottomCheckRow: C001001C A125000105A 0031770042C",
    "CheckNumber: 1001",
    "TotalCost: 1,249.50",
    "SpecialComments: Please ship by Friday",
};

QString form(QStringList l, const QString& drop = {}, const QString& eol = "\r\n") {
    if (!drop.isEmpty())
        l.removeIf([&](const QString& s) { return s.startsWith(drop + ':'); });
    return lines(l, eol);
}

const QString kNoRow =
    "The bottom check row field to verify account and routing numbers does not exist!";
const QString kBadAccount = "Bank Account Number does NOT match bottom check row field used to "
                            "verify account number!";
const QString kBadRouting = "Bank Routing Number does NOT match bottom check row field used to "
                            "verify the bank routing number!";
const QString kVerified = "Routing and Account numbers were successfully verified to the Bottom "
                          "Check Row!";

} // namespace

class TestOrderForm : public QObject {
    Q_OBJECT

private slots:
    void takeLine_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no CR keeps leading blanks") << "  Acme  "
                                                    << "  Acme  ";
        QTest::newRow("CR cuts and strips blanks") << "   Acme Co\r\nBankCity: X"
                                                   << "Acme Co";
        QTest::newRow("only the first CR counts") << "a\rb\rc"
                                                  << "a";
        QTest::newRow("CR first gives empty") << "\r\nBankName: X"
                                              << "";
        QTest::newRow("blanks then CR give empty") << "   \r"
                                                   << "";
        QTest::newRow("trailing blanks kept") << " 12 \r"
                                              << "12 ";
        QTest::newRow("line feed alone is no cut") << " a\nb"
                                                   << " a\nb";
        QTest::newRow("empty") << ""
                               << "";
    }
    void takeLine() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(TakeLine(value), expected);
    }

    void extraction_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("value");
        const QString order = form(kOrder);
        const QString lf = form(kOrder, {}, "\n");
        QTest::newRow("routing without line break")
            << order << "BankRoutingNumber" << true << "125000105";
        QTest::newRow("account") << order << "BankAccountNumber" << true << "0031770042";
        QTest::newRow("business name")
            << order << "CustomerBusinessName" << true << "Whitfield Plumbing LLC";
        QTest::newRow("address") << order << "CustomerAddress" << true
                                 << "1200 Harbor Way, Suite 4";
        QTest::newRow("bank state") << order << "BankState" << true << "WA";
        QTest::newRow("amount") << order << "TotalCost" << true << "1,249.50";
        QTest::newRow("bottom row carries label tail")
            << order << "BottomCheckRow" << true << "mCheckRow: C001001C A125000105A 0031770042C";
        QTest::newRow("bare line feeds end lines")
            << lf << "CustomerCity" << true << "Port Angeles";
        QTest::newRow("absent") << form(kOrder, "BankCity") << "BankCity" << false << "";
        QTest::newRow("lower-case label") << "customercity: Tacoma\r\n"
                                          << "CustomerCity" << false << "";
        QTest::newRow("first occurrence wins")
            << "CustomerCity: Tacoma\r\nCustomerCity: Olympia\r\n"
            << "CustomerCity" << true << "Tacoma";
        QTest::newRow("runs to the end, limit, blanks kept") << "CheckNumber:   42 and more"
                                                             << "CheckNumber" << true << "  42 a";
        QTest::newRow("text ends inside the limit") << "CustomerZip:  98362"
                                                    << "CustomerZip" << true << " 98362";
        QTest::newRow("label at the very end") << "x CustomerZip"
                                               << "CustomerZip" << true << "";
        QTest::newRow("label and colon only") << "BankName:"
                                              << "BankName" << true << "";
        QTest::newRow("bare colon keeps off the next line") << "BankName:\r\nBankCity: Sequim\r\n"
                                                            << "BankName" << true << "";
        QTest::newRow("bare colon, line feeds") << "BankName:\nBankCity: Sequim\n"
                                                << "BankName" << true << "";
        QTest::newRow("next line still read") << "BankName:\r\nBankCity: Sequim\r\n"
                                              << "BankCity" << true << "Sequim";
        QTest::newRow("name cut to its limit")
            << "BankState: " + QString(70, 'W') << "BankState" << true << QString(60, 'W');
        QTest::newRow("no half character at the limit")
            << "CardType: " + QString(19, 'x') + QString::fromUtf8("\xF0\x9F\x92\xB3") << "CardType"
            << true << QString(19, 'x');
    }
    void extraction() {
        QFETCH(QString, text);
        QFETCH(QString, label);
        const OrderForm f = OrderForm::parse(text);
        QVERIFY(f.entry(label));
        QTEST(f.entry(label)->found, "found");
        QTEST(f.entry(label)->value, "value");
    }

    void storedFieldsOfAFullForm() {
        const OrderForm f = OrderForm::parse(form(kOrder));
        QCOMPARE(f.problem(), QString());
        QStringList fields;
        for (const OrderForm::Entry& e : f.fieldsToStore())
            fields << e.field;
        QCOMPARE(fields, QStringList({"Bank", "BankCity", "BankState", "ABA", "Account", "Check",
                                      "BusinessName", "FirstName", "LastName", "Address", "City",
                                      "State", "Zip", "Phone", "Amount"}));
        QCOMPARE(f.entry("CheckNumber")->stored, QVariant(1001LL));
        QCOMPARE(f.entry("TotalCost")->stored, QVariant(QString("1249.50")));
        QVERIFY(!f.entry("BottomCheckRow")->stored.isValid());
    }

    void totalCostIsStoredPlain_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("dollar sign") << "TotalCost: $49.95\r\n"
                                     << "49.95";
        QTest::newRow("dollar sign and commas, one decimal") << "TotalCost: $1,234.5\r\n"
                                                             << "1234.50";
        QTest::newRow("whole dollars") << "TotalCost: 12\r\n"
                                       << "12.00";
    }
    void totalCostIsStoredPlain() {
        QFETCH(QString, text);
        const OrderForm f = OrderForm::parse(text);
        QCOMPARE(f.problem(), QString());
        QTEST(f.entry("TotalCost")->stored.toString(), "stored");
    }

    void emptyValuesAreNotStored() {
        const OrderForm f =
            OrderForm::parse("BankName: \r\nCustomerCity:   \r\nCustomerZip: 1\r\n");
        QCOMPARE(f.fieldsToStore().size(), 1);
        QCOMPARE(f.fieldsToStore().first().field, QString("Zip"));
    }

    void verification_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("messages");
        QStringList wrongRouting = kOrder, wrongBoth = kOrder, emptyAccount = kOrder;
        wrongRouting.replace(14, "BankRoutingNumber: 125000999");
        wrongBoth.replace(16, "BottomCheckRow: C001001C A000000000A 99C");
        emptyAccount.replace(15, "BankAccountNumber: ");
        QTest::newRow("verified") << form(kOrder) << QStringList{kVerified};
        QTest::newRow("no bottom row") << form(kOrder, "BottomCheckRow") << QStringList{kNoRow};
        QTest::newRow("empty text") << "" << QStringList{kNoRow};
        QTest::newRow("bare line feeds") << form(kOrder, {}, "\n") << QStringList{kVerified};
        QTest::newRow("account only matches") << form(wrongRouting) << QStringList{kBadRouting};
        QTest::newRow("neither, account first")
            << form(wrongBoth) << QStringList{kBadAccount, kBadRouting};
        QTest::newRow("routing label absent")
            << form(kOrder, "BankRoutingNumber") << QStringList{kBadRouting};
        QTest::newRow("account label absent")
            << form(kOrder, "BankAccountNumber") << QStringList{kBadAccount};
        QTest::newRow("account empty") << form(emptyAccount) << QStringList{kBadAccount};
    }
    void verification() {
        QFETCH(QString, text);
        QTEST(OrderForm::parse(text).verificationMessages(), "messages");
    }

    void comments_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("comments");
        const QString card =
            "CardNumber: 4111 1111 1111 1111\r\nCardExpDate: 09\r\nCardExpYear: 2028\r\n"
            "CardType: VISA\r\n";
        QTest::newRow("card-less")
            << form(kOrder)
            << "BankPhoneNumber: 360-555-0100\r\nEMailAddress: dana@whitfield.example"
               "\r\nPlease ship by Friday\r\n";
        QTest::newRow("card")
            << form(kOrder) + card
            << "BankPhoneNumber: 360-555-0100\r\nEMailAddress: dana@whitfield.example"
               "\r\nPlease ship by Friday\r\nCardNumber: 4111 1111 1111 1111\r\n"
               "CardExpDate: 09\r\nCardExpYear: 2028\r\nCardType: VISA";
        QTest::newRow("card type without card number")
            << "CardType: VISA\r\nCardExpYear: 2028\r\n"
            << "BankPhoneNumber: \r\nEMailAddress: \r\n\r\n";
        QTest::newRow("empty text") << ""
                                    << "BankPhoneNumber: \r\nEMailAddress: \r\n\r\n";
    }
    void comments() {
        QFETCH(QString, text);
        QTEST(OrderForm::parse(text).comments(), "comments");
    }

    void problem_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::newRow("good form") << form(kOrder) << "";
        QTest::newRow("letters after the amount")
            << "TotalCost: 12abc\r\n"
            << "The order form's TotalCost \"12abc\" is not an amount in dollars and cents; "
               "nothing was imported.";
        QTest::newRow("check number not whole")
            << "CheckNumber: 10x1\r\nTotalCost: 1.00x\r\n"
            << "The order form's CheckNumber \"10x1\" is not a whole number from 0 up; nothing was "
               "imported.";
        QTest::newRow("negative check number")
            << "CheckNumber: -5\r\n"
            << "The order form's CheckNumber \"-5\" is not a whole number from 0 up; nothing was "
               "imported.";
        QTest::newRow("check number too long to fit")
            << "CheckNumber: 1234567\r\n"
            << "The order form's CheckNumber \"1234567\" is longer than the 6 characters it may "
               "have; "
               "nothing was imported.";
        QTest::newRow("amount would lose its cents")
            << "TotalCost: 1,234,567,890.12\r\n"
            << "The order form's TotalCost \"1,234,567,890.12\" is longer than the 14 characters "
               "it "
               "may have; nothing was imported.";
        QTest::newRow("letters in the account number")
            << "BankAccountNumber: 1234-5678 x\r\n"
            << "The order form's BankAccountNumber \"1234-5678 x\" may hold only digits, blanks, "
               "D and -, as the MICR line prints it; nothing was imported.";
        QTest::newRow("a dash in the routing number")
            << "BankRoutingNumber: 0410-00124\r\n"
            << "The order form's BankRoutingNumber \"0410-00124\" may hold digits only, as the "
               "MICR line prints it; nothing was imported.";
        QTest::newRow("account number with dashes and blanks") << "BankAccountNumber: 12-34 5D6\r\n"
                                                               << "";
        QTest::newRow("trailing blanks past the limit are fine") << "CheckNumber: 123456   \r\n"
                                                                 << "";
        QTest::newRow("bad value of an unread label ignored") << "CardExpYear: soon\r\n"
                                                              << "";
    }
    void problem() {
        QFETCH(QString, text);
        QTEST(OrderForm::parse(text).problem(), "problem");
    }

    void hostileTextNeverBreaksTheParser_data() {
        QTest::addColumn<QString>("text");
        QString labelsOnly;
        for (const char* l : {"BankName", "BankRoutingNumber", "BottomCheckRow", "CardNumber",
                              "TotalCost", "CheckNumber", "BankPhoneNumber"})
            labelsOnly += QString::fromLatin1(l);
        QString junk(1 << 20, Qt::Uninitialized);
        for (qsizetype i = 0; i < junk.size(); ++i)
            junk[i] = QChar(char16_t((i * 2654435761u) >> 16));
        QTest::newRow("empty") << QString();
        QTest::newRow("only labels") << labelsOnly;
        QTest::newRow("label at the very end") << "x\r\nBottomCheckRow";
        static const char nul[] = "BankName: A\0B\r\nCheckNumber: 1\0";
        QTest::newRow("embedded NUL") << QString::fromLatin1(nul, sizeof nul - 1);
        QTest::newRow("lone CR") << "\r";
        QTest::newRow("lone surrogates")
            << QString("CardType: ") + QChar(0xDC00) + "x" + QChar(0xD800);
        QTest::newRow("1 MB of junk") << junk + labelsOnly + junk;
    }
    void hostileTextNeverBreaksTheParser() {
        QFETCH(QString, text);
        const OrderForm f = OrderForm::parse(text);
        for (const OrderForm::Entry& e : f.fieldsToStore())
            QVERIFY(!e.value.contains('\r') && !e.value.contains('\n'));
        QVERIFY(!f.verificationMessages().isEmpty());
        QVERIFY(f.comments().startsWith("BankPhoneNumber: "));
        QVERIFY(f.entry("CardType"));
        QVERIFY(!f.entry("NoSuchLabel"));
        QVERIFY(TakeLine(text).size() <= text.size());
    }
};

QTEST_GUILESS_MAIN(TestOrderForm)
#include "tst_orderform.moc"
