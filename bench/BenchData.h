#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <benchmark/benchmark.h>
#include <utility>

/// Generated check databases for the benchmarks.
namespace BenchData {

/// Makes (once per run) a check database of `records` checks in a temporary folder and
/// returns its path.
QString checkDatabase(int records);

/// Makes the check database `name` in the program folder afresh from the template, runs
/// `statements` (each with its bound values) on it in one transaction, and returns its path.
QString filledDatabase(const QString& name,
                       const QList<std::pair<QString, QVariantList>>& statements);

/// The way every benchmark here is measured: wall-clock time in `unit`, three repetitions,
/// medians reported.
benchmark::internal::Benchmark* measured(benchmark::internal::Benchmark* b,
                                         benchmark::TimeUnit unit = benchmark::kMillisecond);

/// Runs the registered benchmarks inside a Qt application (offscreen, so the screens can
/// be built), reported by `reporter` or the default console report.
int run(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr);

/// The folder the databases are made in, with a settings file PC.OVL beside them.
QString programFolder();

} // namespace BenchData
