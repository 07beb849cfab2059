#pragma once

#include <QString>

/// Generated check databases for the benchmarks.
namespace BenchData {

/// Makes (once per run) a check database of `records` checks in a temporary folder and
/// returns its path.
QString checkDatabase(int records);

/// The folder the databases are made in, with a settings file PC.OVL beside them.
QString programFolder();

} // namespace BenchData
