// The printed layouts on the recording page: every item of the check face with its
// position and font state, the placing of checks on sheets with their cut marks, and the
// address labels. Runs go through the real print run on real check databases.
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/print/LabelSheet.h"
#include "core/print/PrintRun.h"
#include "support/CheckDbFixture.h"
#include "support/Printed.h"
#include "support/TestEnv.h"

#include <QRegularExpression>
#include <QTest>

using namespace CheckDbFixture;

namespace {

const QVariantMap kPayer{
    {"BusinessName", "Maple Street Bakery"},
    {"FirstName", "Jordan"},
    {"LastName", "Reyes"},
    {"Address", "218 Maple Street"},
    {"City", "Fairview"},
    {"State", "OH"},
    {"Zip", "44118"},
    {"Phone", "555-0142"},
    {"Bank", "Fairview Bank"},
    {"BankCity", "Fairview"},
    {"BankState", "OH"},
    {"ABA", "041000124"},
    {"Account", "1234D567"},
    {"PayTo", "Harbor Office Supply"},
    {"Amount", "142.18"},
    {"For", "Printer paper"},
    {"Check", 1043},
    {"Date", "12/1/2026"},
    {"Print", "Once"},
};

const QVariantMap kDraft{
    {"FirstName", "Alice"},
    {"LastName", "Brennan"},
    {"Address", "14 Orchard Lane"},
    {"City", "Springfield"},
    {"State", "IL"},
    {"Zip", "62704"},
    {"Bank", "First Prairie Bank"},
    {"ABA", "071000013"},
    {"Account", "4410 2231 7"},
    {"PayTo", "Maple Street Bakery"},
    {"Amount", "19.00"},
    {"For", "General Merchandise"},
    {"Check", 2001},
    {"Date", "12/1/2026"},
    {"Print", "Monthly"},
};

QVariantMap with(QVariantMap values, const QVariantMap& changes) {
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values.insert(it.key(), it.value());
    return values;
}

struct Variant {
    const char* name;
    CheckDb::Kind kind;
    QVariantMap check;
};

// Each variant is one check printed alone, first on its sheet: its origin is the shipped
// horizontal start 525 and vertical start 200.
const QList<Variant>& variants() {
    static const QList<Variant> list = {
        {"check", CheckDb::Kind::Check, kPayer},
        {"draft", CheckDb::Kind::Draft, kDraft},
        {"draft without memo", CheckDb::Kind::Draft, with(kDraft, {{"For", QVariant()}})},
        {"no business name", CheckDb::Kind::Check, with(kPayer, {{"BusinessName", QVariant()}})},
        {"no zip, no bank state", CheckDb::Kind::Check,
         with(kPayer, {{"Zip", QVariant()}, {"BankState", QVariant()}})},
        {"no routing", CheckDb::Kind::Check, with(kPayer, {{"ABA", QVariant()}})},
        {"last name only", CheckDb::Kind::Check,
         with(kPayer, {{"FirstName", QVariant()}, {"BusinessName", QVariant()}})},
    };
    return list;
}

struct Expect {
    const char* variant;
    const char* text;
    double x;
    // The top y of the statement: a number, then one "+<size>[b][i]" for each body line
    // above it in its block (the line end of that font moved y down); "absent" when the
    // statement must not print.
    const char* y;
    const char* face; // "body" or "MICR65"
    double size;
    bool bold;
    bool italic;
};

constexpr bool B = true;
constexpr bool I = true;
constexpr bool _ = false;
const QString kLine37 = QString(37, QLatin1Char('_'));

// clang-format off
const Expect kFace[] = {
    {"check", "Maple Street Bakery", 525, "200", "body", 12, B, I},
    {"check", "Jordan Reyes", 525, "200 +12bi", "body", 12, B, I},
    {"check", "218 Maple Street", 525, "200 +12bi +12bi", "body", 10, _, I},
    {"check", "Fairview, OH  44118", 525, "200 +12bi +12bi +10i", "body", 10, _, I},
    {"check", "PH: 555-0142", 525, "200 +12bi +12bi +10i +10i", "body", 10, _, I},
    {"check", "PAY TO THE ORDER OF:  Harbor Office Supply", 525, "2000", "body", 12, B, I},
    {"check", "**$142.18**", 9525, "2000", "body", 12, B, _},
    {"check", "Fairview Bank", 525, "2600", "body", 12, B, _},
    {"check", "Fairview, OH", 525, "2600 +12b", "body", 10, _, _},
    {"check", "For: Printer paper", 525, "3300", "body", 10, _, _},
    {"check", "_____________________________________", 7125, "3400", "body", 10, _, _},
    {"check", "C 1043 C  ", 2060, "4255", "MICR65", 12, _, _},
    {"check", "A041000124A  ", 3855, "4255", "MICR65", 12, _, _},
    {"check", "1234D567C   ", 6180, "4255", "MICR65", 12, _, _},
    {"check", " 1043 ", 10125, "500", "body", 12, B, _},
    {"check", "12/1/2026", 10125, "500 +12b", "body", 12, B, _},
    {"check", "This check when paid is a receipt for amount due on date indicated", 0, "absent", "body", 8.25, _, _},
    {"check", "Payment authorized by accountholder", 0, "absent", "body", 8.25, _, _},

    {"draft", "Alice Brennan", 525, "200", "body", 12, B, I},
    {"draft", "14 Orchard Lane", 525, "200 +12bi", "body", 10, _, I},
    {"draft", "Springfield, IL  62704", 525, "200 +12bi +10i", "body", 10, _, I},
    {"draft", "PAY TO THE ORDER OF:  Maple Street Bakery", 525, "2000", "body", 12, B, I},
    {"draft", "**$19.00**", 9525, "2000", "body", 12, B, _},
    {"draft", "First Prairie Bank", 525, "2600", "body", 12, B, _},
    {"draft", "For: General Merchandise", 525, "3300", "body", 10, _, _},
    {"draft", " ", 525, "3300 +10", "body", 8.25, _, _},
    {"draft", "This check when paid is a receipt for amount due on date indicated", 525, "3300 +10 +8.25", "body", 8.25, _, _},
    {"draft", "Payment authorized by accountholder", 7125, "2900", "body", 8.25, _, _},
    {"draft", "Indemnification agreement provided by:", 7125, "2900 +8.25", "body", 8.25, _, _},
    {"draft", "Maple Street Bakery", 7125, "2900 +8.25 +8.25", "body", 8.25, _, I},
    {"draft", "C 2001 C  ", 2060, "4255", "MICR65", 12, _, _},
    {"draft", "A071000013A  ", 3855, "4255", "MICR65", 12, _, _},
    {"draft", "4410 2231 7C   ", 6180, "4255", "MICR65", 12, _, _},
    {"draft", " 2001 ", 10125, "500", "body", 12, B, _},
    // Printed every time: the date of the run.
    {"draft", "12/7/2026", 10125, "500 +12b", "body", 12, B, _},
    {"draft", "_____________________________________", 0, "absent", "body", 10, _, _},

    // Without a memo the draft texts start at the memo's place.
    {"draft without memo", " ", 525, "3300", "body", 8.25, _, _},
    {"draft without memo", "This check when paid is a receipt for amount due on date indicated", 525, "3300 +8.25", "body", 8.25, _, _},

    {"no business name", "Jordan Reyes", 525, "200", "body", 12, B, I},
    {"no business name", "218 Maple Street", 525, "200 +12bi", "body", 10, _, I},
    {"no business name", "PH: 555-0142", 525, "200 +12bi +10i +10i", "body", 10, _, I},

    {"no zip, no bank state", "Fairview, OH  ", 0, "absent", "body", 10, _, I},
    {"no zip, no bank state", "PH: 555-0142", 525, "200 +12bi +12bi +10i", "body", 10, _, I},
    {"no zip, no bank state", "Fairview, ", 0, "absent", "body", 10, _, _},
    {"no zip, no bank state", "For: Printer paper", 525, "3300", "body", 10, _, _},

    // The other two fields of the MICR line keep their places.
    {"no routing", "C 1043 C  ", 2060, "4255", "MICR65", 12, _, _},
    {"no routing", "1234D567C   ", 6180, "4255", "MICR65", 12, _, _},
    {"no routing", "AA  ", 0, "absent", "MICR65", 12, _, _},

    {"last name only", " Reyes", 525, "200", "body", 12, B, I},
    {"last name only", "218 Maple Street", 525, "200 +12bi", "body", 10, _, I},
};
// clang-format on

// Runs Print with only the one-time and multiple-times boxes set, on 88 mm stock, and
// answers No.
RecordingPage* printChecks(TestEnv& env, const QString& file, bool plain = false,
                           bool use88 = true, bool two = false) {
    PrintRun run(env.path(file), env.path(QStringLiteral("PC.OVL")), env.printer, env.prompter,
                 env.clock);
    env.prompter.answerQuestion(false);
    PrintSelection selection;
    selection.once = selection.monthly = true;
    StockOptions options;
    options.use88mm = use88;
    options.twoPerPage = two;
    options.plainPaper = plain;
    run.run(selection, options);
    if (env.printer.jobs().size() != 1)
        return nullptr;
    return env.printer.jobs().first().page;
}

RecordingPage* printVariant(TestEnv& env, const QString& variantName) {
    for (const Variant& v : variants()) {
        if (QLatin1String(v.name) != variantName)
            continue;
        const QString file = create(env, QStringLiteral("Face"), v.kind);
        addCheck(env, file, v.check);
        return printChecks(env, file);
    }
    return nullptr;
}

double expectedY(const QString& spec) {
    const QStringList parts = spec.split(QLatin1Char(' '));
    double y = parts.first().toDouble();
    static const QRegularExpression line(QStringLiteral("^\\+([0-9.]+)(b?)(i?)$"));
    for (const QString& p : parts.mid(1)) {
        const QRegularExpressionMatch m = line.match(p);
        PrintFont f{QStringLiteral("Times New Roman"), m.captured(1).toDouble(),
                    !m.captured(2).isEmpty(), !m.captured(3).isEmpty()};
        y += Printed::lineHeight(f);
    }
    return y;
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
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        for (const Expect& e : kFace)
            QTest::addRow("%s: %s", e.variant, e.text)
                << QString::fromLatin1(e.variant) << QString::fromLatin1(e.text) << e.x
                << QString::fromLatin1(e.y) << QString::fromLatin1(e.face) << e.size << e.bold
                << e.italic;
    }
    void checkFace() {
        QFETCH(QString, variant);
        QFETCH(QString, text);
        QFETCH(double, x);
        QFETCH(QString, y);
        QFETCH(QString, face);
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        TestEnv env;
        RecordingPage* page = printVariant(env, variant);
        QVERIFY(page);
        const QList<Printed::Statement> all = Printed::statements(*page);
        QList<Printed::Statement> found = Printed::find(all, text);
        if (y == QLatin1String("absent")) {
            // Neither the statement nor any part of it.
            for (const Printed::Statement& s : all)
                QVERIFY2(!s.text.startsWith(text), qPrintable(s.text));
            return;
        }
        QCOMPARE(found.size(), 1);
        const Printed::Statement& s = found.first();
        QCOMPARE(s.page, 0);
        QCOMPARE(s.x, x);
        QCOMPARE(s.y, expectedY(y));
        QCOMPARE(s.font.face, face == QLatin1String("body") ? QStringLiteral("Times New Roman")
                                                            : face);
        QCOMPARE(s.font.size, size);
        QCOMPARE(s.font.bold, bold);
        QCOMPARE(s.font.italic, italic);
    }

    // The table above is the whole face: a check and a draft print nothing else.
    void checkFaceHasNothingElse_data() {
        QTest::addColumn<QString>("variant");
        QTest::newRow("check") << "check";
        QTest::newRow("draft") << "draft";
    }
    void checkFaceHasNothingElse() {
        QFETCH(QString, variant);
        TestEnv env;
        RecordingPage* page = printVariant(env, variant);
        QVERIFY(page);
        QStringList expected;
        for (const Expect& e : kFace)
            if (QLatin1String(e.variant) == variant && QLatin1String(e.y) != QLatin1String("absent"))
                expected << QString::fromLatin1(e.text);
        QStringList printed;
        for (const Printed::Statement& s : Printed::statements(*page))
            printed << s.text;
        expected.sort();
        printed.sort();
        QCOMPARE(printed, expected);
    }

    // A database whose kind is neither Check nor Draft prints neither the draft texts nor
    // the signature line.
    void otherKindPrintsNeitherBlock() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Odd"));
        {
            RecordSet header(Database::open(env.path(file)), CheckDb::kHeader);
            header.edit();
            header.setValue(QStringLiteral("AccountType"), QStringLiteral("check"));
            header.update();
        }
        addCheck(env, file, kPayer);
        RecordingPage* page = printChecks(env, file);
        QVERIFY(page);
        for (const Printed::Statement& s : Printed::statements(*page)) {
            QVERIFY(s.text != kLine37);
            QVERIFY(!s.text.startsWith(QLatin1String("Payment authorized")));
        }
    }

    // Checks on sheets: the top of each check (where its first line prints), its MICR line
    // and the sheets used. "page:top" for each check in order.
    void placing_data() {
        QTest::addColumn<bool>("use88");
        QTest::addColumn<bool>("two");
        QTest::addColumn<int>("checks");
        QTest::addColumn<QString>("tops");
        QTest::addColumn<int>("micrRow");
        QTest::addColumn<int>("sheets");
        QTest::newRow("88 mm, three a sheet") << true << false << 4
                                              << "0:200 0:5220 0:10240 1:200" << 4055 << 2;
        QTest::newRow("88 mm ignores two a sheet") << true << true << 4
                                                   << "0:200 0:5220 0:10240 1:200" << 4055 << 2;
        QTest::newRow("92 mm, three a sheet") << false << false << 4
                                              << "0:200 0:5470 0:10740 1:200" << 4269 << 2;
        QTest::newRow("92 mm, two a sheet") << false << true << 4 << "0:200 0:5470 1:200 1:5470"
                                            << 4269 << 2;
        QTest::newRow("seven checks, no blank fourth sheet")
            << true << false << 7 << "0:200 0:5220 0:10240 1:200 1:5220 1:10240 2:200" << 4055
            << 3;
        QTest::newRow("six checks fill two sheets exactly")
            << true << false << 6 << "0:200 0:5220 0:10240 1:200 1:5220 1:10240" << 4055 << 2;
    }
    void placing() {
        QFETCH(bool, use88);
        QFETCH(bool, two);
        QFETCH(int, checks);
        QFETCH(QString, tops);
        QFETCH(int, micrRow);
        QFETCH(int, sheets);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Sheets"));
        for (int i = 0; i < checks; ++i)
            addCheck(env, file, with(kPayer, {{"Check", 5001 + i}}));
        RecordingPage* page = printChecks(env, file, false, use88, two);
        QVERIFY(page);
        const QList<Printed::Statement> all = Printed::statements(*page);
        QStringList printedTops;
        for (const Printed::Statement& s : Printed::find(all, QStringLiteral("Maple Street Bakery")))
            printedTops << QStringLiteral("%1:%2").arg(s.page).arg(s.y);
        QCOMPARE(printedTops.join(QLatin1Char(' ')), tops);
        // Each check's MICR line at its own top plus the stock's MICR row.
        const QStringList topList = tops.split(QLatin1Char(' '));
        for (int i = 0; i < checks; ++i) {
            const QList<Printed::Statement> micr =
                Printed::find(all, QStringLiteral("C %1 C  ").arg(5001 + i));
            QCOMPARE(micr.size(), 1);
            QCOMPARE(QStringLiteral("%1:%2").arg(micr[0].page).arg(micr[0].y - micrRow),
                     topList[i]);
        }
        QCOMPARE(page->pages(), sheets);
        QVERIFY(page->ended());
    }

    // Plain paper: cut marks at x 0 and 10500 below every check but the third of a sheet,
    // "page:y" for each pair.
    void cutMarks_data() {
        QTest::addColumn<bool>("use88");
        QTest::addColumn<bool>("two");
        QTest::addColumn<int>("checks");
        QTest::addColumn<QString>("marks");
        QTest::newRow("88 mm: below the first two of each sheet")
            << true << false << 4 << "0:4655 0:9675 1:4655";
        QTest::newRow("92 mm three a sheet") << false << false << 3 << "0:4870 0:10140";
        QTest::newRow("92 mm two a sheet: below both") << false << true << 3
                                                       << "0:4870 0:10140 1:4870";
    }
    void cutMarks() {
        QFETCH(bool, use88);
        QFETCH(bool, two);
        QFETCH(int, checks);
        QFETCH(QString, marks);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Plain"));
        for (int i = 0; i < checks; ++i)
            addCheck(env, file, kPayer);
        RecordingPage* page = printChecks(env, file, true, use88, two);
        QVERIFY(page);
        QStringList left;
        QStringList right;
        for (const Printed::Statement& s : Printed::find(Printed::statements(*page), "-")) {
            QCOMPARE(s.font, (PrintFont{QStringLiteral("Times New Roman"), 10, false, false}));
            (s.x == 0 ? left : right) << QStringLiteral("%1:%2").arg(s.page).arg(s.y);
            QVERIFY(s.x == 0 || s.x == 10500);
        }
        QCOMPARE(left.join(QLatin1Char(' ')), marks);
        QCOMPARE(right.join(QLatin1Char(' ')), marks);
    }

    void noCutMarksOnCheckStock() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Stock"));
        addCheck(env, file, kPayer);
        RecordingPage* page = printChecks(env, file);
        QVERIFY(page);
        QVERIFY(Printed::find(Printed::statements(*page), "-").isEmpty());
    }

    // Without a font named exactly "Times New Roman" every text but the MICR line is Helv.
    void bodyFontFallsBackToHelv() {
        TestEnv env;
        env.printer.setFonts({QStringLiteral("times new roman"), QStringLiteral("MICR65")});
        const QString file = create(env, QStringLiteral("Helv"));
        addCheck(env, file, kPayer);
        RecordingPage* page = printChecks(env, file);
        QVERIFY(page);
        for (const Printed::Statement& s : Printed::statements(*page))
            QCOMPARE(s.font.face, s.text.endsWith(QLatin1String("  ")) || s.text.endsWith(QLatin1String("C   "))
                                      ? QStringLiteral("MICR65")
                                      : QStringLiteral("Helv"));
    }

    // Where each label of a sheet goes.
    void labelPositions_data() {
        QTest::addColumn<int>("label");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("1") << 1 << 200 << 700;
        QTest::newRow("2") << 2 << 200 << 2143;
        QTest::newRow("10") << 10 << 200 << 13687;
        QTest::newRow("11") << 11 << 4200 << 700;
        QTest::newRow("20") << 20 << 4200 << 13687;
        QTest::newRow("21") << 21 << 8200 << 700;
        QTest::newRow("25") << 25 << 8200 << 6472;
        QTest::newRow("30") << 30 << 8200 << 13687;
    }
    void labelPositions() {
        QFETCH(int, label);
        QFETCH(int, x);
        QFETCH(int, y);
        QCOMPARE(LabelSheet::labelX(label), x);
        QCOMPARE(LabelSheet::labelY(label), y);
    }

    // The lines of one label (label 1), as the payer's fields allow: "text@y@style" each,
    // style "bi" for bold italic.
    void labelLines_data() {
        QTest::addColumn<QVariantMap>("payer");
        QTest::addColumn<QString>("lines");
        const QVariantMap full{{"BusinessName", "Maple Street Bakery"}, {"FirstName", "Jordan"},
                               {"LastName", "Reyes"}, {"Address", "218 Maple Street"},
                               {"City", "Fairview"}, {"State", "OH"}, {"Zip", "44118"}};
        QTest::newRow("all lines") << full
                                   << "Maple Street Bakery@700@bi|Jordan Reyes@700 +10bi@bi|"
                                      "218 Maple Street@700 +10bi +10bi@|"
                                      "Fairview, OH  44118@700 +10bi +10bi +10@";
        QTest::newRow("last name only")
            << with(full, {{"BusinessName", QVariant()}, {"FirstName", QVariant()}})
            << " Reyes@700@bi|218 Maple Street@700 +10bi@|Fairview, OH  44118@700 +10bi +10@";
        QTest::newRow("no zip") << with(full, {{"Zip", QVariant()}})
                                << "Maple Street Bakery@700@bi|Jordan Reyes@700 +10bi@bi|"
                                   "218 Maple Street@700 +10bi +10bi@";
    }
    void labelLines() {
        QFETCH(QVariantMap, payer);
        QFETCH(QString, lines);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Labels"), CheckDb::Kind::Draft);
        payer.insert(QStringLiteral("Print"), QStringLiteral("Once"));
        payer.insert(QStringLiteral("LabelPrint"), YesNo::True);
        addCheck(env, file, payer);
        PrintRun run(env.path(file), env.path(QStringLiteral("PC.OVL")), env.printer,
                     env.prompter, env.clock);
        env.prompter.answerInput(QString());
        env.prompter.answerQuestion(false);
        PrintSelection labels;
        labels.oneTimeLabels = true;
        run.run(labels, StockOptions());
        QCOMPARE(env.printer.jobs().size(), 1);
        const QList<Printed::Statement> printed =
            Printed::statements(*env.printer.jobs().first().page);
        const QStringList expected = lines.split(QLatin1Char('|'));
        QCOMPARE(printed.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const QStringList parts = expected[i].split(QLatin1Char('@'));
            QCOMPARE(printed[i].text, parts[0]);
            QCOMPARE(printed[i].x, 200.0);
            QCOMPARE(printed[i].y, expectedY(parts[1]));
            QCOMPARE(printed[i].font, (PrintFont{QStringLiteral("Times New Roman"), 10,
                                                 parts[2] == QLatin1String("bi"),
                                                 parts[2] == QLatin1String("bi")}));
        }
    }
};

QTEST_MAIN(TestCheckLayout)
#include "tst_checklayout.moc"
