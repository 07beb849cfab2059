// The data-entry screen on check databases of 100,000 and 1,000,000 checks against the same
// action on 1,000 checks, in one run (goal for each: at most 1.2 times): opening the screen,
// walking with Next and Previous, and New. And the peak memory of a program with the screen
// open on 1,000,000 checks (goal: under 100 MB), measured in a process of its own.
#include "BenchData.h"
#include "Goals.h"
#include "core/platform/Clock.h"
#include "core/platform/Program.h"
#include "core/platform/QuietPrompter.h"
#include "core/platform/RecordingPrinter.h"
#include "gui/app/AppContext.h"
#include "gui/entry/Check.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

/// The data-entry screen's surroundings, on a copy of the database in a program folder.
struct Screen {
    Screen(const QString& folder, const QString& database)
        : program(folder), clock(QDate(2026, 12, 7)), printer({QStringLiteral("MICR65")}),
          context(program, prompter, clock, printer) {
        program.setCurrentDatabase(QFileInfo(database).fileName());
    }
    Check* open() { return static_cast<Check*>(context.openCheck()); }

    Program program;
    QuietPrompter prompter;
    FixedClock clock;
    RecordingPrinter printer;
    AppContext context;
};

/// A copy of the benchmark database of `records` checks in the program folder "entry".
QString entryCopy(int records) {
    const QString folder = BenchData::programFolder(QStringLiteral("entry"));
    return BenchData::workCopy(BenchData::checkDatabase(records),
                               QDir(folder).filePath(QStringLiteral("Entry %1.mdb").arg(records)));
}

struct Opened {
    explicit Opened(int records)
        : screen(BenchData::programFolder(QStringLiteral("entry")), entryCopy(records)),
          check(screen.open()) {}
    ~Opened() { delete check; }
    void click(const char* button) {
        check->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
    Screen screen;
    Check* check;
};

double statusMb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
    return 0;
}

/// The peak memory, in MB, of a process that opens the data-entry screen on `records` checks.
double peakMemoryMb(const QString& database) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory-child=") + database});
    if (!child.waitForFinished(120'000) || child.exitCode() != 0)
        qFatal("The memory child failed: %s", child.readAllStandardError().constData());
    return child.readAllStandardOutput().trimmed().toDouble();
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--memory-child=", 0) == 0) {
            const QString database = QString::fromLocal8Bit(argv[i] + 15);
            Goals::start(argc, argv);
            {
                Screen screen(QFileInfo(database).path(), database);
                Check* check = screen.open();
                QElapsedTimer shown;
                shown.start();
                while (shown.elapsed() < 300)
                    QCoreApplication::processEvents();
                for (const char* b : {"Next", "Next", "Previous", "New"})
                    check->findChild<QPushButton*>(QString::fromLatin1(b))->click();
                QCoreApplication::processEvents();
                std::printf("%.1f\n", statusMb("VmHWM:"));
                std::fflush(stdout);
            }
            // Measured: nothing of the ending is.
            std::_Exit(0);
        }

    Goals::start(argc, argv);
    const bool any = Goals::wanted(QStringLiteral("load")) ||
                     Goals::wanted(QStringLiteral("new")) || Goals::wanted(QStringLiteral("next"));
    for (const int records : {100'000, 1'000'000}) {
        if (!any)
            break;
        // Both opened afresh, so that each is walked from the same place.
        auto small = std::make_unique<Opened>(1'000);
        Opened large(records);
        const QString count =
            records == 100'000 ? QStringLiteral("100,000") : QStringLiteral("1,000,000");
        auto load = [](Opened& o) { return Goals::timedEach(5, [&o] { delete o.screen.open(); }); };
        Goals::measure({QStringLiteral("load, data entry on %1 checks, vs 1,000").arg(count), 1.2,
                        load(large), load(*small), 7});
        // A step takes well under a millisecond: more rounds, so that one disturbed round
        // weighs less.
        auto walk = [](Opened& o) {
            return Goals::timedEach(200, [&o] {
                o.click("Previous");
                o.click("Next");
            });
        };
        Goals::measure({QStringLiteral("next, Previous + Next on %1 checks, vs 1,000").arg(count),
                        1.2, walk(large), walk(*small), 15});
        auto add = [](Opened& o) { return Goals::timedEach(20, [&o] { o.click("New"); }); };
        Goals::measure({QStringLiteral("new, on %1 checks, vs 1,000").arg(count), 1.2, add(large),
                        add(*small), 7});
    }

    if (Goals::wanted(QStringLiteral("memory"))) {
        const QString million = entryCopy(1'000'000);
        Goals::Row memory{QStringLiteral("memory, data entry open on 1,000,000 checks, vs 100 MB"),
                          1.0, [&] { return peakMemoryMb(million); }, [] { return 100.0; }, 3};
        memory.warmUp = false;
        memory.strict = true;
        memory.unit = QStringLiteral("MB");
        Goals::measure(memory);
    }
    return Goals::finish();
}
