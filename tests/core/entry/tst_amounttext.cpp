// Amounts as users type them, and as the export writes them.
#include "core/entry/AmountText.h"

#include <QTest>

class TestAmountText : public QObject {
    Q_OBJECT

private slots:
    void normalise_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("plain"); // empty: not an amount
        QTest::newRow("whole dollars") << "250"
                                       << "250.00";
        QTest::newRow("dollar sign and commas") << "$1,234.5"
                                                << "1234.50";
        QTest::newRow("millions") << "1,234,567.89"
                                  << "1234567.89";
        QTest::newRow("minus before $") << "-$3"
                                        << "-3.00";
        QTest::newRow("minus after $") << "$-3.1"
                                       << "-3.10";
        QTest::newRow("cents only") << ".99"
                                    << "0.99";
        QTest::newRow("blanks around") << " 12.30 "
                                       << "12.30";
        QTest::newRow("leading zeros") << "007"
                                       << "7.00";
        QTest::newRow("trailing point") << "5."
                                        << "5.00";
        QTest::newRow("minus zero") << "-0.00"
                                    << "0.00";
        QTest::newRow("largest") << "9,999,999,999,999.99"
                                 << "9999999999999.99";
        QTest::newRow("too large") << "10000000000000"
                                   << "";
        QTest::newRow("three decimals") << "1.234"
                                        << "";
        QTest::newRow("group of two") << "12,34"
                                      << "";
        QTest::newRow("group of four") << "1,2345"
                                       << "";
        QTest::newRow("decimal comma") << "0,125"
                                       << "";
        QTest::newRow("comma first") << ",125"
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("sign alone") << "-$"
                                    << "";
        QTest::newRow("point alone") << "."
                                     << "";
        QTest::newRow("exponent") << "1e5"
                                  << "";
        QTest::newRow("blank inside") << "12 34"
                                      << "";
        QTest::newRow("two minus") << "--5"
                                   << "";
        QTest::newRow("parentheses") << "(5.00)"
                                     << "";
        QTest::newRow("text") << "ten dollars"
                              << "";
        QTest::newRow("arabic digits") << QString::fromUtf8("\u0665") << "";
    }
    void normalise() {
        QFETCH(QString, typed);
        QFETCH(QString, plain);
        const std::optional<QString> got = AmountText::normalise(typed);
        QCOMPARE(got.value_or(QString()), plain);
        QCOMPARE(got.has_value(), !plain.isEmpty());
    }

    void plainNumber_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("plain"); // empty: not a number
        QTest::newRow("two decimals") << "250.00"
                                      << "250";
        QTest::newRow("zeros of the dollars stay") << "100"
                                                   << "100";
        QTest::newRow("commas") << "1,234.50"
                                << "1234.5";
        QTest::newRow("cents") << "12.05"
                               << "12.05";
        QTest::newRow("negative") << "-3.50"
                                  << "-3.5";
        QTest::newRow("zero") << "0.00"
                              << "0";
        QTest::newRow("minus zero") << "-0.00"
                                    << "0";
        QTest::newRow("cents only") << ".5"
                                    << "0.5";
        QTest::newRow("more decimals kept") << "12.345"
                                            << "12.345";
        QTest::newRow("stored as a real") << "250.0"
                                          << "250";
        QTest::newRow("dollar sign") << "$5.10"
                                     << "5.1";
        QTest::newRow("text") << "N/A"
                              << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void plainNumber() {
        QFETCH(QString, stored);
        QFETCH(QString, plain);
        QCOMPARE(AmountText::plainNumber(stored).value_or(QString()), plain);
    }
};

QTEST_GUILESS_MAIN(TestAmountText)
#include "tst_amounttext.moc"
