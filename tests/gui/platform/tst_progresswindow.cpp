// The progress window of long work: shown only once the work has taken half a second,
// saying what is done and how far, painted while the work goes on, and impossible to close
// half way.
#include "core/databases/DatabaseFiles.h"
#include "core/exchange/CheckExport.h"
#include "core/exchange/CheckImport.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/print/BlankCheckJob.h"
#include "core/print/DepositTicketJob.h"
#include "core/print/PrintCounts.h"
#include "core/settings/SettingsDb.h"
#include "gui/platform/ProgressWindow.h"
#include "support/PrintShop.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <thread>

namespace {

/// The progress window of work whose every step takes a while: it notes what the window
/// showed after each report.
class WatchedProgress : public ProgressWindow {
public:
    void report(const QString& what, const QString& units, qint64 done, qint64 total) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        if (!started.isValid())
            started.start();
        ProgressWindow::report(what, units, done, total);
        auto* bar = findChild<QProgressBar*>(QStringLiteral("ProgressBar"));
        if (isVisible()) {
            values << bar->value();
            maxima << bar->maximum();
            texts << findChild<QLabel*>(QStringLiteral("ProgressText"))->text();
        } else {
            hiddenAfterMs = started.elapsed();
        }
    }
    void finish() override {
        ProgressWindow::finish();
        finishedHidden = !isVisible();
    }
    QList<int> values;
    QList<int> maxima;
    QStringList texts;
    QElapsedTimer started;
    qint64 hiddenAfterMs = 0;
    bool finishedHidden = false;
};

/// What work reported, one line a report, and whether it said it was over.
class RecordedProgress : public Progress {
public:
    void report(const QString& what, const QString& units, qint64 done, qint64 total) override {
        const QString line =
            QStringLiteral("%1: %2 of %3 %4").arg(what).arg(done).arg(total).arg(units);
        if (lines.isEmpty() || lines.constLast() != line)
            lines << line;
    }
    void finish() override { finished = true; }
    QStringList lines;
    bool finished = false;
};

/// A check database of `rows` records: the template and one-time checks after it.
QString manyChecks(TestEnv& env, const QString& name, int rows) {
    const QString file = CheckDbFixture::create(env, name);
    CheckDbFixture::setTemplate(env, file, CheckDbFixture::payer());
    auto db = Database::open(env.path(file));
    db->exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < ?) INSERT INTO Account (PayTo, \"Check\", Amount, Print, "
                            "LabelPrint) SELECT 'Fairview Flour Co.', 1000 + i, '12.50', 'Once', "
                            "-1 FROM n"),
             {rows - 1});
    return file;
}

} // namespace

class TestProgressWindow : public QObject {
    Q_OBJECT

private slots:
    // Each long piece of work, slowed down so that it lasts about a second.
    void longWorkShowsHowFarItIs_data() {
        QTest::addColumn<QString>("work");
        QTest::addColumn<QString>("last"); // the last text shown
        QTest::addColumn<bool>("counted"); // the total is known from the start
        QTest::newRow("print run") << "print"
                                   << "Printing checks: 40 of 40 checks" << true;
        QTest::newRow("blank checks") << "blank"
                                      << "Printing blank checks: 40 of 40 checks" << true;
        QTest::newRow("voucher checks") << "voucher"
                                        << "Printing voucher checks: 40 of 40 checks" << true;
        QTest::newRow("deposit tickets") << "deposit"
                                         << "Printing deposit tickets: 40 of 40 tickets" << true;
        // Records read, their number known only at the end.
        QTest::newRow("printer-control counts")
            << "counts"
            << "Counting the checks to print: 40,000 of 40,000 records" << false;
        QTest::newRow("export") << "export"
                                << "Exporting checks to EXPORT.TXT: 40,000 of 40,000 records"
                                << false;
        QTest::newRow("import") << "import"
                                << "Importing checks from IMPORT.TXT: 40,000 of 40,000 records"
                                << false;
        // Refused at the end: the window goes before the reason is shown.
        QTest::newRow("import refused at its last line") << "refused" << QString() << false;
    }
    void longWorkShowsHowFarItIs() {
        QFETCH(QString, work);
        QFETCH(QString, last);
        QFETCH(bool, counted);
        TestEnv env;
        WatchedProgress progress;
        const BlankPrintSettings blank{200, 525, {}, StockOptions()};
        if (work == QLatin1String("print")) {
            PrintShop shop;
            for (int i = 0; i < 40; ++i)
                shop.add({{"Check", 1001 + i}});
            shop.add({{"Print", "Never"}}); // not printed, not counted
            shop.env.prompter.answerQuestion(false);
            PrintRun run(shop.env.path(shop.file), shop.env.path(SettingsDb::kFileName),
                         shop.env.printer, shop.env.prompter, shop.env.clock);
            run.setProgress(progress);
            QCOMPARE(run.run(selection(QStringLiteral("Once")), StockOptions()),
                     PrintRun::Outcome::Ended);
            QCOMPARE(shop.env.printer.jobs().size(), 1);
        } else if (work == QLatin1String("blank") || work == QLatin1String("voucher") ||
                   work == QLatin1String("deposit")) {
            const QString file = CheckDbFixture::create(env, QStringLiteral("Shop"));
            CheckDbFixture::setTemplate(env, file, CheckDbFixture::payer());
            env.prompter.answerInput(QStringLiteral("40"));
            BlankJob::Result result = BlankJob::Result::Stopped;
            if (work == QLatin1String("deposit")) {
                DepositTicketJob job(env.printer, env.prompter, env.clock, env.program);
                job.setProgress(progress);
                result = job.run(env.path(file), blank);
            } else {
                BlankCheckJob job(env.printer, env.prompter, env.clock, env.program);
                job.setProgress(progress);
                result = job.run(work == QLatin1String("blank") ? BlankCheckJob::Layout::Regular
                                                                : BlankCheckJob::Layout::Voucher,
                                 env.path(file), blank);
            }
            QCOMPARE(result, BlankJob::Result::Printed);
            QCOMPARE(env.printer.jobs().size(), 1);
        } else if (work == QLatin1String("counts")) {
            const QString file = manyChecks(env, QStringLiteral("Shop"), 40'000);
            const PrintCounts counts = PrintCounts::count(env.path(file), progress);
            QCOMPARE(counts.once, 39'999);
            QCOMPARE(counts.oneTimeLabels, 39'999);
        } else if (work == QLatin1String("export")) {
            const QString file = manyChecks(env, QStringLiteral("Shop"), 40'000);
            QCOMPARE(CheckExport::write(env.path(file), env.path(QStringLiteral("EXPORT.TXT")),
                                        CheckExport::Layout::Full, progress),
                     40'000);
        } else {
            const QString from = manyChecks(env, QStringLiteral("Old"), 40'000);
            const QString source = env.path(QStringLiteral("IMPORT.TXT"));
            CheckExport::write(env.path(from), source, CheckExport::Layout::Full);
            const QString into = CheckDbFixture::create(env, QStringLiteral("New"));
            if (work == QLatin1String("import")) {
                QCOMPARE(CheckImport::read(env.path(into), source, env.clock, progress).records,
                         40'000);
            } else {
                QFile file(source);
                QVERIFY(file.open(QIODevice::Append));
                file.write("Fairview Flour Co.\r\n");
                file.close();
                try {
                    CheckImport::read(env.path(into), source, env.clock, progress);
                    QFAIL("the import went through");
                } catch (const DbError& e) {
                    QCOMPARE(e.message(),
                             QStringLiteral("IMPORT.TXT cannot be imported: line 40001 holds 1 "
                                            "values, but a check record has 18 (BusinessName to "
                                            "BusinessType). Nothing has been imported."));
                }
                QCOMPARE(CheckDbFixture::count(env, into), 1);
            }
        }

        // Not shown in the first half second; then painted as the work goes on.
        QVERIFY2(progress.hiddenAfterMs >= 450,
                 qPrintable(QString::number(progress.hiddenAfterMs)));
        QVERIFY(progress.texts.size() >= 5);
        QVERIFY(progress.texts.first() != progress.texts.last());
        if (last.isEmpty()) {
            // Gone as soon as the work failed, whatever it showed last.
            QVERIFY(progress.finishedHidden);
            QVERIFY(!progress.isVisible());
            return;
        }
        QCOMPARE(progress.texts.last(), last);
        // The bar fills as the work goes on; where the total is known only at the end, it
        // shows meanwhile that the work goes on, and fills at the end.
        QCOMPARE(progress.maxima.first(), counted ? 1000 : 0);
        QCOMPARE(progress.maxima.last(), 1000);
        if (counted) {
            for (qsizetype i = 1; i < progress.values.size(); ++i)
                QVERIFY(progress.values[i] >= progress.values[i - 1]);
            QVERIFY(progress.values.first() < progress.values.last());
        }
        QCOMPARE(progress.values.last(), 1000);
        // Gone before anything else is said (the question whether everything printed).
        QVERIFY(progress.finishedHidden);
        QVERIFY(!progress.isVisible());
    }

    // The backup at exit: how much of the copy is written, then its check (whose end is not
    // known ahead); over before anything is told, a damaged database included.
    void backupReportsTheCopyThenItsCheck_data() {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("sound") << false;
        QTest::newRow("damaged") << true;
    }
    void backupReportsTheCopyThenItsCheck() {
        QFETCH(bool, damaged);
        TestEnv env;
        const QString file = manyChecks(env, QStringLiteral("Shop"), 40'000);
        const qint64 megabytes = QFileInfo(env.path(file)).size() / 1'000'000;
        QVERIFY(megabytes >= 2);
        if (damaged) {
            QFile f(env.path(file));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(f.size() / 4096 / 2 * 4096));
            QCOMPARE(f.write(QByteArray(4096, '\xA5')), qint64(4096));
        }
        RecordedProgress progress;
        bool failed = false;
        try {
            DatabaseFiles::backup(env.path(file), env.path(QStringLiteral("Shop.bak")), progress);
        } catch (const DbError& e) {
            failed = true;
            QCOMPARE(e.reason(), DbError::Reason::Damaged);
        }
        QCOMPARE(failed, damaged);
        QVERIFY(progress.finished);
        // Under 16 MB, the copy is written in one part.
        QCOMPARE(progress.lines.value(0),
                 QStringLiteral("Writing the backup copy Shop.bak: %1 of %1 MB").arg(megabytes));
        if (!damaged)
            QCOMPARE(progress.lines.mid(1),
                     QStringList{QStringLiteral("Checking the backup copy Shop.bak: %1 of 0 MB")
                                     .arg(megabytes)});
    }

    void neitherEscapeNorClosingStopsTheWork_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Escape") << true;
        QTest::newRow("closing the window") << false;
    }
    void neitherEscapeNorClosingStopsTheWork() {
        QFETCH(bool, escape);
        ProgressWindow progress;
        // The half second counts from the start of the work, not from the questions before.
        QTest::qWait(ProgressWindow::kShowAfterMs + 50);
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
