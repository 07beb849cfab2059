// The register on 1,000,000 checks (goal: each within half a second), beside the bare SQL
// that reads the first rows in the table's own order, in one run:
//  - BM_BareSqlFirstRows: the first 200 rows by ID, one SELECT on the program's connection;
//  - BM_OpenRegister: the register opened (its database, its first page) and the first 40
//    rows read as a view shows them;
//  - BM_Sort/<column>: the rows ordered by each column, highest first, and 40 rows read;
//  - BM_Filter/<case>: the rows narrowed by a text and by dates, and 40 rows read;
//  - BM_ScrollOn: 50 further pages read, as scrolling on reads them;
//  - BM_Totals/<case>: the count and total of the rows shown, all at once (on the screen
//    they are counted a stretch at a time while the rows are already shown).
// Before them it says how long the indexes took to make, as an older database pays once.
#include "BenchData.h"
#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/register/RegisterModel.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int kChecks = 1'000'000;
constexpr int kShown = 40;

// A million checks over 27 years, to 100,000 payees, one in ten printed, one in a thousand
// void; the indexes the register sorts by, as opening for writing makes them.
QString database() {
    static QString made;
    if (!made.isEmpty())
        return made;
    made = BenchData::filledDatabase(
        QStringLiteral("register.mdb"),
        {{QStringLiteral(
              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
              "INSERT INTO Account (PayTo, \"Check\", Amount, \"For\", Date, Print, Printed, "
              "VoidDate, VoidReason) "
              "SELECT 'Payee ' || ((i * 7919) % 100000), 100 + i, "
              "((i * 31) % 5000) || '.' || printf('%02d', i % 100), 'Invoice ' || i, "
              "(1 + i % 12) || '/' || (1 + i % 28) || '/' || (2000 + i / 37038), "
              "CASE i % 10 WHEN 0 THEN 'Never' ELSE 'Once' END, "
              "CASE i % 10 WHEN 0 THEN (1 + i % 12) || '/' || (1 + i % 28) || '/' || "
              "(2000 + i / 37038) END, "
              "CASE i % 1000 WHEN 0 THEN '1/5/2027' END, "
              "CASE i % 1000 WHEN 0 THEN 'Lost in the mail' END FROM n"),
          {kChecks - 1}},
         {QStringLiteral("UPDATE Properties SET AccountType = 'Check'"), {}}});
    // What a database of a million checks made by an earlier version pays once, the first
    // time it is opened for writing.
    QElapsedTimer clock;
    clock.start();
    CheckDb::bringUpToDate(Database::open(made));
    std::fprintf(stderr, "The register's indexes on %d checks were made in %.1f s.\n", kChecks,
                 double(clock.elapsed()) / 1000.0);
    return made;
}

void readShown(RegisterModel& model) {
    for (int row = 0; row < kShown && row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            benchmark::DoNotOptimize(model.data(model.index(row, column)));
}

void BM_BareSqlFirstRows(benchmark::State& state) {
    auto db = Database::open(database());
    for (auto _ : state) {
        QSqlQuery q = db->exec(QStringLiteral("SELECT ID, \"Check\", Date, PayTo, Amount, Print, "
                                              "Printed, VoidDate FROM Account WHERE ID <> 1 "
                                              "ORDER BY ID LIMIT 200"));
        while (q.next())
            benchmark::DoNotOptimize(q.value(4));
    }
}

void BM_OpenRegister(benchmark::State& state) {
    const QString path = database();
    for (auto _ : state) {
        RegisterModel model(path);
        readShown(model);
    }
}

void BM_Sort(benchmark::State& state) {
    RegisterModel model(database());
    const auto column = RegisterModel::Column(state.range(0));
    state.SetLabel(RegisterModel::caption(column, CheckDb::Kind::Check).toStdString());
    for (auto _ : state) {
        model.order(column, Qt::DescendingOrder);
        readShown(model);
    }
}

RegisterFilter filterFor(int which) {
    switch (which) {
    case 0: // a text most checks hold
        return {QStringLiteral("Payee"), {}, {}};
    case 1: // a text about a hundred checks hold
        return {QStringLiteral("Payee 1234"), {}, {}};
    case 2: // a text one check holds
        return {QStringLiteral("Invoice 987654"), {}, {}};
    case 3: // a month of dates
        return {{}, QDate(2026, 3, 1), QDate(2026, 3, 31)};
    case 4: // twenty years of dates
        return {{}, QDate(2005, 1, 1), QDate(2024, 12, 31)};
    default: // a text about a hundred checks hold, within twenty years
        return {QStringLiteral("Payee 1234"), QDate(2005, 1, 1), QDate(2024, 12, 31)};
    }
}

const char* const kFilterNames[] = {"common text", "text of 100",  "text of 1",
                                    "a month",     "twenty years", "text of 100 in 20 years"};

void BM_Filter(benchmark::State& state) {
    RegisterModel model(database());
    // Sorted by amount, so that neither the dates nor the ID give the order.
    model.order(RegisterModel::Column::Amount, Qt::AscendingOrder);
    const int which = int(state.range(0));
    state.SetLabel(kFilterNames[which]);
    const RegisterFilter filter = filterFor(which);
    for (auto _ : state) {
        model.setFilter(filter);
        readShown(model);
        state.PauseTiming();
        model.setFilter({});
        state.ResumeTiming();
    }
}

void BM_ScrollOn(benchmark::State& state) {
    RegisterModel model(database());
    model.order(RegisterModel::Column::Party, Qt::AscendingOrder);
    for (auto _ : state) {
        for (int page = 0; page < 50 && model.canFetchMore({}); ++page)
            model.fetchMore({});
        benchmark::DoNotOptimize(model.data(model.index(model.rowCount() - 1, 2)));
        state.PauseTiming();
        model.refresh();
        state.ResumeTiming();
    }
}

void BM_Totals(benchmark::State& state) {
    RegisterModel model(database());
    const int which = int(state.range(0));
    if (which >= 0) {
        model.setFilter(filterFor(which));
        state.SetLabel(kFilterNames[which]);
    } else {
        state.SetLabel("all checks");
    }
    for (auto _ : state) {
        model.refresh();
        model.totals().finish();
        benchmark::DoNotOptimize(model.totals().summary().total);
    }
}

} // namespace

BENCHMARK(BM_BareSqlFirstRows)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_OpenRegister)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_Sort)->DenseRange(0, CheckKeys::kColumns - 1)->Apply([](auto* b) {
    BenchData::measured(b);
});
BENCHMARK(BM_Filter)->DenseRange(0, 5)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_ScrollOn)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_Totals)->Arg(-1)->Arg(1)->Arg(3)->Apply([](auto* b) { BenchData::measured(b); });

int main(int argc, char** argv) {
    return BenchData::run(argc, argv);
}
