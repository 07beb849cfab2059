// Printing through a real print system: a scheduler of the test's own (Debian's CUPS) with a
// PDF queue as the default printer. A Ledgerline process prints checks, labels and blank
// checks to it; what the queue wrote holds what a PDF written directly holds, in the same
// places. A stopped queue and one that rejects jobs are told, and nothing is marked.
#include "core/print/BlankCheckJob.h"
#include "core/print/BlankPrintSettings.h"
#include "core/settings/SettingsDb.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/QtPrinter.h"
#include "support/Child.h"
#include "support/PdfText.h"
#include "support/PrintShop.h"
#include "support/PrivateCups.h"

#include <QApplication>
#include <QTest>
#include <cstdio>

namespace {

PrivateCups* cups = nullptr;

/// Prints through the queue from a Ledgerline process of its own, answering Yes.
Child::Outcome printThroughTheQueue(PrintShop& shop, const QString& layout) {
    return Child::run({QStringLiteral("print"), shop.env.folderPath(), shop.file,
                       QStringLiteral("-"), layout, QStringLiteral("0")},
                      {QStringLiteral("env"), QStringLiteral("CUPS_SERVER=") + cups->server()});
}

/// The same job written directly as a PDF file, answering No: nothing is marked.
void printDirectly(PrintShop& shop, const QString& layout, const QString& pdf) {
    QtPrinter qt(shop.env.folderPath());
    qt.useFile(pdf);
    if (layout == QLatin1String("blank")) {
        shop.env.prompter.answerInput(QStringLiteral("3"));
        BlankCheckJob(qt, shop.env.prompter, shop.env.clock, shop.env.program)
            .run(BlankCheckJob::Layout::Regular, shop.env.path(shop.file),
                 BlankPrintSettings::read(shop.env.path(SettingsDb::kFileName)));
    } else {
        shop.env.prompter.answerInput(QStringLiteral("3")); // the label, as the process answers
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print(layout == QLatin1String("checks") ? "Once" : "OLabel", &qt), QString());
    }
    shop.env.prompter.clear();
}

} // namespace

class TestPrintQueue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerMicrFont(); }

    void jobsReachTheQueueWhole_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("words"); // found in both, in the same places
        QTest::addColumn<bool>("micr");
        QTest::newRow("checks") << "checks" << QStringList{"PAY", "A041000124A", "1234D567C"}
                                << true;
        QTest::newRow("labels") << "labels" << QStringList{"Maple", "Jordan"} << false;
        QTest::newRow("blank checks") << "blank" << QStringList{"PAY", "A041000124A"} << true;
    }
    void jobsReachTheQueueWhole() {
        QFETCH(QString, layout);
        QFETCH(QStringList, words);
        QFETCH(bool, micr);
        PrintShop shop;
        CheckDbFixture::setTemplate(shop.env, shop.file, CheckDbFixture::payer());
        QList<qint64> ids;
        for (int i = 0; i < 4; ++i)
            ids << shop.add({{"Check", 1043 + i}, {"LabelPrint", YesNo::True}});
        const QString direct = shop.env.path(QStringLiteral("direct.pdf"));
        printDirectly(shop, layout, direct);

        const Child::Outcome ran = printThroughTheQueue(shop, layout);
        QCOMPARE(ran.lines.value(0), QStringLiteral("printed"));
        const QString queued = shop.env.path(QStringLiteral("queued.pdf"));
        QVERIFY2(cups->takeOutput(queued), "the queue wrote nothing");

        QCOMPARE(PdfText::pages(queued), PdfText::pages(direct));
        const QList<PdfText::Word> inQueue = PdfText::words(queued);
        const QList<PdfText::Word> inFile = PdfText::words(direct);
        for (const QString& word : words) {
            const QList<PdfText::Word> a = PdfText::find(inFile, word);
            const QList<PdfText::Word> b = PdfText::find(inQueue, word);
            QVERIFY2(!a.isEmpty() && a.size() == b.size(), qPrintable(word));
            for (qsizetype i = 0; i < a.size(); ++i)
                QVERIFY2(a[i].page == b[i].page && qAbs(a[i].x - b[i].x) <= 20 &&
                             qAbs(a[i].y - b[i].y) <= 20,
                         qPrintable(QStringLiteral("%1 at %2,%3 in the file, %4,%5 from the queue")
                                        .arg(word)
                                        .arg(a[i].x)
                                        .arg(a[i].y)
                                        .arg(b[i].x)
                                        .arg(b[i].y)));
        }
        QCOMPARE(PdfText::fonts(queued).contains(QStringLiteral("MICR65 embedded")), micr);
        // Accepted by the print system is printed: the checks are marked after Yes.
        if (layout == QLatin1String("checks"))
            QCOMPARE(shop.row(ids[0]).value("Print"), QVariant("Never"));
    }

    // A queue that would hold the job, or takes none, is told before anything is sent, and
    // no check is marked.
    void aQueueThatWouldNotPrintIsTold_data() {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QString>("restart");
        QTest::addColumn<QString>("why");
        QTest::newRow("stopped") << "cupsdisable"
                                 << "cupsenable"
                                 << "is stopped: the print system would hold the checks without "
                                    "printing them, so they were not sent. Start the printer "
                                    "again in the system's printer settings, or choose another "
                                    "printer in Printer Setup, and print again.";
        QTest::newRow("rejecting jobs") << "cupsreject"
                                        << "cupsaccept"
                                        << "accepts no print jobs now, so the checks were not "
                                           "sent. Let it accept jobs again in the system's printer "
                                           "settings, or choose another printer in Printer Setup, "
                                           "and print again.";
    }
    void aQueueThatWouldNotPrintIsTold() {
        QFETCH(QString, stop);
        QFETCH(QString, restart);
        QFETCH(QString, why);
        PrintShop shop;
        const qint64 id = shop.add();
        const QVariantMap before = shop.row(id);
        QCOMPARE(cups->command(stop, {PrivateCups::queue()}), QString());
        const Child::Outcome ran = printThroughTheQueue(shop, QStringLiteral("checks"));
        QCOMPARE(cups->command(restart, {PrivateCups::queue()}), QString());
        QCOMPARE(ran.lines.value(0),
                 QStringLiteral("Printing the checks failed. The printer \"LedgerlinePDF\" %1 No "
                                "check was marked as printed, renumbered or dated; print them "
                                "again once the printer is ready.")
                     .arg(why));
        QCOMPARE(cups->pendingJobs(), QStringList());
        QCOMPARE(shop.row(id), before);
    }
};

// Without a print scheduler of its own the test cannot run: it says so in one line and
// counts as skipped (77), never as passed.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrivateCups scheduler;
    if (!scheduler.problem().isEmpty()) {
        std::printf("SKIPPED: no print scheduler of the test's own could be started here (%s)\n",
                    qPrintable(scheduler.problem()));
        return 77;
    }
    cups = &scheduler;
    TestPrintQueue test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printqueue.moc"
