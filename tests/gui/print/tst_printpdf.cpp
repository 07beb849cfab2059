// Real print runs rendered by the Qt page into PDF files and read back with poppler: every
// item where the recording page says it is (within a point), the sheets, and the MICR
// line in the MICR65 font.
#include "core/platform/DbError.h"
#include "core/platform/TableSchema.h"
#include "core/print/PrintRun.h"
#include "core/settings/SettingsDb.h"
#include "gui/platform/QtPrinter.h"
#include "support/CheckDbFixture.h"
#include "support/PdfText.h"
#include "support/TestEnv.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QTest>

using namespace CheckDbFixture;

namespace {

const QString kMicr = QStringLiteral("MICR65");

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
    {"Date", "12/1/2026"},
    {"Print", "Once"},
    {"LabelPrint", YesNo::True},
};

QVariantMap with(QVariantMap values, const QVariantMap& changes) {
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values.insert(it.key(), it.value());
    return values;
}

// The first word of an item as pdftotext shows it, and where that word starts.
struct Expected {
    int page;
    QString word;
    double x;
    double y;
};

QList<Expected> expectedWords(const RecordingPage& page) {
    QList<Expected> out;
    const RecordingPage::Text* before = nullptr;
    for (const RecordingPage::Text& t : page.texts()) {
        const RecordingPage::Text* previous = std::exchange(before, &t);
        const QString trimmed = t.text.trimmed();
        if (trimmed.isEmpty())
            continue;
        // An item that follows the text before it without a blank is part of that word.
        if (previous && previous->statement == t.statement && !previous->text.isEmpty() &&
            !previous->text.back().isSpace() && !t.text.front().isSpace())
            continue;
        // Leading blanks (a number's) come before the first glyph.
        const int lead = int(t.text.indexOf(trimmed.at(0)));
        const double x = t.x + QFontMetricsF(twipFont(t.font)).horizontalAdvance(t.text.left(lead));
        out.append({t.page, trimmed.section(QLatin1Char(' '), 0, 0), x, t.y});
    }
    return out;
}

// Fails unless every expected word is in the PDF within a point of its place.
void compareWithPdf(const QList<Expected>& expected, const QList<PdfText::Word>& words) {
    for (const Expected& e : expected) {
        bool found = false;
        QString near;
        for (const PdfText::Word& w : words) {
            if (w.page != e.page || !w.text.startsWith(e.word))
                continue;
            if (qAbs(w.x - e.x) <= 20 && qAbs(w.y - e.y) <= 20) {
                found = true;
                break;
            }
            near += QStringLiteral(" (%1, %2)").arg(w.x).arg(w.y);
        }
        QVERIFY2(found, qPrintable(QStringLiteral("\"%1\" not at (%2, %3) on sheet %4; seen at%5")
                                       .arg(e.word)
                                       .arg(e.x)
                                       .arg(e.y)
                                       .arg(e.page + 1)
                                       .arg(near)));
    }
}

PrintSelection checksOnce() {
    PrintSelection s;
    s.once = true;
    return s;
}

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT

    int m_micrId = -1;

private slots:
    void initTestCase() {
        // A built MICR65 may be handed to the tests by file; otherwise it must be installed.
        const QString file = qEnvironmentVariable("LEDGERLINE_MICR_FONT");
        if (!QFontDatabase::families().contains(kMicr) && !file.isEmpty())
            m_micrId = QFontDatabase::addApplicationFont(file);
    }

    // Each run is printed twice from the same records: on the recording page, whose
    // positions the layout tests check, and through the Qt page into a PDF, which must have
    // every word at the same place.
    void runsLandOnPaperAsRecorded_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("use88");
        QTest::addColumn<bool>("two");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<int>("checks");
        QTest::addColumn<int>("sheets");
        const int check = int(CheckDb::Kind::Check);
        const int draft = int(CheckDb::Kind::Draft);
        QTest::newRow("88 mm checks") << check << true << false << false << 4 << 2;
        QTest::newRow("92 mm drafts") << draft << false << false << false << 3 << 1;
        QTest::newRow("92 mm, two a sheet") << check << false << true << false << 3 << 2;
        QTest::newRow("plain paper") << draft << true << false << true << 3 << 1;
    }
    void runsLandOnPaperAsRecorded() {
        QFETCH(int, kind);
        QFETCH(bool, use88);
        QFETCH(bool, two);
        QFETCH(bool, plain);
        QFETCH(int, checks);
        QFETCH(int, sheets);
        if (!QFontDatabase::families().contains(kMicr))
            QSKIP("The MICR65 font is not available: install it, or give its file in "
                  "LEDGERLINE_MICR_FONT.");
        TestEnv env;
        const QString file = create(env, QStringLiteral("Paper"), CheckDb::Kind(kind));
        for (int i = 0; i < checks; ++i)
            addCheck(env, file,
                     with(kPayer, {{"Check", 1043 + i},
                                   {"PayTo", QStringLiteral("Payee number %1").arg(i + 1)},
                                   {"BusinessName", i == 1 ? QVariant() : kPayer["BusinessName"]}}));
        StockOptions options;
        options.use88mm = use88;
        options.twoPerPage = two;
        options.plainPaper = plain;

        QtPrinter qt(env.folderPath());
        qt.useFile(env.path(QStringLiteral("checks.pdf")));
        env.printer.setFonts(qt.fonts());
        for (Printer* printer : {static_cast<Printer*>(&env.printer), static_cast<Printer*>(&qt)}) {
            env.prompter.answerQuestion(false);
            PrintRun run(env.path(file), env.path(SettingsDb::kFileName), *printer, env.prompter,
                         env.clock);
            run.run(checksOnce(), options);
        }
        const QStringList shown = env.prompter.takeTexts();
        QCOMPARE(shown.size(), 5); // load stock and question; for the file also the notice
        QCOMPARE(shown[3], QStringLiteral("The checks were written to the PDF file \"checks.pdf\" "
                                          "in the folder %1.")
                               .arg(QDir::toNativeSeparators(env.folderPath())));

        const QString pdf = env.path(QStringLiteral("checks.pdf"));
        const RecordingPage& recorded = *env.printer.jobs().first().page;
        QCOMPARE(PdfText::pages(pdf), sheets);
        QCOMPARE(recorded.pages(), sheets);
        const QList<PdfText::Word> words = PdfText::words(pdf);
        compareWithPdf(expectedWords(recorded), words);
        QVERIFY(PdfText::fonts(pdf).contains(QStringLiteral("MICR65 embedded")));

        // A few places in plain numbers: the routing field of the first check and the
        // check number of the second, on 88 mm or 92 mm stock from vertical start 200.
        const QList<PdfText::Word> routing = PdfText::find(words, QStringLiteral("A041000124A"));
        QCOMPARE(routing.size(), checks);
        QVERIFY(qAbs(routing[0].x - 3855) <= 20);
        QVERIFY(qAbs(routing[0].y - (use88 ? 4255 : 4469)) <= 20);
        const QList<PdfText::Word> second = PdfText::find(words, QStringLiteral("1044"));
        QVERIFY(!second.isEmpty());
        const bool draftDb = kind == int(CheckDb::Kind::Draft);
        QCOMPARE(PdfText::find(words, QStringLiteral("Indemnification")).size(),
                 draftDb ? checks : 0);
        QCOMPARE(PdfText::find(words, QString(37, QLatin1Char('_'))).size(), draftDb ? 0 : checks);
        QCOMPARE(PdfText::find(words, QStringLiteral("-")).size(), plain ? 4 : 0);
    }

    // Labels from label 11 across two sheets.
    void labelsAcrossTwoSheets() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Labels"), CheckDb::Kind::Draft);
        for (int i = 0; i < 22; ++i)
            addCheck(env, file,
                     with(kPayer, {{"BusinessName", QStringLiteral("Customer%1").arg(i + 1)}}));
        QtPrinter qt(env.folderPath());
        qt.useFile(env.path(QStringLiteral("labels.pdf")));
        env.printer.setFonts(qt.fonts());
        PrintSelection labels;
        labels.oneTimeLabels = true;
        for (Printer* printer : {static_cast<Printer*>(&env.printer), static_cast<Printer*>(&qt)}) {
            env.prompter.answerInput(QStringLiteral("11"));
            env.prompter.answerQuestion(false);
            PrintRun run(env.path(file), env.path(SettingsDb::kFileName), *printer, env.prompter,
                         env.clock);
            run.run(labels, StockOptions());
        }
        const QString pdf = env.path(QStringLiteral("labels.pdf"));
        QCOMPARE(PdfText::pages(pdf), 2);
        const QList<PdfText::Word> words = PdfText::words(pdf);
        compareWithPdf(expectedWords(*env.printer.jobs().first().page), words);
        const PdfText::Word first = PdfText::find(words, QStringLiteral("Customer1")).value(0);
        QCOMPARE(first.page, 0);
        QVERIFY(qAbs(first.x - 4200) <= 20 && qAbs(first.y - 700) <= 20);
        const PdfText::Word last = PdfText::find(words, QStringLiteral("Customer22")).value(0);
        QCOMPARE(last.page, 1);
        QVERIFY(qAbs(last.x - 200) <= 20 && qAbs(last.y - 2143) <= 20);
        QVERIFY(!PdfText::fonts(pdf).join(' ').contains(kMicr));
    }

    // Without the MICR font the check job prints nothing, and no PDF is written.
    void withoutTheMicrFontNothingPrints() {
        if (m_micrId >= 0)
            QFontDatabase::removeApplicationFont(m_micrId);
        if (QFontDatabase::families().contains(kMicr))
            QSKIP("MICR65 is installed on this computer");
        TestEnv env;
        const QString file = create(env, QStringLiteral("NoFont"));
        addCheck(env, file, kPayer);
        QtPrinter qt(env.folderPath());
        qt.useFile(env.path(QStringLiteral("checks.pdf")));
        PrintRun run(env.path(file), env.path(SettingsDb::kFileName), qt, env.prompter, env.clock);
        run.run(checksOnce(), StockOptions());
        QCOMPARE(env.prompter.takeTexts(),
                 QStringList{QStringLiteral("Your PC does not have the MICR font installed. "
                                            "Further program execution is not possible")});
        QVERIFY(QDir(env.folderPath()).entryList({QStringLiteral("*.pdf")}).isEmpty());
        QCOMPARE(row(env, file, 2).value("Print"), QVariant("Once"));
    }
};

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
