// A search filter over 1,000,000 checks against the bare SQL query that selects the same
// rows, in one run: opening the filtered view on its first match (goal: at most 1.2 times),
// and walking every match as Next does (goal: at most 1.3 times). Two texts: one that about
// one check in a hundred holds, and one that a single check far into the table holds.
#include "BenchData.h"
#include "Goals.h"
#include "core/entry/CheckBook.h"
#include "core/entry/SearchFilter.h"
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"

#include <QSqlQuery>
#include <QSqlRecord>

int main(int argc, char** argv) {
    Goals::start(argc, argv);
    const QString path = BenchData::checkDatabase(1'000'000);
    CheckBook book(path);
    auto db = Database::open(path);
    qint64 rows = 0; // what the walks found, so that nothing is left unread
    for (const auto& [words, text] :
         {std::pair{QStringLiteral("common text"), BenchData::commonPayee()},
          std::pair{QStringLiteral("rare text"), BenchData::rarePayee()}}) {
        const auto query = SearchFilter::contains(QStringLiteral("PayTo"), text);
        const QString like = QLatin1Char('%') + text + QLatin1Char('%');
        Goals::measure(
            {QStringLiteral("filter first, %1 on 1,000,000 checks, vs bare SQL").arg(words), 1.2,
             Goals::timed([&] {
                 book.filter(query.condition, query.binds);
                 rows += book.records().record().count();
             }),
             Goals::timed([&] {
                 QSqlQuery q = db->exec(
                     QStringLiteral("SELECT * FROM Account WHERE PayTo LIKE ? LIMIT 1"), {like});
                 if (q.next())
                     rows += q.record().count();
             }),
             7});
        Goals::measure(
            {QStringLiteral("filter walk, %1 on 1,000,000 checks, vs bare SQL").arg(words), 1.3,
             Goals::timed([&] {
                 book.filter(query.condition, query.binds);
                 for (RecordSet& rs = book.records(); !rs.eof(); rs.moveNext())
                     rows += rs.record().count();
             }),
             Goals::timed([&] {
                 QSqlQuery q = db->exec(
                     QStringLiteral("SELECT * FROM Account WHERE PayTo LIKE ? ORDER BY ID"),
                     {like});
                 while (q.next())
                     rows += q.record().count();
             }),
             7});
    }
    return rows > 0 ? Goals::finish() : 1;
}
