// The blank layouts rendered by the Qt page into PDF files and read back with poppler: each
// job printed once on the recording page and once into a PDF from identical databases, with
// every word where the recording page says it is (within a point), the sheets, the MICR
// line in MICR65, and the numbers going on from the database.
#include "core/print/BlankCheckJob.h"
#include "core/print/DepositTicketJob.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/QtPrinter.h"
#include "support/CheckDbFixture.h"
#include "support/PdfText.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QFontDatabase>
#include <QTest>

using Layout = BlankCheckJob::Layout;

namespace {

const QVariantMap kPayer = CheckDbFixture::with(CheckDbFixture::payer(), {{"Check", 1200}});

constexpr int kDeposit = 3;

// Where a word stands on a sheet, as "x,y" rounded to 20 twips (a point): the places
// poppler reports for it.
QStringList placesOf(const QList<PdfText::Word>& words, const QString& text, int page) {
    QStringList out;
    for (const PdfText::Word& w : PdfText::find(words, text, page))
        out << QStringLiteral("%1,%2").arg(qRound(w.x / 20) * 20).arg(qRound(w.y / 20) * 20);
    return out;
}

bool near(const QList<PdfText::Word>& words, const QString& text, int page, double x, double y) {
    for (const PdfText::Word& w : PdfText::find(words, text, page))
        if (qAbs(w.x - x) <= 20 && qAbs(w.y - y) <= 20)
            return true;
    return false;
}

// A number printed at x: its digits start after the blank in front of it (an eighth of an
// inch in the MICR font).
bool numberAt(const QList<PdfText::Word>& words, const QString& text, int page, double x,
              double y) {
    for (const PdfText::Word& w : PdfText::find(words, text, page))
        if (w.x > x && w.x - x <= 200 && qAbs(w.y - y) <= 20)
            return true;
    return false;
}

BlankJob::Result runJob(int layout, Printer& printer, TestEnv& env, const QString& file,
                        const BlankPrintSettings& settings) {
    if (layout == kDeposit)
        return DepositTicketJob(printer, env.prompter, env.clock, env.program)
            .run(env.path(file), settings);
    return BlankCheckJob(printer, env.prompter, env.clock, env.program)
        .run(Layout(layout), env.path(file), settings);
}

} // namespace

class TestBlankPdf : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!registerMicrFont())
            QSKIP("The MICR font MICR65 is not available.");
    }

    void layoutsLandOnPaperAsRecorded_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("use88mm");
        QTest::addColumn<bool>("twoPerPage");
        QTest::addColumn<bool>("plainPaper");
        QTest::addColumn<bool>("businessName");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("cutMarks");
        const int regular = int(Layout::Regular);
        QTest::newRow("regular, 88 mm, four")
            << regular << true << false << false << true << 4 << 2 << 0;
        QTest::newRow("regular, six fill two sheets and no more")
            << regular << true << false << false << true << 6 << 2 << 0;
        QTest::newRow("regular, 92 mm plain paper: no marks below the third")
            << regular << false << false << true << true << 3 << 1 << 4;
        QTest::newRow("regular, 92 mm two per page on plain paper")
            << regular << false << true << true << true << 3 << 2 << 6;
        QTest::newRow("regular, template without business name")
            << regular << true << false << false << false << 2 << 1 << 0;
        QTest::newRow("Quicken 3-up, plain paper")
            << int(Layout::Quicken3Up) << true << false << true << true << 4 << 2 << 8;
        QTest::newRow("voucher, three")
            << int(Layout::Voucher) << true << false << false << true << 3 << 3 << 0;
        QTest::newRow("deposit tickets, 92 mm, plain paper")
            << kDeposit << false << false << true << true << 4 << 2 << 6;
    }
    void layoutsLandOnPaperAsRecorded() {
        QFETCH(int, layout);
        QFETCH(bool, use88mm);
        QFETCH(bool, twoPerPage);
        QFETCH(bool, plainPaper);
        QFETCH(bool, businessName);
        QFETCH(int, count);
        QFETCH(int, sheets);
        QFETCH(int, cutMarks);
        TestEnv env;
        QVariantMap payer = kPayer;
        if (!businessName)
            payer.insert("BusinessName", QVariant());
        const QString file = CheckDbFixture::create(env, QStringLiteral("Shop"));
        CheckDbFixture::setTemplate(env, file, payer);
        CheckDbFixture::setLastCheck(env, file, 1150);
        // The recorded job numbers a copy, so both jobs print the same numbers.
        QVERIFY(QFile::copy(env.path(file), env.path(QStringLiteral("Recorded.mdb"))));

        BlankPrintSettings settings{200, 525, QStringLiteral("0123"), {}};
        settings.options.use88mm = use88mm;
        settings.options.twoPerPage = twoPerPage;
        settings.options.plainPaper = plainPaper;
        QtPrinter qt(env.folderPath());
        qt.useFile(env.path(QStringLiteral("blank.pdf")));
        env.printer.setFonts(qt.fonts());
        env.prompter.answerInput(QString::number(count));
        QCOMPARE(runJob(layout, env.printer, env, QStringLiteral("Recorded.mdb"), settings),
                 BlankJob::Result::Printed);
        env.prompter.answerInput(QString::number(count));
        QCOMPARE(runJob(layout, qt, env, file, settings), BlankJob::Result::Printed);
        const QString contents = layout == kDeposit                  ? "deposit tickets"
                                 : layout == int(Layout::Voucher)    ? "voucher checks"
                                 : layout == int(Layout::Quicken3Up) ? "Quicken checks"
                                                                     : "blank checks";
        QCOMPARE(env.prompter.takeTexts().last(),
                 QStringLiteral("The %1 were written to the PDF file \"blank.pdf\" in the folder "
                                "%2.")
                     .arg(contents, QDir::toNativeSeparators(env.folderPath())));

        const QString pdf = env.path(QStringLiteral("blank.pdf"));
        QCOMPARE(env.printer.jobs().size(), 1);
        const RecordingPage& recorded = *env.printer.jobs().first().page;
        QCOMPARE(recorded.pages(), sheets);
        QCOMPARE(PdfText::pages(pdf), sheets);
        const QList<PdfText::Word> words = PdfText::words(pdf);
        const QStringList misplaced = PdfText::misplaced(recorded, words);
        QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join(QLatin1Char('\n'))));
        QVERIFY(PdfText::fonts(pdf).contains(QStringLiteral("MICR65 embedded")));
        QCOMPARE(PdfText::find(words, QStringLiteral("-")).size(), cutMarks);

        // The routing field of the first check (or ticket) in plain numbers.
        const double micrY = 200 + (use88mm ? 4055 : 4269);
        QVERIFY2(near(words, QStringLiteral("A041000124A"), 0, 3855, micrY),
                 qPrintable(placesOf(words, QStringLiteral("A041000124A"), 0).join(' ')));
        if (layout == kDeposit) {
            QVERIFY(near(words, QStringLiteral("DEPOSIT"), 0, 525, 2000));
            const QList<PdfText::Word> tran = PdfText::find(words, QStringLiteral("0123"), 0);
            QVERIFY(!tran.isEmpty() && tran[0].x > 6195 && qAbs(tran[0].y - micrY) <= 20);
            QVERIFY(near(words, QStringLiteral("DEPOSIT"), sheets - 1, 525, 2000));
            return;
        }
        // The numbers go on from the template's 1200; the last is on the last sheet, and
        // both the template and the header hold it afterwards.
        const QString last = QString::number(1200 + count);
        QVERIFY2(numberAt(words, QStringLiteral("1201"), 0, 10525, 200) &&
                     numberAt(words, QStringLiteral("1201"), 0, 2055, micrY),
                 qPrintable(placesOf(words, QStringLiteral("1201"), 0).join(' ')));
        QVERIFY(!PdfText::find(words, last, sheets - 1).isEmpty());
        QVERIFY(PdfText::find(words, QString::number(1201 + count)).isEmpty());
        QCOMPARE(CheckDbFixture::row(env, file, 1).value("Check").toString(), last);
        QCOMPARE(CheckDbFixture::lastCheck(env, file).toString(), last);
        if (!businessName)
            QVERIFY(near(words, QStringLiteral("Jordan"), 0, 2025, 200));
        if (layout == int(Layout::Voucher))
            QCOMPARE(PdfText::find(words, QStringLiteral("1203"), 2).size(), 4);
    }

    // A job that prints nothing writes no file and uses no numbers.
    void countZeroWritesNoFile() {
        TestEnv env;
        const QString file = CheckDbFixture::create(env, QStringLiteral("Shop"));
        CheckDbFixture::setTemplate(env, file, kPayer);
        QtPrinter qt(env.folderPath());
        qt.useFile(env.path(QStringLiteral("blank.pdf")));
        env.prompter.answerInput(QStringLiteral("0"));
        QCOMPARE(runJob(int(Layout::Regular), qt, env, file, {200, 525, {}, {}}),
                 BlankJob::Result::Stopped);
        QVERIFY(QDir(env.folderPath()).entryList({QStringLiteral("*.pdf")}).isEmpty());
        QCOMPARE(CheckDbFixture::row(env, file, 1).value("Check").toInt(), 1200);
    }
};

QTEST_MAIN(TestBlankPdf)
#include "tst_blankpdf.moc"
