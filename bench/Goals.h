#pragma once

#include <QString>
#include <functional>

/// The benchmarks' one way of measuring: each row times our operation and its baseline in
/// the same run, alternately (baseline, ours, ours, baseline, ...), so that whatever else
/// the shared machine does at the time weighs on both alike, and reports the medians and
/// their ratio against the row's goal. Every benchmark program adds its rows to
/// build/bench/rows/<program>.json, which `bench-summary` turns into the one table.
namespace Goals {

/// One measurement: what one sample took, in seconds (or, for a row about memory, its
/// megabytes).
using Sample = std::function<double()>;

/// `work` timed by the wall clock; `before`, when given, runs first and untimed.
Sample timed(std::function<void()> work);
Sample timed(std::function<void()> before, std::function<void()> work);
/// `work` run `times` times in one sample; the sample is the time of one.
Sample timedEach(int times, std::function<void()> work);

struct Row {
    QString name; ///< the operation in plain words first: "backup, 1,000,000 checks"
    double goal;  ///< the largest ratio that meets the goal
    Sample ours;
    Sample baseline;
    int rounds = 5;      ///< samples of each, after one that warms both up
    bool warmUp = true;  ///< false where one sample takes long enough to need none
    bool strict = false; ///< the ratio must stay below the goal (a limit), not reach it
    QString unit = QStringLiteral("s");
};

/// Measures a row now (unless the command line's --only names other rows), prints it and
/// keeps it for the rows file.
void measure(const Row& row);

/// Starts a benchmark program: the Qt application (offscreen, so screens can be built)
/// and the command line (--only=TEXT runs the rows whose name holds TEXT).
void start(int& argc, char** argv);

/// Writes the rows measured to build/bench/rows/<program>.json; returns the exit status.
int finish();

/// True when the command line asks for the row `name` (no --only, or one it matches).
bool wanted(const QString& name);

} // namespace Goals
