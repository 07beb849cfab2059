// Real print runs rendered by the Qt page into PDF files and read back with poppler: every
// item where the recording page puts it (within a point), the sheets, and the MICR line in
// the MICR65 font.
#include "core/platform/TableSchema.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/QtPrinter.h"
#include "support/Child.h"
#include "support/PdfText.h"
#include "support/PrintShop.h"

#include <QFontDatabase>
#include <QProcess>
#include <QTest>

namespace {

const QString kMicr = QStringLiteral("MICR65");

// Prints `boxes` twice from the same checks, answering No: on the recording page, whose
// places the layout tests check, and through the Qt page into `pdf` in the shop's folder.
QList<PdfText::Word> printBoth(PrintShop& shop, const QString& boxes, const QString& pdf,
                               const StockOptions& options = StockOptions()) {
    QtPrinter qt(shop.env.folderPath());
    qt.useFile(shop.env.path(pdf));
    shop.env.printer.setFonts(qt.fonts());
    for (Printer* printer :
         {static_cast<Printer*>(&shop.env.printer), static_cast<Printer*>(&qt)}) {
        shop.env.prompter.answerInput(QStringLiteral("11"));
        shop.env.prompter.answerQuestion(false);
        shop.print(boxes, printer, options);
    }
    return PdfText::words(shop.env.path(pdf));
}

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // As the program does at start-up: the MICR font comes with it.
        registerMicrFont();
    }

    void checkRuns_data() {
        QTest::addColumn<bool>("draft");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<int>("checks");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("micrY"); // of the first check's bank line
        QTest::newRow("88 mm checks") << false << "" << 4 << 2 << 4255;
        QTest::newRow("92 mm drafts") << true << "92mm" << 3 << 1 << 4469;
        QTest::newRow("92 mm, two a sheet") << false << "92mm two" << 3 << 2 << 4469;
        QTest::newRow("plain paper drafts") << true << "plain" << 3 << 1 << 4255;
    }
    void checkRuns() {
        QFETCH(bool, draft);
        QFETCH(QString, stock);
        QFETCH(int, checks);
        QFETCH(int, sheets);
        QFETCH(int, micrY);
        if (!QFontDatabase::families().contains(kMicr))
            QSKIP("The MICR65 font is not available: it could not be registered from the "
                  "program's resources.");
        PrintShop shop(draft ? CheckDb::Kind::Draft : CheckDb::Kind::Check);
        for (int i = 0; i < checks; ++i)
            shop.add({{"Check", 1043 + i},
                      {"PayTo", QStringLiteral("Payee number %1").arg(i)},
                      {"BusinessName", i == 1 ? QVariant() : QVariant("Maple Street Bakery")}});
        const QList<PdfText::Word> words = printBoth(shop, "Once", "checks.pdf", ::stock(stock));
        const QString pdf = shop.env.path("checks.pdf");
        QCOMPARE(shop.env.prompter.takeTexts().value(3),
                 QStringLiteral("The checks were written to the PDF file \"checks.pdf\" in the "
                                "folder %1.")
                     .arg(QDir::toNativeSeparators(shop.env.folderPath())));
        QCOMPARE(PdfText::pages(pdf), sheets);
        QCOMPARE(shop.job().pages(), sheets);
        QCOMPARE(PdfText::misplaced(shop.job(), words), QStringList());
        QVERIFY(PdfText::fonts(pdf).contains(QStringLiteral("MICR65 embedded")));
        const QList<PdfText::Word> routing = PdfText::find(words, "A041000124A");
        QCOMPARE(routing.size(), checks);
        QVERIFY(checks > 0);
        QVERIFY(qAbs(routing[0].x - 3855) <= 20 && qAbs(routing[0].y - micrY) <= 20);
        QCOMPARE(PdfText::find(words, "Indemnification").size(), draft ? checks : 0);
        QCOMPARE(PdfText::find(words, QString(37, QLatin1Char('_'))).size(), draft ? 0 : checks);
        QCOMPARE(PdfText::find(words, "-").size(), stock == QLatin1String("plain") ? 4 : 0);

        // A reader-sorter finds every character of the bank line on one 0.125-inch (180
        // twips) pitch; 0.010 inch (14.4 twips) is all it allows, across the whole line.
        qsizetype characters = 0;
        for (const RecordingPage::Text& t : shop.job().texts())
            if (t.page == 0 && t.font.face == kMicr && t.y == micrY)
                characters += t.text.size() - t.text.count(QLatin1Char(' '));
        const QList<double> edges = PdfText::characterRightEdges(pdf, 0, micrY + 192);
        QVERIFY(characters > 0);
        QCOMPARE(edges.size(), characters);
        // The first, the on-us symbol before the check number, ends 0.108 inch into its cell.
        QVERIFY2(qAbs(edges[0] - (525 + 1530 + 155.52)) <= 14.4,
                 qPrintable(QString::number(edges[0])));
        for (const double edge : edges) {
            const double cells = (edge - edges[0]) / 180;
            QVERIFY2(qAbs(cells - qRound(cells)) * 180 <= 14.4,
                     qPrintable(QStringLiteral("a character ends %1 twips off the pitch")
                                    .arg((cells - qRound(cells)) * 180)));
        }
    }

    // Labels from label 11 across two sheets; no MICR font in them.
    void labelsAcrossTwoSheets() {
        PrintShop shop(CheckDb::Kind::Draft);
        for (int i = 1; i <= 22; ++i)
            shop.add({{"LabelPrint", YesNo::True},
                      {"BusinessName", QStringLiteral("Customer%1").arg(i)}});
        const QList<PdfText::Word> words = printBoth(shop, "OLabel", "labels.pdf");
        QCOMPARE(PdfText::pages(shop.env.path("labels.pdf")), 2);
        QCOMPARE(PdfText::misplaced(shop.job(), words), QStringList());
        QCOMPARE(PdfText::find(words, "Customer1").size(), 1);
        QCOMPARE(PdfText::find(words, "Customer22").size(), 1);
        const PdfText::Word first = PdfText::find(words, "Customer1").value(0);
        const PdfText::Word last = PdfText::find(words, "Customer22").value(0);
        QVERIFY(first.page == 0 && qAbs(first.x - 4200) <= 20 && qAbs(first.y - 700) <= 20);
        QVERIFY(last.page == 1 && qAbs(last.x - 200) <= 20 && qAbs(last.y - 2143) <= 20);
        QVERIFY(!PdfText::fonts(shop.env.path("labels.pdf")).join(' ').contains(kMicr));
    }

    // A job that cannot be written whole (a file-size limit, a full disk, a disk that
    // reports an error) fails in one message that says why: nothing is marked or numbered,
    // and no file is left behind. A real Ledgerline process prints; the trouble is real too.
    void aJobThatCannotBeWrittenWholeMarksNothing_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("message");
        QTest::newRow("checks, file-size limit")
            << "checks"
            << "limit"
            << "Printing the checks failed. The PDF file of the checks could not be written in "
               "%1, because it would be larger than the largest file this computer lets "
               "Ledgerline write. No check was marked as printed, renumbered or dated; print "
               "them again once the printer is ready.";
        QTest::newRow("labels, full disk")
            << "labels"
            << "full"
            << "Printing the labels failed. The PDF file of the labels could not be written in "
               "%1, because the disk is full. No label was marked as printed; print them again "
               "once the printer is ready.";
        QTest::newRow("blank checks, disk error at the flush")
            << "blank"
            << "flush"
            << "The PDF file of the blank checks could not be written in %1, because the disk "
               "reported an error. No check numbers were used: the next blank checks start "
               "again at #1201.";
    }
    void aJobThatCannotBeWrittenWholeMarksNothing() {
        QFETCH(QString, layout);
        QFETCH(QString, trouble);
        QFETCH(QString, message);
        PrintShop shop;
        shop.add({{"LabelPrint", YesNo::True}});
        shop.add({{"Check", 1044}, {"LabelPrint", YesNo::True}});
        CheckDbFixture::setTemplate(shop.env, shop.file, CheckDbFixture::payer());
        CheckDbFixture::setLastCheck(shop.env, shop.file, 1200);
        const QString out = shop.env.path(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(out));
        QStringList wrapper;
        QString limit = QStringLiteral("0");
        if (trouble == QLatin1String("limit")) {
            limit = QStringLiteral("6000");
        } else if (trouble == QLatin1String("flush")) {
            wrapper = Child::failingCalls({QStringLiteral("fsync:EIO")});
            if (wrapper.isEmpty())
                QSKIP("strace cannot make system calls fail here");
        } else {
            // A disk of 16 KB, mounted over the folder for the printing process alone.
            if (QProcess::execute(QStringLiteral("unshare"),
                                  {QStringLiteral("-m"), QStringLiteral("mount"),
                                   QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                   QStringLiteral("none"), out}) != 0)
                QSKIP("a small disk cannot be mounted here (needs unshare and mount as root)");
            wrapper = QStringList{QStringLiteral("unshare"),
                                  QStringLiteral("-m"),
                                  QStringLiteral("sh"),
                                  QStringLiteral("-c"),
                                  QStringLiteral("mount -t tmpfs -o size=16k none \"$0\" && exec "
                                                 "\"$@\""),
                                  out};
        }
        const QVariantMap before = shop.row(2);
        const QVariantMap templ = CheckDbFixture::row(shop.env, shop.file, 1);
        const Child::Outcome ran = Child::run(
            {QStringLiteral("print"), shop.env.folderPath(), shop.file, out, layout, limit},
            wrapper);
        QCOMPARE(ran.lines.value(0), message.arg(QDir::toNativeSeparators(out)));
        QCOMPARE(ran.lines.value(1), QStringLiteral("left: "));
        QCOMPARE(shop.row(2), before);
        QCOMPARE(CheckDbFixture::row(shop.env, shop.file, 1), templ);
        QCOMPARE(CheckDbFixture::lastCheck(shop.env, shop.file), QVariant(1200));
    }

    // Without the MICR font the check job prints nothing, and no PDF is written.
    void withoutTheMicrFontNothingPrints() {
        QFontDatabase::removeAllApplicationFonts();
        if (QFontDatabase::families().contains(kMicr))
            QSKIP("MICR65 is installed on this computer");
        PrintShop shop;
        const qint64 id = shop.add();
        QtPrinter qt(shop.env.folderPath());
        qt.useFile(shop.env.path("checks.pdf"));
        QCOMPARE(shop.print("Once", &qt), QString());
        QCOMPARE(shop.env.prompter.takeTexts(),
                 QStringList{"Checks cannot be printed without the MICR font MICR65, in which "
                             "the bank's numbers at the bottom of every check are printed. No "
                             "check was printed, marked or numbered. Ledgerline goes on, and "
                             "address labels still print: they need no MICR font. Install MICR65, "
                             "then print the checks again."});
        QVERIFY(QDir(shop.env.folderPath()).entryList({"*.pdf"}).isEmpty());
        QCOMPARE(shop.row(id).value("Print"), QVariant("Once"));
    }
};

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
