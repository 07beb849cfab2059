// The backup at exit against a plain byte copy (cp) of the same database, in one run.
#include "BenchData.h"
#include "core/databases/DatabaseFiles.h"

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

BENCHMARK(BM_CopyWithCp)->Apply([](auto* b) { BenchData::measured(b)->Iterations(5); });
BENCHMARK(BM_CopyWithCpThenSync)->Apply([](auto* b) { BenchData::measured(b)->Iterations(5); });
BENCHMARK(BM_Backup)->Apply([](auto* b) { BenchData::measured(b)->Iterations(5); });

int main(int argc, char** argv) {
    return BenchData::run(argc, argv);
}
