// The printed layouts on the recording page: every item of the check face with its place
// and font state, checks placed on sheets with their cut marks, and the lines of a label.
// Every run goes through the real Print run on a real check database.
#include "core/platform/TableSchema.h"
#include "support/PrintShop.h"
#include "support/Printed.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QVariantMap kDraft{{"BusinessName", QVariant()},
                         {"FirstName", "Alice"},
                         {"LastName", "Brennan"},
                         {"Address", "14 Orchard Lane"},
                         {"City", "Springfield"},
                         {"State", "IL"},
                         {"Zip", "62704"},
                         {"Phone", QVariant()},
                         {"Bank", "First Prairie Bank"},
                         {"BankCity", QVariant()},
                         {"BankState", QVariant()},
                         {"ABA", "071000013"},
                         {"Account", "4410 2231 7"},
                         {"PayTo", "Maple Street Bakery"},
                         {"Amount", "19.00"},
                         {"For", "General Merchandise"},
                         {"Check", 2001},
                         {"Print", "Monthly"}};

// Each variant is one check alone on its sheet, from the shipped horizontal start 525 and
// vertical start 200.
const QMap<QString, std::pair<CheckDb::Kind, QVariantMap>> kVariants{
    {"check", {CheckDb::Kind::Check, {}}},
    {"draft", {CheckDb::Kind::Draft, kDraft}},
    {"draft without memo", {CheckDb::Kind::Draft, PrintShop::with(kDraft, {{"For", QVariant()}})}},
    {"no business name", {CheckDb::Kind::Check, {{"BusinessName", QVariant()}}}},
    {"no zip, no bank state",
     {CheckDb::Kind::Check, {{"Zip", QVariant()}, {"BankState", QVariant()}}}},
    {"no routing", {CheckDb::Kind::Check, {{"ABA", QVariant()}}}},
    {"no number", {CheckDb::Kind::Check, {{"Check", QVariant()}}}},
};

// The font state as "<size>[b][i]" in the body font, or "M12" in MICR65. The top y as a
// number and one "+<font>" for each body line above in the block (its line end moved y);
// "absent" when nothing starting with the text may print.
struct Row {
    const char* variant;
    const char* text;
    double x;
    const char* y;
    const char* font;
};
// clang-format off
const Row kFace[] = {
    {"check", "Maple Street Bakery", 525, "200", "12bi"},
    {"check", "Jordan Reyes", 525, "200 +12bi", "12bi"},
    {"check", "218 Maple Street", 525, "200 +12bi +12bi", "10i"},
    {"check", "Fairview, OH  44118", 525, "200 +12bi +12bi +10i", "10i"},
    {"check", "PH: 555-0142", 525, "200 +12bi +12bi +10i +10i", "10i"},
    {"check", "PAY TO THE ORDER OF:  Harbor Office Supply", 525, "2000", "12bi"},
    {"check", "**$142.18**", 9525, "2000", "12b"},
    {"check", "Fairview Bank", 525, "2600", "12b"},
    {"check", "Fairview, OH", 525, "2600 +12b", "10"},
    {"check", "For: Printer paper", 525, "3300", "10"},
    {"check", "_____________________________________", 7125, "3400", "10"},
    {"check", "C 1043 C  ", 2055, "4255", "M12"},
    {"check", "A041000124A  ", 3855, "4255", "M12"},
    {"check", "1234D567C   ", 6195, "4255", "M12"},
    {"check", " 1043 ", 10125, "500", "12b"},
    {"check", "12/1/2026", 10125, "500 +12b", "12b"},
    {"draft", "Alice Brennan", 525, "200", "12bi"},
    {"draft", "14 Orchard Lane", 525, "200 +12bi", "10i"},
    {"draft", "Springfield, IL  62704", 525, "200 +12bi +10i", "10i"},
    {"draft", "PAY TO THE ORDER OF:  Maple Street Bakery", 525, "2000", "12bi"},
    {"draft", "**$19.00**", 9525, "2000", "12b"},
    {"draft", "First Prairie Bank", 525, "2600", "12b"},
    {"draft", "For: General Merchandise", 525, "3300", "10"},
    {"draft", " ", 525, "3300 +10", "8.25"},
    {"draft", "This check when paid is a receipt for amount due on date indicated", 525, "3300 +10 +8.25", "8.25"},
    {"draft", "Payment authorized by accountholder", 7125, "2900", "8.25"},
    {"draft", "Indemnification agreement provided by:", 7125, "2900 +8.25", "8.25"},
    {"draft", "Maple Street Bakery", 7125, "2900 +8.25 +8.25", "8.25i"},
    {"draft", "C 2001 C  ", 2055, "4255", "M12"},
    {"draft", "A071000013A  ", 3855, "4255", "M12"},
    {"draft", "4410 2231 7C   ", 6195, "4255", "M12"},
    {"draft", " 2001 ", 10125, "500", "12b"},
    {"draft", "12/7/2026", 10125, "500 +12b", "12b"}, // printed every time: the run's date
    {"draft without memo", " ", 525, "3300", "8.25"},
    {"draft without memo", "This check when paid is a receipt for amount due on date indicated", 525, "3300 +8.25", "8.25"},
    {"no business name", "Jordan Reyes", 525, "200", "12bi"},
    {"no business name", "PH: 555-0142", 525, "200 +12bi +10i +10i", "10i"},
    {"no zip, no bank state", "Fairview, OH  ", 0, "absent", ""},
    {"no zip, no bank state", "PH: 555-0142", 525, "200 +12bi +12bi +10i", "10i"},
    {"no zip, no bank state", "Fairview, ", 0, "absent", ""},
    {"no routing", "C 1043 C  ", 2055, "4255", "M12"},
    {"no routing", "A", 0, "absent", ""},
    {"no routing", "1234D567C   ", 6195, "4255", "M12"},
    // A check without a number has no check-number field in its MICR line, and no number.
    {"no number", "C", 0, "absent", ""},
    {"no number", " ", 0, "absent", ""},
    {"no number", "A041000124A  ", 3855, "4255", "M12"},
    {"no number", "12/1/2026", 10125, "500", "12b"},
};
// clang-format on

PrintFont font(const QString& written) {
    static const QRegularExpression re(QStringLiteral("^(M?)([0-9.]+)(b?)(i?)$"));
    const QRegularExpressionMatch m = re.match(written);
    return {m.captured(1).isEmpty() ? QStringLiteral("Times New Roman") : QStringLiteral("MICR65"),
            m.captured(2).toDouble(), !m.captured(3).isEmpty(), !m.captured(4).isEmpty()};
}

double top(const QString& written) {
    const QStringList parts = written.split(QLatin1Char(' '));
    double y = parts.first().toDouble();
    for (const QString& line : parts.mid(1))
        y += Printed::lineHeight(font(line.mid(1)));
    return y;
}

QList<Printed::Statement> printVariant(PrintShop& shop, const QString& variant) {
    shop.add(kVariants.value(variant).second);
    shop.env.prompter.answerQuestion(false);
    shop.print(QStringLiteral("Once Monthly"));
    return Printed::statements(shop.job());
}

} // namespace

class TestCheckLayout : public QObject {
    Q_OBJECT

private slots:
    void checkFace_data() {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("font");
        for (const Row& r : kFace)
            QTest::addRow("%s: %s", r.variant, r.text)
                << r.variant << r.text << r.x << r.y << r.font;
    }
    void checkFace() {
        QFETCH(QString, variant);
        QFETCH(QString, text);
        QFETCH(double, x);
        QFETCH(QString, y);
        QFETCH(QString, font);
        PrintShop shop(kVariants.value(variant).first);
        const QList<Printed::Statement> printed = printVariant(shop, variant);
        if (y == QLatin1String("absent")) {
            for (const Printed::Statement& s : printed)
                QVERIFY2(!s.text.startsWith(text), qPrintable(s.text));
            return;
        }
        const QList<Printed::Statement> found = Printed::find(printed, text);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].page, 0);
        QCOMPARE(found[0].x, x);
        QCOMPARE(found[0].y, top(y));
        QCOMPARE(found[0].font, ::font(font));
    }

    // The table is the whole face: a check and a draft print nothing else.
    void checkFaceHasNothingElse_data() {
        QTest::addColumn<QString>("variant");
        QTest::newRow("check") << "check";
        QTest::newRow("draft") << "draft";
    }
    void checkFaceHasNothingElse() {
        QFETCH(QString, variant);
        PrintShop shop(kVariants.value(variant).first);
        QStringList printed;
        for (const Printed::Statement& s : printVariant(shop, variant))
            printed << s.text;
        QStringList expected;
        for (const Row& r : kFace)
            if (variant == QLatin1String(r.variant))
                expected << r.text;
        printed.sort();
        expected.sort();
        QCOMPARE(printed, expected);
    }

    // Checks on sheets: "sheet:top" of each check (its first line), its MICR line at the
    // stock's MICR row below that, and on plain paper the cut marks at x 0 and 10500
    // ("sheet:y" of each pair).
    void placing_data() {
        QTest::addColumn<QString>("stock");
        QTest::addColumn<int>("checks");
        QTest::addColumn<QString>("tops");
        QTest::addColumn<int>("micrRow");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<int>("sheets");
        QTest::newRow("88 mm") << "" << 4 << "0:200 0:5220 0:10240 1:200" << 4055 << "" << 2;
        QTest::newRow("88 mm ignores two a sheet")
            << "two" << 4 << "0:200 0:5220 0:10240 1:200" << 4055 << "" << 2;
        QTest::newRow("92 mm") << "92mm" << 4 << "0:200 0:5470 0:10740 1:200" << 4269 << "" << 2;
        QTest::newRow("92 mm two a sheet")
            << "92mm two" << 4 << "0:200 0:5470 1:200 1:5470" << 4269 << "" << 2;
        QTest::newRow("seven: no blank fourth sheet")
            << "" << 7 << "0:200 0:5220 0:10240 1:200 1:5220 1:10240 2:200" << 4055 << "" << 3;
        QTest::newRow("plain paper: no marks below a third check")
            << "plain" << 4 << "0:200 0:5220 0:10240 1:200" << 4055 << "0:4655 0:9675 1:4655" << 2;
        QTest::newRow("plain paper two a sheet: marks below both")
            << "92mm two plain" << 3 << "0:200 0:5470 1:200" << 4269 << "0:4870 0:10140 1:4870"
            << 2;
    }
    void placing() {
        QFETCH(QString, stock);
        QFETCH(int, checks);
        QFETCH(QString, tops);
        QFETCH(int, micrRow);
        QFETCH(QString, marks);
        QFETCH(int, sheets);
        PrintShop shop;
        for (int i = 0; i < checks; ++i)
            shop.add({{"Check", 5001 + i}});
        shop.env.prompter.answerQuestion(false);
        shop.print(QStringLiteral("Once"), nullptr, ::stock(stock));
        const QList<Printed::Statement> printed = Printed::statements(shop.job());
        QStringList firsts, micr, left, right;
        for (const Printed::Statement& s : printed) {
            const QString at = QStringLiteral("%1:%2").arg(s.page);
            if (s.text == QLatin1String("Maple Street Bakery"))
                firsts << at.arg(s.y);
            else if (s.text.startsWith(QLatin1String("C 50")))
                micr << at.arg(s.y - micrRow);
            else if (s.text == QLatin1String("-")) {
                QCOMPARE(s.font, font(QStringLiteral("10")));
                (s.x == 0 ? left : right) << at.arg(s.y);
                QVERIFY(s.x == 0 || s.x == 10500);
            }
        }
        QCOMPARE(firsts.join(' '), tops);
        QCOMPARE(micr.join(' '), tops);
        QCOMPARE(left.join(' '), marks);
        QCOMPARE(right.join(' '), marks);
        QCOMPARE(shop.job().pages(), sheets);
    }

    // Without a font named exactly "Times New Roman" the body text is Helv.
    void bodyFontFallsBackToHelv() {
        PrintShop shop;
        shop.env.printer.setFonts({QStringLiteral("times new roman"), QStringLiteral("MICR65")});
        shop.add();
        shop.env.prompter.answerQuestion(false);
        shop.print(QStringLiteral("Once"));
        const QList<Printed::Statement> printed = Printed::statements(shop.job());
        QVERIFY(!printed.isEmpty());
        QCOMPARE(printed.first().font.face, QStringLiteral("Helv"));
        const QList<Printed::Statement> routing = Printed::find(printed, "A041000124A  ");
        QCOMPARE(routing.size(), 1);
        QCOMPARE(routing.first().font.face, QStringLiteral("MICR65"));
    }

    // The lines of a label, "text@y@font" each, as the payer's fields allow.
    void labelLines_data() {
        QTest::addColumn<QVariantMap>("changes");
        QTest::addColumn<QString>("lines");
        QTest::newRow("all") << QVariantMap()
                             << "Maple Street Bakery@700@10bi|Jordan Reyes@700 +10bi@10bi|"
                                "218 Maple Street@700 +10bi +10bi@10|"
                                "Fairview, OH  44118@700 +10bi +10bi +10@10";
        QTest::newRow("last name only, no zip") << QVariantMap{{"BusinessName", QVariant()},
                                                               {"FirstName", QVariant()},
                                                               {"Zip", QVariant()}}
                                                << " Reyes@700@10bi|218 Maple Street@700 +10bi@10";
    }
    void labelLines() {
        QFETCH(QVariantMap, changes);
        QFETCH(QString, lines);
        PrintShop shop;
        changes.insert(QStringLiteral("LabelPrint"), YesNo::True);
        shop.add(changes);
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(false);
        shop.print(QStringLiteral("OLabel"));
        QStringList printed;
        for (const Printed::Statement& s : Printed::statements(shop.job())) {
            QCOMPARE(s.x, 200.0);
            printed << QStringLiteral("%1@%2@%3%4%5")
                           .arg(s.text)
                           .arg(s.y)
                           .arg(s.font.size)
                           .arg(s.font.bold ? "b" : "", s.font.italic ? "i" : "");
        }
        QStringList expected;
        for (const QString& line : lines.split(QLatin1Char('|'))) {
            const QStringList p = line.split(QLatin1Char('@'));
            expected << QStringLiteral("%1@%2@%3").arg(p[0]).arg(top(p[1])).arg(p[2]);
        }
        QCOMPARE(printed, expected);
    }
};

QTEST_MAIN(TestCheckLayout)
#include "tst_checklayout.moc"
