// The backup at exit against a plain byte copy (cp) of the same database, in one run.
#include "BenchData.h"
#include "db/DatabaseFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int kRecords = 1'000'000;

void BM_CopyWithCp(benchmark::State& state) {
    const QString source = BenchData::checkDatabase(kRecords);
    const QString target = source + QStringLiteral(".cp");
    const std::string command = "cp '" + source.toStdString() + "' '" + target.toStdString() + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    state.counters["MB"] = double(QFileInfo(source).size()) / 1e6;
    QFile::remove(target);
}

// The backup is flushed to the disk before it replaces the last one; cp leaves its copy in
// memory for the system to write later. This baseline adds that flush to cp.
void BM_CopyWithCpThenSync(benchmark::State& state) {
    const QString source = BenchData::checkDatabase(kRecords);
    const QString target = source + QStringLiteral(".cps");
    const std::string command = "cp '" + source.toStdString() + "' '" + target.toStdString() +
                                "' && sync '" + target.toStdString() + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    QFile::remove(target);
}

void BM_Backup(benchmark::State& state) {
    const QString source = BenchData::checkDatabase(kRecords);
    const QString target = source + QStringLiteral(".bak");
    for (auto _ : state)
        DatabaseFiles::backup(source, target);
    state.counters["MB"] = double(QFileInfo(source).size()) / 1e6;
    QFile::remove(target);
}

} // namespace

BENCHMARK(BM_CopyWithCp)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CopyWithCpThenSync)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Backup)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
