// The Qt page on real PDF files, read back with poppler: positions in twips, line ends,
// sheets, and where each job's file goes.
#include "core/platform/DbError.h"
#include "core/platform/RecordingPage.h"
#include "gui/platform/QtPrintPage.h"
#include "gui/platform/QtPrinter.h"
#include "support/Drive.h"
#include "support/PdfText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSans = QStringLiteral("DejaVu Sans");

QStringList pdfsIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

QString onlyPdf(const QString& folder) {
    const QStringList files = pdfsIn(folder);
    return files.size() == 1 ? QDir(folder).filePath(files.first()) : QString();
}

} // namespace

class TestQtPrintPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFontDatabase::families().contains(kSans))
            QSKIP("the DejaVu Sans font (fonts-dejavu-core) is not installed");
    }

    // Each row prints one word at a position in a font state; the PDF has it within a
    // point (20 twips) of that position.
    void textLandsWhereItWasPut_data() {
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("top left corner") << 10.0 << false << false << 0.0 << 0.0;
        QTest::newRow("check number column") << 12.0 << true << false << 10125.0 << 500.0;
        QTest::newRow("payer block, italic") << 12.0 << true << true << 525.0 << 200.0;
        QTest::newRow("small print") << 8.25 << false << false << 7125.0 << 2900.0;
        QTest::newRow("third check's bank line") << 12.0 << false << false << 3855.0 << 14295.0;
        QTest::newRow("large") << 14.0 << false << true << 1440.0 << 7200.0;
    }
    void textLandsWhereItWasPut() {
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(double, x);
        QFETCH(double, y);
        QTemporaryDir dir;
        auto page = QtPrintPage::toPdf(QDir(dir.path()), QStringLiteral("job"),
                                       QStringLiteral("checks"), false);
        page->setFontName(kSans);
        page->setFontSize(size);
        page->setBold(bold);
        page->setItalic(italic);
        page->setCurrentX(x);
        page->setCurrentY(y);
        page->print({"Mark42"});
        page->endDocument();
        const QList<PdfText::Word> words = PdfText::words(dir.filePath(QStringLiteral("job.pdf")));
        QCOMPARE(words.size(), 1);
        QCOMPARE(words[0].text, QStringLiteral("Mark42"));
        QVERIFY2(qAbs(words[0].x - x) <= 20, qPrintable(QString::number(words[0].x)));
        QVERIFY2(qAbs(words[0].y - y) <= 20, qPrintable(QString::number(words[0].y)));
    }

    // Items of one statement follow each other, and a line end moves y by the same height
    // on paper as on the recording page the layouts are tested with.
    void itemsAdvanceAndLinesEndAsRecorded() {
        QTemporaryDir dir;
        auto page = QtPrintPage::toPdf(QDir(dir.path()), QStringLiteral("job"),
                                       QStringLiteral("checks"), false);
        RecordingPage recording;
        for (PrintPage* p : {static_cast<PrintPage*>(page.get()),
                             static_cast<PrintPage*>(&recording)}) {
            p->setFontName(kSans);
            p->setCurrentX(600);
            p->setCurrentY(1000);
            p->setFontSize(12);
            p->setBold(true);
            p->print({"Alpha", PrintItem::number(1043), "Omega"});
            p->setCurrentX(600);
            p->setFontSize(10);
            p->setBold(false);
            p->print({"Second"});
            p->setCurrentX(600);
            p->print({"Third"});
        }
        page->endDocument();
        const QList<PdfText::Word> words = PdfText::words(dir.filePath(QStringLiteral("job.pdf")));
        QCOMPARE(words.size(), 5);
        const QList<RecordingPage::Text>& texts = recording.texts();
        // Alpha, 1043 (blanks around it), Omega, Second, Third.
        const int recorded[] = {0, 1, 2, 3, 4};
        for (int i = 0; i < 5; ++i) {
            const RecordingPage::Text& t = texts[recorded[i]];
            const double blank = t.text.startsWith(QLatin1Char(' ')) ? 1 : 0;
            QCOMPARE(words[i].text, t.text.trimmed());
            // A number's leading blank is part of its item: the digits start after it.
            QVERIFY2(blank ? words[i].x > t.x && words[i].x - t.x <= 120
                           : qAbs(words[i].x - t.x) <= 20,
                     qPrintable(QStringLiteral("%1: %2 vs %3").arg(t.text).arg(words[i].x).arg(t.x)));
            QVERIFY2(qAbs(words[i].y - t.y) <= 20,
                     qPrintable(QStringLiteral("%1: %2 vs %3").arg(t.text).arg(words[i].y).arg(t.y)));
        }
        // The line ends moved down by more than the font size: a line is taller than its
        // letters.
        QVERIFY(texts[3].y - texts[0].y > 240);
        QVERIFY(texts[4].y - texts[3].y > 200);
    }

    // A break takes effect only when something follows it: a job that ends right after the
    // last sheet's break has no blank sheet; a job that prints nothing writes no file.
    void sheetsAndEmptyJobs_data() {
        QTest::addColumn<QString>("script"); // p = print a word, n = new page
        QTest::addColumn<int>("pages");      // 0: no file
        QTest::newRow("one sheet") << "p" << 1;
        QTest::newRow("break at the end feeds nothing") << "pn" << 1;
        QTest::newRow("two sheets") << "pnp" << 2;
        QTest::newRow("three sheets, last break dropped") << "pnpnpn" << 3;
        QTest::newRow("two breaks in a row feed a blank sheet") << "pnnp" << 3;
        QTest::newRow("empty job") << "" << 0;
        QTest::newRow("only a break") << "n" << 0;
    }
    void sheetsAndEmptyJobs() {
        QFETCH(QString, script);
        QFETCH(int, pages);
        QTemporaryDir dir;
        auto page = QtPrintPage::toPdf(QDir(dir.path()), QStringLiteral("job"),
                                       QStringLiteral("checks"), false);
        page->setFontName(kSans);
        for (QChar c : script) {
            if (c == QLatin1Char('p'))
                page->print({"Sheet"});
            else
                page->newPage();
        }
        page->endDocument();
        const QString file = dir.filePath(QStringLiteral("job.pdf"));
        if (pages == 0) {
            QCOMPARE(pdfsIn(dir.path()), QStringList());
            QCOMPARE(page->destinationNotice(), QString());
        } else {
            QCOMPARE(PdfText::pages(file), pages);
        }
        // Nothing but the job's file is left in the folder.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), pages ? 1 : 0);
    }

    // Jobs to a chosen file: the first takes the name, each later one the next number,
    // and a file that was there before is never touched.
    void chosenFileIsNeverOverwritten() {
        QTemporaryDir dir;
        const QString earlier = dir.filePath(QStringLiteral("run.pdf"));
        {
            QFile f(earlier);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("an earlier job, already marked printed");
        }
        const QByteArray before = Drive::digest(earlier);
        QtPrinter printer(dir.path());
        printer.useFile(dir.filePath(QStringLiteral("run.pdf")));
        QStringList notices;
        for (const char* contents : {"checks", "labels"}) {
            auto page = printer.startJob(QString::fromLatin1(contents));
            page->setFontName(kSans);
            page->print({QString::fromLatin1(contents)});
            page->endDocument();
            notices << page->destinationNotice();
        }
        QCOMPARE(Drive::digest(earlier), before);
        QCOMPARE(pdfsIn(dir.path()),
                 QStringList({"run (2).pdf", "run (3).pdf", "run.pdf"}));
        QCOMPARE(PdfText::words(dir.filePath(QStringLiteral("run (2).pdf")))[0].text,
                 QStringLiteral("checks"));
        QCOMPARE(PdfText::words(dir.filePath(QStringLiteral("run (3).pdf")))[0].text,
                 QStringLiteral("labels"));
        QCOMPARE(notices[0], QStringLiteral("The checks were written to the PDF file \"run (2).pdf\" "
                                            "in the folder %1.")
                                 .arg(QDir::toNativeSeparators(dir.path())));
    }

    // Without a printer a job goes to a PDF in the program folder named by date, time and
    // contents, and the notice says so.
    void withoutAPrinterJobsGoToTheProgramFolder() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this computer has a default printer");
        QTemporaryDir dir;
        QtPrinter printer(dir.path());
        auto page = printer.startJob(QStringLiteral("checks"));
        page->setFontName(kSans);
        page->print({"Hello"});
        page->endDocument();
        const QString file = onlyPdf(dir.path());
        QVERIFY(!file.isEmpty());
        const QString name = QFileInfo(file).fileName();
        QVERIFY2(QRegularExpression(QStringLiteral(
                                        "^Ledgerline \\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d checks\\.pdf$"))
                     .match(name)
                     .hasMatch(),
                 qPrintable(name));
        QVERIFY(page->destinationNotice().startsWith(
            QStringLiteral("No printer is set up on this computer, so the checks were written to "
                           "the PDF file \"%1\"")
                .arg(name)));
    }

    // A folder that cannot be written in: the job fails at its first output with a message
    // that names the folder, and leaves nothing behind.
    void unwritableFolderFailsClearly_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("folder gone") << "gone";
        QTest::newRow("a file where the folder should be") << "plain";
    }
    void unwritableFolderFailsClearly() {
        QFETCH(QString, folder);
        QTemporaryDir dir;
        {
            QFile plain(dir.filePath(QStringLiteral("plain")));
            QVERIFY(plain.open(QIODevice::WriteOnly));
        }
        QtPrinter printer(dir.path());
        printer.useFile(dir.filePath(folder + QStringLiteral("/run.pdf")));
        auto page = printer.startJob(QStringLiteral("checks"));
        page->setFontName(kSans);
        try {
            page->print({"Hello"});
            page->endDocument();
            QFAIL("the job did not fail");
        } catch (const DbError& e) {
            QVERIFY2(e.message().startsWith(
                         QStringLiteral("The checks could not be written to a PDF file in %1")
                             .arg(QDir::toNativeSeparators(dir.filePath(folder)))),
                     qPrintable(e.message()));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::Dirs |
                                            QDir::NoDotAndDotDot),
                 QStringList({"plain"}));
    }

    // A job that is dropped before it ends (its run failed) leaves no file.
    void unfinishedJobLeavesNoFile() {
        QTemporaryDir dir;
        {
            auto page = QtPrintPage::toPdf(QDir(dir.path()), QStringLiteral("job"),
                                           QStringLiteral("checks"), false);
            page->setFontName(kSans);
            page->print({"Half"});
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void choosingAPrinterThatIsNotThereIsRefused() {
        QtPrinter printer;
        QVERIFY_THROWS_EXCEPTION(DbError, printer.usePrinter(QStringLiteral("No Such Printer 9")));
        QCOMPARE(printer.target(), QtPrinter::Target::Default);
    }
};

QTEST_MAIN(TestQtPrintPage)
#include "tst_qtprintpage.moc"
