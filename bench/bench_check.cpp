// The data-entry screen on check databases of 1,000, 100,000 and 1,000,000 checks: opening
// it, walking with Next and Previous, and New. Each is judged as a ratio against the same
// action on 1,000 checks in the same run.
#include "BenchData.h"
#include "core/platform/Clock.h"
#include "core/platform/Program.h"
#include "core/platform/QuietPrompter.h"
#include "core/platform/RecordingPrinter.h"
#include "gui/app/AppContext.h"
#include "gui/entry/Check.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

struct Screen {
    explicit Screen(int records)
        : program(BenchData::programFolder()), clock(QDate(2026, 12, 7)),
          printer({QStringLiteral("MICR65")}), context(program, prompter, clock, printer) {
        program.setCurrentDatabase(QFileInfo(BenchData::checkDatabase(records)).fileName());
    }
    Check* open() { return static_cast<Check*>(context.openCheck()); }

    Program program;
    QuietPrompter prompter;
    FixedClock clock;
    RecordingPrinter printer;
    AppContext context;
};

void BM_LoadScreen(benchmark::State& state) {
    Screen s(int(state.range(0)));
    for (auto _ : state) {
        Check* check = s.open();
        benchmark::DoNotOptimize(check);
        delete check;
    }
}

void BM_NextPrevious(benchmark::State& state) {
    Screen s(int(state.range(0)));
    Check* check = s.open();
    auto* previous = check->findChild<QPushButton*>(QStringLiteral("Previous"));
    auto* next = check->findChild<QPushButton*>(QStringLiteral("Next"));
    previous->click();
    for (auto _ : state) {
        previous->click();
        next->click();
    }
    delete check;
}

void BM_New(benchmark::State& state) {
    Screen s(int(state.range(0)));
    Check* check = s.open();
    auto* add = check->findChild<QPushButton*>(QStringLiteral("New"));
    for (auto _ : state)
        add->click();
    delete check;
}

} // namespace

BENCHMARK(BM_LoadScreen)->Arg(1000)->Arg(100000)->Arg(1000000)->Apply([](auto* b) {
    BenchData::measured(b);
});
BENCHMARK(BM_NextPrevious)->Arg(1000)->Arg(100000)->Arg(1000000)->Apply([](auto* b) {
    BenchData::measured(b, benchmark::kMicrosecond);
});
BENCHMARK(BM_New)->Arg(1000)->Arg(100000)->Arg(1000000)->Apply([](auto* b) {
    BenchData::measured(b)->Iterations(50);
});

int main(int argc, char** argv) {
    return BenchData::run(argc, argv);
}
