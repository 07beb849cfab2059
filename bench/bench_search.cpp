// A search filter over 1,000,000 checks against the bare SQL query that selects the same
// rows, in the same run: opening the filtered view on its first match, and walking every
// match as Next does.
#include "BenchData.h"
#include "core/entry/CheckBook.h"
#include "core/entry/SearchFilter.h"
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"

#include <QSqlQuery>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 1'000'000;

QString textFor(int which) {
    return which == 0 ? QStringLiteral("number 99") : QStringLiteral("NUMBER 123456");
}

void BM_FilterFirstMatch(benchmark::State& state) {
    CheckBook book(BenchData::checkDatabase(kRecords));
    const auto query =
        SearchFilter::contains(QStringLiteral("PayTo"), textFor(int(state.range(0))));
    for (auto _ : state) {
        book.filter(query.condition, query.binds);
        benchmark::DoNotOptimize(book.records().record());
    }
}

void BM_BareSqlFirstMatch(benchmark::State& state) {
    auto db = Database::open(BenchData::checkDatabase(kRecords));
    const QString like = QLatin1Char('%') + textFor(int(state.range(0))) + QLatin1Char('%');
    for (auto _ : state) {
        QSqlQuery q =
            db->exec(QStringLiteral("SELECT * FROM Account WHERE PayTo LIKE ? LIMIT 1"), {like});
        q.next();
        benchmark::DoNotOptimize(q.value(0));
    }
}

void BM_FilterWalkAll(benchmark::State& state) {
    CheckBook book(BenchData::checkDatabase(kRecords));
    const auto query =
        SearchFilter::contains(QStringLiteral("PayTo"), textFor(int(state.range(0))));
    int64_t rows = 0;
    for (auto _ : state) {
        book.filter(query.condition, query.binds);
        for (RecordSet& rs = book.records(); !rs.eof(); rs.moveNext()) {
            benchmark::DoNotOptimize(rs.record());
            ++rows;
        }
    }
    state.counters["rows"] = double(rows) / double(state.iterations());
}

void BM_BareSqlWalkAll(benchmark::State& state) {
    auto db = Database::open(BenchData::checkDatabase(kRecords));
    const QString like = QLatin1Char('%') + textFor(int(state.range(0))) + QLatin1Char('%');
    int64_t rows = 0;
    for (auto _ : state) {
        QSqlQuery q = db->exec(
            QStringLiteral("SELECT * FROM Account WHERE PayTo LIKE ? ORDER BY ID"), {like});
        while (q.next()) {
            benchmark::DoNotOptimize(q.record());
            ++rows;
        }
    }
    state.counters["rows"] = double(rows) / double(state.iterations());
}

} // namespace

// Argument 0: a text that about one check in ninety holds; 1: a text that one check holds.
BENCHMARK(BM_BareSqlFirstMatch)->Arg(0)->Arg(1)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_FilterFirstMatch)->Arg(0)->Arg(1)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_BareSqlWalkAll)->Arg(0)->Arg(1)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_FilterWalkAll)->Arg(0)->Arg(1)->Apply([](auto* b) { BenchData::measured(b); });

int main(int argc, char** argv) {
    return BenchData::run(argc, argv);
}
