// Export and import of 1,000,000 checks against the sqlite3 command-line program doing the
// same work in the same run: `sqlite3 -csv` writing the same 18 columns, and `.import`
// reading the same file into a table of those 18 columns.
#include "BenchData.h"
#include "core/databases/CheckDb.h"
#include "core/exchange/CheckExport.h"
#include "core/exchange/CheckImport.h"
#include "core/exchange/ExchangeFormat.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int kRecords = 1'000'000;

QString inFolder(const QString& name) {
    return QDir(BenchData::programFolder()).filePath(name);
}

std::string quoted(const QString& path) {
    return "'" + path.toStdString() + "'";
}

QString columns() {
    QStringList quotedNames;
    for (const QString& f : ExchangeFormat::kFullRecord)
        quotedNames << Database::quote(f);
    return quotedNames.join(QLatin1Char(','));
}

/// The full export of the benchmark database, made once: what both imports read.
QString exportFile() {
    static const QString path = [] {
        const QString p = inFolder(QStringLiteral("IMPORT.TXT"));
        CheckExport::write(BenchData::checkDatabase(kRecords), p, CheckExport::Layout::Full);
        return p;
    }();
    return path;
}

/// A database whose table Account has just the 18 exported columns, of the same kinds.
void createBaselineTable(const QString& path) {
    QFile::remove(path);
    TableDef exported{CheckDb::kAccount, {}};
    const TableDef account = CheckDb::accountTable();
    for (const QString& name : ExchangeFormat::kFullRecord)
        exported.fields << *account.field(name);
    auto db = Database::create(path);
    db->exec(exported.createSql());
}

void BM_ExportSqlite3Csv(benchmark::State& state) {
    const QString db = BenchData::checkDatabase(kRecords);
    const QString target = inFolder(QStringLiteral("sqlite3.csv"));
    const std::string command = "sqlite3 -csv " + quoted(db) + " 'SELECT " +
                                columns().replace(QLatin1Char('\''), QStringLiteral("''")).toStdString() +
                                " FROM Account ORDER BY ID' > " + quoted(target);
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("sqlite3 failed");
    state.counters["MB"] = double(QFileInfo(target).size()) / 1e6;
    QFile::remove(target);
}

void BM_Export(benchmark::State& state) {
    const QString db = BenchData::checkDatabase(kRecords);
    const QString target = inFolder(ExchangeFormat::kExportFile);
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckExport::write(db, target, CheckExport::Layout::Full));
    state.counters["MB"] = double(QFileInfo(target).size()) / 1e6;
    QFile::remove(target);
}

void BM_ImportSqlite3(benchmark::State& state) {
    const QString source = exportFile();
    const QString db = inFolder(QStringLiteral("baseline.db"));
    const std::string command =
        "sqlite3 " + quoted(db) + " '.import --csv " + source.toStdString() + " Account'";
    for (auto _ : state) {
        state.PauseTiming();
        createBaselineTable(db);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("sqlite3 failed");
    }
    QFile::remove(db);
}

void BM_Import(benchmark::State& state) {
    const QString source = exportFile();
    const QString db = inFolder(QStringLiteral("imported.mdb"));
    const FixedClock clock(QDate(2026, 12, 7));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(db);
        CheckDb::createTemplate(db);
        state.ResumeTiming();
        benchmark::DoNotOptimize(CheckImport::read(db, source, clock));
    }
    QFile::remove(db);
}

} // namespace

BENCHMARK(BM_ExportSqlite3Csv)->Apply([](auto* b) { BenchData::measured(b)->Iterations(1); });
BENCHMARK(BM_Export)->Apply([](auto* b) { BenchData::measured(b)->Iterations(1); });
BENCHMARK(BM_ImportSqlite3)->Apply([](auto* b) { BenchData::measured(b)->Iterations(1); });
BENCHMARK(BM_Import)->Apply([](auto* b) { BenchData::measured(b)->Iterations(1); });

int main(int argc, char** argv) {
    return BenchData::run(argc, argv);
}
