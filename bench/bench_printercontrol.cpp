// The counts of the printer control screen on 1,000,000 checks, against the bare SQL that
// counts the same four sets straight through SQLite's C API on a connection of its own, in
// one run (goal: at most 1.5 times): the counts as the screen gets them, and the whole
// load of the screen (form, options from PC.OVL, counts).
#include "BenchData.h"
#include "Goals.h"
#include "core/platform/Clock.h"
#include "core/platform/Program.h"
#include "core/platform/QuietPrompter.h"
#include "core/platform/RecordingPrinter.h"
#include "core/print/PrintCounts.h"
#include "gui/app/AppContext.h"

#include <QFile>
#include <QWidget>
#include <sqlite3.h>

namespace {

// The fastest one-pass form found (it beats sum() of comparisons by a third).
const char* kBareCounts =
    "SELECT count(CASE WHEN Print = 'Once' THEN 1 END), "
    "count(CASE WHEN Print = 'Monthly' THEN 1 END), "
    "count(CASE WHEN Print IN ('Once', 'Never') AND LabelPrint <> 0 THEN 1 END), "
    "count(CASE WHEN Print = 'Monthly' AND LabelPrint <> 0 THEN 1 END) "
    "FROM Account";

qint64 bareCounts(const QByteArray& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kBareCounts, -1, &statement, nullptr);
    qint64 once = -1;
    if (sqlite3_step(statement) == SQLITE_ROW)
        once = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return once;
}

} // namespace

int main(int argc, char** argv) {
    Goals::start(argc, argv);
    const QString folder = BenchData::programFolder(QStringLiteral("counts"));
    const QString database = BenchData::placeIn(folder, BenchData::checkDatabase(1'000'000));
    const QString path = folder + QLatin1Char('/') + database;
    const QByteArray bytes = QFile::encodeName(path);
    qint64 once = 0;
    Goals::measure({QStringLiteral("counts, four print counts of 1,000,000 checks, vs bare SQL"),
                    1.5, Goals::timed([&] { once += PrintCounts::count(path).once; }),
                    Goals::timed([&] { once -= bareCounts(bytes); }), 7});

    Program program(folder);
    program.setCurrentDatabase(database);
    QuietPrompter prompter;
    FixedClock clock(QDate(2026, 12, 7));
    RecordingPrinter printer;
    AppContext context(program, prompter, clock, printer);
    Goals::measure(
        {QStringLiteral("counts, Printer Control Menu opened on 1,000,000 checks, vs bare SQL"),
         1.5, Goals::timed([&] { delete context.openPrinterControl(); }),
         Goals::timed([&] { once -= bareCounts(bytes); }), 7});
    return Goals::finish();
}
