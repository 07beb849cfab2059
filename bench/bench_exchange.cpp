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
#include <QSqlQuery>
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

/// A database whose table Account has just the 18 exported columns, with the same column
/// types. It leaves out the check database's constraints, which would refuse the template's
/// empty check number as .import writes it (the empty text, where the import stores Null).
void createBaselineTable(const QString& path) {
    QFile::remove(path);
    QStringList columns;
    const TableDef account = CheckDb::accountTable();
    for (const QString& name : ExchangeFormat::kFullRecord)
        columns << Database::quote(name) + (account.field(name)->kind == FieldKind::Long
                                                ? QStringLiteral(" INTEGER")
                                                : QStringLiteral(" TEXT"));
    auto db = Database::create(path);
    db->exec(QStringLiteral("CREATE TABLE Account (%1)").arg(columns.join(QStringLiteral(", "))));
}

void BM_ExportSqlite3Csv(benchmark::State& state) {
    const QString db = BenchData::checkDatabase(kRecords);
    const QString target = inFolder(QStringLiteral("sqlite3.csv"));
    const std::string command =
        "sqlite3 -csv " + quoted(db) + " 'SELECT " +
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
    {
        auto imported = Database::open(db);
        QSqlQuery rows = imported->exec(QStringLiteral("SELECT count(*) FROM Account"));
        state.counters["rows"] = rows.next() ? rows.value(0).toDouble() : 0;
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
        state.counters["rows"] = double(CheckImport::read(db, source, clock).records);
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
