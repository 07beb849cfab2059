// Loading the printer control screen on 1,000,000 checks, against the bare SQL that counts
// the same four sets on its own connection, in one run (goal: at most 2 times):
//  - BM_BareSqlCounts: one SELECT with the four counts, straight through SQLite's C API on
//    a connection of its own;
//  - BM_PrintCounts: the counts as the screen gets them (the program's connection);
//  - BM_LoadPrinterControl: the whole load: the screen built from its form, the options
//    read from PC.OVL, the screen shown and the four counts filled in.
#include "BenchData.h"
#include "core/databases/CheckDb.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/Program.h"
#include "core/platform/QuietPrompter.h"
#include "core/platform/RecordingPrinter.h"
#include "core/print/PrintCounts.h"
#include "gui/app/AppContext.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kChecks = 1'000'000;

// A million checks of every kind: one-time, every time, printed, and a few with other
// values; a label wanted on every other one.
QString database() {
    static QString made;
    if (!made.isEmpty())
        return made;
    const QString path = BenchData::filledDatabase(
        QStringLiteral("counts.mdb"),
        {{QStringLiteral(
              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
              "INSERT INTO Account (BusinessName, FirstName, LastName, PayTo, \"Check\", "
              "Amount, ABA, Account, Date, Print, LabelPrint) "
              "SELECT 'Maple Street Bakery', 'Jordan', 'Reyes', 'Payee number ' || i, "
              "100 + i, (i % 5000) || '.00', '041000124', '1234D567 8', '12/7/2026', "
              "CASE i % 4 WHEN 0 THEN 'Once' WHEN 1 THEN 'Monthly' WHEN 2 THEN 'Never' "
              "ELSE CASE WHEN i % 40 = 3 THEN NULL ELSE 'Never' END END, "
              "CASE i % 2 WHEN 0 THEN -1 ELSE 0 END FROM n"),
          {kChecks - 1}},
         {QStringLiteral("UPDATE Properties SET AccountType = 'Check'"), {}}});
    made = path;
    return path;
}

// The fastest one-pass form found (it beats sum() of comparisons by a third).
const char* kBareCounts =
    "SELECT count(CASE WHEN Print = 'Once' THEN 1 END), "
    "count(CASE WHEN Print = 'Monthly' THEN 1 END), "
    "count(CASE WHEN Print IN ('Once', 'Never') AND LabelPrint <> 0 THEN 1 END), "
    "count(CASE WHEN Print = 'Monthly' AND LabelPrint <> 0 THEN 1 END) "
    "FROM Account";

void BM_BareSqlCounts(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(database());
    qint64 once = 0;
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, kBareCounts, -1, &statement, nullptr);
        if (sqlite3_step(statement) == SQLITE_ROW)
            once = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        sqlite3_close(db);
    }
    state.counters["once"] = double(once);
}

void BM_PrintCounts(benchmark::State& state) {
    const QString path = database();
    qint64 once = 0;
    for (auto _ : state)
        once = PrintCounts::count(path).once;
    state.counters["once"] = double(once);
}

void BM_LoadPrinterControl(benchmark::State& state) {
    const QString file = QFileInfo(database()).fileName();
    Program program(BenchData::programFolder());
    program.setCurrentDatabase(file);
    QuietPrompter prompter;
    FixedClock clock(QDate(2026, 12, 7));
    RecordingPrinter printer;
    AppContext context(program, prompter, clock, printer);
    for (auto _ : state) {
        QWidget* screen = context.openPrinterControl();
        state.PauseTiming();
        delete screen;
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_BareSqlCounts)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_PrintCounts)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_LoadPrinterControl)->Apply([](auto* b) { BenchData::measured(b); });

int main(int argc, char** argv) {
    return BenchData::run(argc, argv);
}
