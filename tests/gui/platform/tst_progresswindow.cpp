// The progress window of long work: shown only once the work has taken half a second,
// saying what is done and how far, painted while the work goes on, and impossible to close
// half way.
#include "core/settings/SettingsDb.h"
#include "gui/platform/ProgressWindow.h"
#include "support/PrintShop.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <thread>

namespace {

/// The progress window of a run whose every check takes a while to print: it notes what
/// the window showed after each report.
class WatchedProgress : public ProgressWindow {
public:
    void report(const QString& what, const QString& units, qint64 done, qint64 total) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        ProgressWindow::report(what, units, done, total);
        if (isVisible()) {
            values << findChild<QProgressBar*>(QStringLiteral("ProgressBar"))->value();
            texts << findChild<QLabel*>(QStringLiteral("ProgressText"))->text();
        }
        if (done == 0)
            started.start();
        else if (!isVisible())
            hiddenAfterMs = started.elapsed();
    }
    QList<int> values;
    QStringList texts;
    QElapsedTimer started;
    qint64 hiddenAfterMs = 0;
};

} // namespace

class TestProgressWindow : public QObject {
    Q_OBJECT

private slots:
    void aLongPrintRunShowsItsChecksRising() {
        PrintShop shop;
        for (int i = 0; i < 40; ++i)
            shop.add({{"Check", 1001 + i}});
        shop.add({{"Print", "Never"}}); // not printed, not counted
        shop.env.prompter.answerQuestion(false);
        WatchedProgress progress;
        PrintRun run(shop.env.path(shop.file), shop.env.path(SettingsDb::kFileName),
                     shop.env.printer, shop.env.prompter, shop.env.clock);
        run.setProgress(progress);
        QCOMPARE(run.run(selection(QStringLiteral("Once")), StockOptions()),
                 PrintRun::Outcome::Ended);

        // Not shown in the first half second; then painted as the checks print.
        QVERIFY(progress.hiddenAfterMs >= 450);
        QVERIFY(progress.values.size() >= 5);
        for (qsizetype i = 1; i < progress.values.size(); ++i)
            QVERIFY(progress.values[i] >= progress.values[i - 1]);
        QVERIFY(progress.values.first() < progress.values.last());
        QCOMPARE(progress.values.last(), 1000);
        QCOMPARE(progress.texts.last(), QStringLiteral("Printing checks: 40 of 40 checks"));
        // Gone before the question whether everything printed.
        QVERIFY(!progress.isVisible());
        QCOMPARE(shop.env.printer.jobs().size(), 1);
    }

    void neitherEscapeNorClosingStopsTheWork_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Escape") << true;
        QTest::newRow("closing the window") << false;
    }
    void neitherEscapeNorClosingStopsTheWork() {
        QFETCH(bool, escape);
        ProgressWindow progress;
        progress.report(QStringLiteral("Reading records"), QStringLiteral("records"), 0, 0);
        QVERIFY(!progress.isVisible()); // quick work shows nothing
        QTest::qWait(ProgressWindow::kShowAfterMs + 50);
        progress.report(QStringLiteral("Reading records"), QStringLiteral("records"), 1234567, 0);
        QVERIFY(progress.isVisible());
        QCOMPARE(progress.findChild<QLabel*>(QStringLiteral("ProgressText"))->text(),
                 QStringLiteral("Reading records: 1,234,567 records"));
        if (escape)
            QTest::keyClick(&progress, Qt::Key_Escape);
        else
            progress.close();
        QVERIFY(progress.isVisible());
        progress.finish();
        QVERIFY(!progress.isVisible());
    }
};

QTEST_MAIN(TestProgressWindow)
#include "tst_progresswindow.moc"
