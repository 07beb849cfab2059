// The Qt page on real PDF files, read back with poppler: places in twips, line ends as the
// recording page measures them, sheets, and where each job's file goes.
#include "core/platform/DbError.h"
#include "core/platform/RecordingPage.h"
#include "gui/platform/QtPrintPage.h"
#include "gui/platform/QtPrinter.h"
#include "support/Drive.h"
#include "support/PdfText.h"

#include <QFontDatabase>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSans = QStringLiteral("DejaVu Sans");

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

std::unique_ptr<QtPrintPage> pdfJob(const QTemporaryDir& dir) {
    auto page = QtPrintPage::toPdf(QDir(dir.path()), QStringLiteral("job"),
                                   QStringLiteral("checks"), false);
    page->setFontName(kSans);
    return page;
}

} // namespace

class TestQtPrintPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFontDatabase::families().contains(kSans))
            QSKIP("DejaVu Sans (fonts-dejavu-core) is not installed");
    }

    // A few lines in one font state, placed at (x, y), on the Qt page and on the recording
    // page: every word of the PDF is where the recording says, line ends included.
    void wordsLandAsRecorded_data() {
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("top left corner") << 10.0 << false << false << 0.0 << 0.0;
        QTest::newRow("amount column, bold") << 12.0 << true << false << 9525.0 << 2000.0;
        QTest::newRow("payer block, bold italic") << 12.0 << true << true << 525.0 << 200.0;
        QTest::newRow("small print") << 8.25 << false << false << 7125.0 << 2900.0;
        QTest::newRow("bottom of a sheet") << 14.0 << false << true << 1440.0 << 14295.0;
    }
    void wordsLandAsRecorded() {
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(double, x);
        QFETCH(double, y);
        QTemporaryDir dir;
        auto qt = pdfJob(dir);
        RecordingPage recording;
        for (PrintPage* page :
             {static_cast<PrintPage*>(qt.get()), static_cast<PrintPage*>(&recording)}) {
            page->setFontName(kSans);
            page->setFontSize(size);
            page->setBold(bold);
            page->setItalic(italic);
            page->setCurrentX(x);
            page->setCurrentY(y);
            page->print({"Alpha", PrintItem::number(1043), "Omega"});
            page->setCurrentX(x);
            page->print({"Second", " line"});
            page->print({"Third"});
        }
        qt->endDocument();
        const QList<PdfText::Word> words = PdfText::words(dir.filePath("job.pdf"));
        QCOMPARE(words.size(), 6);
        QCOMPARE(PdfText::misplaced(recording, words), QStringList());
        QCOMPARE(PdfText::find(words, "Alpha").value(0).x, x); // the glyph origin, exactly
    }

    // A break takes effect only when something follows: a job ending right after a break
    // has no blank last sheet; a job that prints nothing writes no file at all.
    void sheetsAndEmptyJobs_data() {
        QTest::addColumn<QString>("script"); // p: print a word, n: new page
        QTest::addColumn<int>("pages");      // 0: no file
        QTest::newRow("break at the end feeds nothing") << "pn" << 1;
        QTest::newRow("three sheets") << "pnpnpn" << 3;
        QTest::newRow("two breaks in a row feed a blank sheet") << "pnnp" << 3;
        QTest::newRow("empty job") << "" << 0;
        QTest::newRow("only a break") << "n" << 0;
    }
    void sheetsAndEmptyJobs() {
        QFETCH(QString, script);
        QFETCH(int, pages);
        QTemporaryDir dir;
        auto page = pdfJob(dir);
        for (QChar c : script)
            c == QLatin1Char('p') ? page->print({"Sheet"}) : page->newPage();
        page->endDocument();
        QCOMPARE(filesIn(dir.path()), pages ? QStringList{"job.pdf"} : QStringList());
        if (pages)
            QCOMPARE(PdfText::pages(dir.filePath("job.pdf")), pages);
        else
            QCOMPARE(page->destinationNotice(), QString());
    }

    // Jobs to a chosen file: the first free name of its series each, and a file that was
    // there before is never touched.
    void chosenFileIsNeverOverwritten() {
        QTemporaryDir dir;
        const QString earlier = dir.filePath("run.pdf");
        QFile f(earlier);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("an earlier job") > 0);
        f.close();
        const QByteArray before = Drive::digest(earlier);
        QtPrinter printer(dir.path());
        printer.useFile(earlier);
        QStringList notices;
        for (const char* contents : {"checks", "labels"}) {
            auto page = printer.startJob(QString::fromLatin1(contents));
            page->setFontName(kSans);
            page->print({QString::fromLatin1(contents)});
            page->endDocument();
            notices << page->destinationNotice();
        }
        QCOMPARE(Drive::digest(earlier), before);
        QCOMPARE(filesIn(dir.path()), QStringList({"run (2).pdf", "run (3).pdf", "run.pdf"}));
        QCOMPARE(PdfText::words(dir.filePath("run (3).pdf")).value(0).text,
                 QStringLiteral("labels"));
        QCOMPARE(notices[0],
                 QStringLiteral("The checks were written to the PDF file \"run (2).pdf\" "
                                "in the folder %1.")
                     .arg(QDir::toNativeSeparators(dir.path())));
    }

    // Without a printer a job goes to a PDF in the program folder, named by date, time and
    // contents, and the notice says so.
    void withoutAPrinterJobsGoToTheProgramFolder() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this computer has a default printer");
        QTemporaryDir dir;
        QtPrinter printer(dir.path());
        auto page = printer.startJob(QStringLiteral("labels"));
        page->setFontName(kSans);
        page->print({"Hello"});
        page->endDocument();
        const QStringList files = filesIn(dir.path());
        QCOMPARE(files.size(), 1);
        QVERIFY2(
            QRegularExpression("^Ledgerline \\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d labels\\.pdf$")
                .match(files[0])
                .hasMatch(),
            qPrintable(files[0]));
        QCOMPARE(page->destinationNotice(),
                 QStringLiteral("No printer is set up on this computer, so the labels were written "
                                "to the PDF file \"%1\" in the folder %2. Open that file to print "
                                "them later.")
                     .arg(files[0], QDir::toNativeSeparators(dir.path())));
    }

    // A folder that cannot take the file: the job fails at its first output with a message
    // naming the folder, and leaves nothing behind; so does a job dropped before its end.
    void failedJobsLeaveNothing_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("folder gone") << "gone";
        QTest::newRow("a file where the folder should be") << "plain";
        QTest::newRow("job dropped half way") << "";
    }
    void failedJobsLeaveNothing() {
        QFETCH(QString, folder);
        QTemporaryDir dir;
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QtPrinter printer(dir.path());
        printer.useFile(dir.filePath(folder.isEmpty() ? "run.pdf" : folder + "/run.pdf"));
        QString failure;
        try {
            auto page = printer.startJob(QStringLiteral("checks"));
            page->setFontName(kSans);
            page->print({"Hello"});
            if (!folder.isEmpty())
                page->endDocument();
        } catch (const DbError& e) {
            failure = e.message();
        }
        if (!folder.isEmpty())
            QVERIFY2(failure.startsWith(QStringLiteral("The checks could not be written to a PDF "
                                                       "file in %1")
                                            .arg(QDir::toNativeSeparators(dir.filePath(folder)))),
                     qPrintable(failure));
        QCOMPARE(filesIn(dir.path()), QStringList{"plain"});
    }

    void choosingAPrinterThatIsNotThereIsRefused() {
        QtPrinter printer;
        QVERIFY_THROWS_EXCEPTION(DbError, printer.usePrinter(QStringLiteral("No Such Printer 9")));
        QCOMPARE(printer.target(), QtPrinter::Target::Default);
    }
};

QTEST_MAIN(TestQtPrintPage)
#include "tst_qtprintpage.moc"
