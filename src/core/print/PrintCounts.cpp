#include "core/print/PrintCounts.h"

#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"

#include <QFileInfo>
#include <QSqlQuery>

qint64 PrintCounts::checks(const PrintSelection& selection) const {
    return (selection.once ? once : 0) + (selection.monthly ? monthly : 0);
}

qint64 PrintCounts::labels(const PrintSelection& selection) const {
    return (selection.oneTimeLabels ? oneTimeLabels : 0) +
           (selection.monthlyLabels ? monthlyLabels : 0);
}

PrintCounts PrintCounts::count(const QString& path) {
    auto db = Database::open(path);
    // One pass over the table. Print is compared exactly, letter case included, as the run
    // compares it; a Yes/No column holds only whole numbers or Null, and any number but 0
    // is Yes, so "<> 0" is the run's test too (Null compares as unknown: not counted). Void
    // checks are left out, as the run leaves them out.
    QSqlQuery q = db->exec(
        QStringLiteral(
            "SELECT"
            " count(CASE WHEN \"Print\" = 'Once' THEN 1 END),"
            " count(CASE WHEN \"Print\" = 'Monthly' THEN 1 END),"
            " count(CASE WHEN \"Print\" IN ('Once', 'Never') AND \"LabelPrint\" <> 0 THEN 1 END),"
            " count(CASE WHEN \"Print\" = 'Monthly' AND \"LabelPrint\" <> 0 THEN 1 END)"
            " FROM %1 WHERE %2")
            .arg(Database::quote(CheckDb::kAccount), CheckDb::notVoid(*db)));
    if (!q.next())
        throw DbError(QStringLiteral("The checks of %1 could not be counted.")
                          .arg(QFileInfo(path).fileName()));
    PrintCounts counts;
    counts.once = q.value(0).toLongLong();
    counts.monthly = q.value(1).toLongLong();
    counts.oneTimeLabels = q.value(2).toLongLong();
    counts.monthlyLabels = q.value(3).toLongLong();
    return counts;
}
