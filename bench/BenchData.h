#pragma once

#include <QString>

/// Generated check databases for the benchmarks.
namespace BenchData {

/// Makes (once per run) a check database of `records` checks in a temporary folder and
/// returns its path.
QString checkDatabase(int records);

} // namespace BenchData
