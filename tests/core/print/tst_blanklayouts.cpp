// The blank layouts item by item, on a recording page: what each item prints, where, and
// in which font. One table per layout; a "next line" item stands one line height of the
// previous line's font below it, measured as the printer's page measures.
#include "core/platform/RecordingPage.h"
#include "core/print/BlankCheckValues.h"
#include "core/print/DepositTicket.h"
#include "core/print/QuickenCheck.h"
#include "core/print/RegularBlankCheck.h"
#include "core/print/VoucherCheck.h"
#include "support/CheckDbFixture.h"

#include <QFontMetricsF>
#include <QSqlField>
#include <QTest>

namespace {

const QString kTimes = QStringLiteral("Times New Roman");
const QString kMicr = QStringLiteral("MICR65");

const QVariantMap kPayer = CheckDbFixture::with(CheckDbFixture::payer(), {{"Check", 1200}});

QSqlRecord recordOf(const QVariantMap& values) {
    QSqlRecord record;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        QSqlField field(it.key(), it.value().metaType());
        field.setValue(it.value());
        record.append(field);
    }
    return record;
}

// One line of the body font in this state, in twips.
double line(double size, bool bold = false, bool italic = false) {
    return QFontMetricsF(twipFont({kTimes, size, bold, italic})).lineSpacing();
}

QString underscores(int n) {
    return QString(n, QLatin1Char('_'));
}

// The items that print something, in order.
QList<RecordingPage::Text> printed(const RecordingPage& page) {
    QList<RecordingPage::Text> out;
    for (const RecordingPage::Text& t : page.texts())
        if (!t.text.isEmpty())
            out << t;
    return out;
}

void addColumns() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
}

// Rows are numbered in the order they are added: the order of printing.
int g_index = 0;
void item(const char* name, const QString& text, double x, double y, const QString& face,
          double size, bool bold, bool italic) {
    QTest::newRow(name) << g_index++ << text << x << y << face << size << bold << italic;
}

void compareItem(const QList<RecordingPage::Text>& items) {
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, face);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QVERIFY2(index < items.size(), "the item was not printed");
    const RecordingPage::Text& t = items[index];
    QCOMPARE(t.text, text);
    QCOMPARE(t.x, x);
    QVERIFY2(qAbs(t.y - y) < 0.01, qPrintable(QStringLiteral("y %1, expected %2").arg(t.y).arg(y)));
    QCOMPARE(t.font.face, face);
    QCOMPARE(t.font.size, size);
    QCOMPARE(t.font.bold, bold);
    QCOMPARE(t.font.italic, italic);
    QCOMPARE(t.page, 0);
}

RecordingPage printRows(const QList<LayoutRow>& rows) {
    RecordingPage page;
    LayoutRows::print(page, rows);
    return page;
}

// A check on a sheet: horizontal start 525; the check top and stock as each table says.
BlankCheckValues check(qint64 top, StockGeometry stock, const QVariantMap& payer = kPayer) {
    return {recordOf(payer), kTimes, 525, top, 1201, stock, true};
}

} // namespace

class TestBlankLayouts : public QObject {
    Q_OBJECT

private slots:
    // The second check of a 92 mm sheet (vertical start 200), on plain paper.
    void regularBlankCheck_data() {
        addColumns();
        g_index = 0;
        const double bi = line(10, true, true);
        item("business name", "Maple Street Bakery", 2025, 5470, kTimes, 10, true, true);
        item("payer name", "Jordan Reyes", 2025, 5470 + bi, kTimes, 10, true, true);
        item("address", "218 Maple Street", 2025, 5470 + 2 * bi, kTimes, 8, false, true);
        item("place", "Fairview, OH  44118", 2025, 5470 + 2 * bi + line(8, false, true), kTimes, 8,
             false, true);
        item("bank", "Fairview Bank", 6525, 5470, kTimes, 8, false, false);
        item("bank place", "Fairview, OH", 6525, 5470 + line(8), kTimes, 8, false, false);
        item("PAY", "PAY", 525, 6450, kTimes, 10, true, false);
        item("TO THE", "TO THE", 525, 6450 + line(10, true), kTimes, 10, false, false);
        item("ORDER OF", "ORDER OF: " + underscores(64), 525, 6450 + line(10, true) + line(10),
             kTimes, 10, false, false);
        item("amount in words, fourth line", underscores(64) + " Dollars", 1625,
             6820 + 3 * line(10), kTimes, 10, false, false);
        item("memo", "Memo: " + underscores(42), 525, 8970, kTimes, 9, false, false);
        item("check number", " 1201 ", 10525, 5470, kTimes, 12, true, false);
        item("date rule, one line down", underscores(12), 9625, 5470 + line(12, true) + line(12),
             kTimes, 12, false, false);
        item("MICR check number", " 1201 ", 2055, 9739, kMicr, 12, false, false);
        item("MICR routing", "A041000124A ", 3855, 9739, kMicr, 12, false, false);
        item("MICR account", "1234D567C    ", 6195, 9739, kMicr, 12, false, false);
        item("signature rule", underscores(55), 6575, 8970, kTimes, 8, false, false);
        item("signature caption", "Authorized Signature ", 6575, 8970 + line(8), kTimes, 8, false,
             false);
        item("amount box", "$ " + underscores(9), 9625, 6820, kTimes, 14, false, false);
        item("left cut mark", "-", 0, 10140, kTimes, 10, false, false);
        item("right cut mark", "-", 10500, 10140, kTimes, 10, false, false);
    }
    void regularBlankCheck() {
        const RecordingPage page =
            printRows(RegularBlankCheck::rows(check(5470, StockGeometry::mm92())));
        const QList<RecordingPage::Text> items = printed(page);
        QCOMPARE(items.size(), 21);
        compareItem(items);
    }

    // The payer and bank blocks close up over a line that is left out.
    void regularBlocksCloseUp_data() {
        QTest::addColumn<QVariantMap>("changes");
        QTest::addColumn<QStringList>("expected"); // text@y of the payer and bank blocks
        const double bi = line(10, true, true);
        const auto at = [](const QString& text, double y) {
            return text + QLatin1Char('@') + QString::number(y, 'f', 2);
        };
        QTest::newRow("no business name: the name at the top")
            << QVariantMap{{"BusinessName", QVariant()}}
            << QStringList{at("Jordan Reyes", 200), at("218 Maple Street", 200 + bi),
                           at("Fairview, OH  44118", 200 + bi + line(8, false, true)),
                           at("Fairview Bank", 200), at("Fairview, OH", 200 + line(8))};
        QTest::newRow("no first name: the name starts with its blank")
            << QVariantMap{{"FirstName", QVariant()}}
            << QStringList{at("Maple Street Bakery", 200),
                           at(" Reyes", 200 + bi),
                           at("218 Maple Street", 200 + 2 * bi),
                           at("Fairview, OH  44118", 200 + 2 * bi + line(8, false, true)),
                           at("Fairview Bank", 200),
                           at("Fairview, OH", 200 + line(8))};
        QTest::newRow("no ZIP: no place line, though city and state are there")
            << QVariantMap{{"Zip", QVariant()}}
            << QStringList{at("Maple Street Bakery", 200), at("Jordan Reyes", 200 + bi),
                           at("218 Maple Street", 200 + 2 * bi), at("Fairview Bank", 200),
                           at("Fairview, OH", 200 + line(8))};
        QTest::newRow("no bank state: no bank place line")
            << QVariantMap{{"BankState", QVariant()}}
            << QStringList{at("Maple Street Bakery", 200), at("Jordan Reyes", 200 + bi),
                           at("218 Maple Street", 200 + 2 * bi),
                           at("Fairview, OH  44118", 200 + 2 * bi + line(8, false, true)),
                           at("Fairview Bank", 200)};
        QTest::newRow("no bank name: the bank place at the top")
            << QVariantMap{{"Bank", QVariant()}, {"City", QVariant()}}
            << QStringList{at("Maple Street Bakery", 200), at("Jordan Reyes", 200 + bi),
                           at("218 Maple Street", 200 + 2 * bi),
                           at(", OH  44118", 200 + 2 * bi + line(8, false, true)),
                           at("Fairview, OH", 200)};
    }
    void regularBlocksCloseUp() {
        QFETCH(QVariantMap, changes);
        QFETCH(QStringList, expected);
        QVariantMap payer = kPayer;
        payer.insert(changes);
        const RecordingPage page =
            printRows(RegularBlankCheck::rows(check(200, StockGeometry::mm88(), payer)));
        QStringList blocks;
        for (const RecordingPage::Text& t : printed(page))
            if (t.x == 2025 || t.x == 6525)
                blocks << t.text + QLatin1Char('@') + QString::number(t.y, 'f', 2);
        QCOMPARE(blocks, expected);
    }

    // The second check of an 88 mm sheet (vertical start 200), on plain paper.
    void quickenCheck_data() {
        addColumns();
        g_index = 0;
        const double bi = line(10, true, true);
        item("business name", "Maple Street Bakery", 2025, 5220, kTimes, 10, true, true);
        item("payer name", "Jordan Reyes", 2025, 5220 + bi, kTimes, 10, true, true);
        item("address", "218 Maple Street", 2025, 5220 + 2 * bi, kTimes, 8, false, true);
        item("place", "Fairview, OH  44118", 2025, 5220 + 2 * bi + line(8, false, true), kTimes, 8,
             false, true);
        item("bank", "Fairview Bank", 6525, 5220, kTimes, 8, false, false);
        item("bank place", "Fairview, OH", 6525, 5220 + line(8), kTimes, 8, false, false);
        item("PAY, left of the start", "PAY", 225, 6200, kTimes, 10, true, false);
        item("TO THE", "TO THE", 225, 6200 + line(10, true), kTimes, 10, false, false);
        item("ORDER OF", "ORDER OF:", 225, 6200 + line(10, true) + line(10), kTimes, 10, false,
             false);
        item("memo caption", "Memo:", 225, 8810, kTimes, 9, false, false);
        item("check number", " 1201 ", 10525, 5220, kTimes, 12, true, false);
        item("MICR check number", " 1201 ", 2055, 9275, kMicr, 12, false, false);
        item("MICR routing", "A041000124A ", 3855, 9275, kMicr, 12, false, false);
        item("MICR account", "1234D567C   ", 6195, 9275, kMicr, 12, false, false);
        item("left cut mark", "-", 0, 9675, kTimes, 10, false, false);
        item("right cut mark", "-", 10500, 9675, kTimes, 10, false, false);
        item("signature rule", underscores(45), 6575, 8810, kTimes, 8, false, false);
        item("dollar sign", "$", 9625, 6590, kTimes, 14, true, false);
    }
    void quickenCheck() {
        const RecordingPage page =
            printRows(QuickenCheck::rows(check(5220, StockGeometry::mm88())));
        const QList<RecordingPage::Text> items = printed(page);
        QCOMPARE(items.size(), 18);
        compareItem(items);
    }

    // The check at the top of the sheet (vertical start 200) and its two stubs.
    void voucherCheck_data() {
        addColumns();
        g_index = 0;
        const double bi = line(10, true, true);
        item("business name", "Maple Street Bakery", 2025, 200, kTimes, 10, true, true);
        item("payer name", "Jordan Reyes", 2025, 200 + bi, kTimes, 10, true, true);
        item("address", "218 Maple Street", 2025, 200 + 2 * bi, kTimes, 8, false, true);
        item("place", "Fairview, OH  44118", 2025, 200 + 2 * bi + line(8, false, true), kTimes, 8,
             false, true);
        item("bank", "Fairview Bank", 6525, 200, kTimes, 8, false, false);
        item("bank place", "Fairview, OH", 6525, 200 + line(8), kTimes, 8, false, false);
        item("PAY", "PAY", 225, 1180, kTimes, 10, true, false);
        item("TO THE", "TO THE", 225, 1180 + line(10, true), kTimes, 10, false, false);
        item("ORDER OF", "ORDER OF:", 225, 1180 + line(10, true) + line(10), kTimes, 10, false,
             false);
        item("memo caption", "Memo:", 225, 3790, kTimes, 9, false, false);
        item("check number", " 1201 ", 10525, 200, kTimes, 12, true, false);
        item("MICR check number", " 1201 ", 2055, 4255, kMicr, 12, false, false);
        item("MICR routing, no blank after it", "A041000124A", 3855, 4255, kMicr, 12, false, false);
        item("MICR account", "1234D567C   ", 6195, 4255, kMicr, 12, false, false);
        item("left cut mark", "-", 0, 4655, kTimes, 10, false, false);
        item("right cut mark", "-", 10500, 4655, kTimes, 10, false, false);
        item("signature rule", underscores(45), 6575, 3790, kTimes, 8, false, false);
        item("dollar sign", "$", 9625, 1570, kTimes, 14, true, false);
        item("first stub: business name", "Maple Street Bakery", 525, 5220, kTimes, 10, true, true);
        item("first stub: check number", " 1201 ", 10525, 5220, kTimes, 12, true, true);
        item("second stub: business name", "Maple Street Bakery", 525, 10240, kTimes, 10, true,
             true);
        item("second stub: check number", " 1201 ", 10525, 10240, kTimes, 12, true, true);
    }
    void voucherCheck() {
        const RecordingPage page = printRows(VoucherCheck::rows(check(200, StockGeometry::mm88())));
        const QList<RecordingPage::Text> items = printed(page);
        QCOMPARE(items.size(), 22);
        compareItem(items);
    }

    void voucherStubsWithoutBusinessNameShowTheNumberOnly() {
        QVariantMap payer = kPayer;
        payer.insert("BusinessName", QVariant());
        const RecordingPage page =
            printRows(VoucherCheck::rows(check(200, StockGeometry::mm88(), payer)));
        QStringList stubs;
        for (const RecordingPage::Text& t : printed(page))
            if (t.y == 5220 || t.y == 10240)
                stubs << t.text + QLatin1Char('@') + QString::number(t.x);
        QCOMPARE(stubs, (QStringList{" 1201 @10525", " 1201 @10525"}));
    }

    // The second ticket of a 92 mm sheet (vertical start 200), on plain paper, tran code 0123.
    void depositTicket_data() {
        addColumns();
        g_index = 0;
        const double bi = line(12, true, true);
        const double i = line(10, false, true);
        item("business name", "Maple Street Bakery", 525, 5470, kTimes, 12, true, true);
        item("depositor name", "Jordan Reyes", 525, 5470 + bi, kTimes, 12, true, true);
        item("address", "218 Maple Street", 525, 5470 + 2 * bi, kTimes, 10, false, true);
        item("place", "Fairview, OH  44118", 525, 5470 + 2 * bi + i, kTimes, 10, false, true);
        item("phone", "PH: 555-0142", 525, 5470 + 2 * bi + 2 * i, kTimes, 10, false, true);
        item("bank", "Fairview Bank", 525, 8170, kTimes, 10, false, false);
        item("bank place", "Fairview, OH", 525, 8170 + line(10), kTimes, 10, false, false);
        item("caption", "DEPOSIT TICKET", 525, 7270, kTimes, 14, true, false);
        item("date rule", "Date: " + underscores(15), 525, 7270 + line(14, true), kTimes, 12, true,
             false);
        item("MICR routing", "A041000124A ", 3855, 9739, kMicr, 12, false, false);
        item("MICR account and tran code", "1234D567C   0123   ", 6195, 9739, kMicr, 12, false,
             false);
        item("left cut mark", "-", 0, 10140, kTimes, 10, false, false);
        item("right cut mark", "-", 12000, 10140, kTimes, 10, false, false);
        item("CURRENCY", "CURRENCY", 6050, 6570, kTimes, 10, false, false);
        item("COINS", "COINS", 6050, 7070, kTimes, 10, false, false);
        item("CHECKS", "CHECKS", 6050, 7570, kTimes, 10, false, false);
        item("TOTAL DEPOSIT", "TOTAL DEPOSIT", 6050, 8070, kTimes, 10, false, false);
    }
    void depositTicket() {
        RecordingPage page;
        DepositTicket::print(page, check(5470, StockGeometry::mm92()), QStringLiteral("0123"));
        const QList<RecordingPage::Text> items = printed(page);
        QCOMPARE(items.size(), 17);
        compareItem(items);
    }

    // The amount grid of the same ticket: four rows of 500 twips from 6270 to 8270, three
    // columns, the two lowest rules heavier.
    void depositGrid_data() {
        QTest::addColumn<QString>("line"); // x1,y1-x2,y2/width
        const QStringList expected{
            "6000,6270-6000,8270/1",   "8000,6270-8000,8270/1",  "10000,6270-10000,8270/1",
            "10600,6270-10600,8270/1", "6000,6270-10600,6270/1", "6000,6770-10600,6770/1",
            "6000,7270-10600,7270/1",  "6000,7770-10600,7770/4", "6000,8270-10600,8270/4",
        };
        for (const QString& l : expected)
            QTest::newRow(qPrintable(l)) << l;
    }
    void depositGrid() {
        QFETCH(QString, line);
        RecordingPage page;
        DepositTicket::print(page, check(5470, StockGeometry::mm92()), QStringLiteral("0123"));
        QStringList lines;
        for (const RecordingPage::Line& l : page.lines())
            lines << QStringLiteral("%1,%2-%3,%4/%5")
                         .arg(l.x1)
                         .arg(l.y1)
                         .arg(l.x2)
                         .arg(l.y2)
                         .arg(l.width);
        QCOMPARE(lines.size(), 9);
        QVERIFY2(lines.contains(line), qPrintable(lines.join(QLatin1Char(' '))));
    }
};

QTEST_MAIN(TestBlankLayouts)
#include "tst_blanklayouts.moc"
