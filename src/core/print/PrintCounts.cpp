#include "core/print/PrintCounts.h"

#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/PreparedQuery.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <limits>
#include <sqlite3.h>

namespace {
// Rows counted between two reports of progress: few enough that the window is painted
// often, many enough that each step costs little.
constexpr qint64 kRowsAtATime = 1000;
} // namespace

qint64 PrintCounts::checks(const PrintSelection& selection) const {
    return (selection.once ? once : 0) + (selection.monthly ? monthly : 0);
}

qint64 PrintCounts::labels(const PrintSelection& selection) const {
    return (selection.oneTimeLabels ? oneTimeLabels : 0) +
           (selection.monthlyLabels ? monthlyLabels : 0);
}

PrintCounts PrintCounts::count(const QString& path, Progress& progress) {
    auto db = Database::open(path);
    const auto done = qScopeGuard([&] { progress.finish(); });
    // Print is compared exactly, letter case included, as the run compares it; a Yes/No
    // column holds only whole numbers or Null, and any number but 0 is Yes, so "<> 0" is the
    // run's test too (Null compares as unknown: not counted). Void checks are left out, as
    // the run leaves them out.
    const QString counting = QStringLiteral(
        "SELECT"
        " count(CASE WHEN \"Print\" = 'Once' THEN 1 END),"
        " count(CASE WHEN \"Print\" = 'Monthly' THEN 1 END),"
        " count(CASE WHEN \"Print\" IN ('Once', 'Never') AND \"LabelPrint\" <> 0 THEN 1 END),"
        " count(CASE WHEN \"Print\" = 'Monthly' AND \"LabelPrint\" <> 0 THEN 1 END),"
        " count(*)"
        " FROM %1 WHERE %2");
    const QString table = Database::quote(CheckDb::kAccount);
    PrintCounts counts;
    const auto add = [&](PreparedQuery& chunk) {
        if (!chunk.step())
            throw DbError(QStringLiteral("The checks of %1 could not be counted.")
                              .arg(QFileInfo(path).fileName()));
        counts.once += chunk.column(0).toLongLong();
        counts.monthly += chunk.column(1).toLongLong();
        counts.oneTimeLabels += chunk.column(2).toLongLong();
        counts.monthlyLabels += chunk.column(3).toLongLong();
        const qint64 rows = chunk.column(4).toLongLong();
        chunk.reset();
        return rows;
    };
    if (db->engine() == Database::Engine::Server) {
        // One statement sees one moment of the table; the server counts it at once.
        const auto all = db->prepare(counting.arg(table, CheckDb::notVoid(*db)));
        const qint64 read = add(*all);
        progress.report(QStringLiteral("Counting the checks to print"), QStringLiteral("records"),
                        read, read);
        return counts;
    }

    sqlite3* handle = db->handle();
    // The table is read a thousand rows at a time, all in one read transaction, so the four
    // counts are of one moment even while another program adds checks.
    const bool ownTransaction = sqlite3_get_autocommit(handle) != 0;
    if (ownTransaction && sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DbError::fromEngine(QString::fromUtf8(sqlite3_errmsg(handle)), db->path());
    const auto ended = qScopeGuard([&] {
        if (ownTransaction)
            sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
    });
    const auto chunkEnd =
        db->prepare(QStringLiteral("SELECT \"ID\" FROM %1 WHERE \"ID\" > ? ORDER BY \"ID\" "
                                   "LIMIT 1 OFFSET %2")
                        .arg(table)
                        .arg(kRowsAtATime - 1));
    const auto chunk = db->prepare(counting.arg(
        table, CheckDb::notVoid(*db) + QStringLiteral(" AND \"ID\" > ? AND \"ID\" <= ?")));
    qint64 read = 0;
    qint64 from = std::numeric_limits<qint64>::min();
    for (bool more = true; more;) {
        chunkEnd->bindInt64(1, from);
        more = chunkEnd->step();
        const qint64 to =
            more ? chunkEnd->column(0).toLongLong() : std::numeric_limits<qint64>::max();
        chunkEnd->reset();
        chunk->bindInt64(1, from);
        chunk->bindInt64(2, to);
        read += add(*chunk);
        // The total is known once the last rows are counted.
        progress.report(QStringLiteral("Counting the checks to print"), QStringLiteral("records"),
                        read, more ? 0 : read);
        from = to;
    }
    return counts;
}
