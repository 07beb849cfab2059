// The backup at exit against a plain byte copy (cp) of the same database, in one run. The
// backup also flushes the copy to the disk and has SQLite check its structure before it
// replaces the previous backup; its goal is at most 1.5 times cp followed by sync.
#include "BenchData.h"
#include "core/databases/DatabaseFiles.h"

#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>

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

/// The console report, followed by the backup's median as a ratio to each baseline's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_None) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double backup = m_medians["BM_Backup"];
        for (const char* baseline : {"BM_CopyWithCp", "BM_CopyWithCpThenSync"})
            if (backup > 0 && m_medians[baseline] > 0)
                std::printf("BM_Backup / %s: %.2f\n", baseline, backup / m_medians[baseline]);
    }

private:
    std::map<std::string, double> m_medians;
};

} // namespace

BENCHMARK(BM_CopyWithCp)->Apply([](auto* b) { BenchData::measured(b)->Iterations(5); });
BENCHMARK(BM_CopyWithCpThenSync)->Apply([](auto* b) { BenchData::measured(b)->Iterations(5); });
BENCHMARK(BM_Backup)->Apply([](auto* b) { BenchData::measured(b)->Iterations(5); });

int main(int argc, char** argv) {
    RatioReporter reporter;
    return BenchData::run(argc, argv, &reporter);
}
