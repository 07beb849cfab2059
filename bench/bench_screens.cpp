// Screens that list what the user has, with very much of it against a handful, in one run
// (goal for each: at most 1.5 times): the data-entry screen with 10,000 product types
// against the six shipped ones, and the database chooser on a folder of 5,000 check
// databases against one of five. Each is timed until the screen is painted; the chooser
// reads the folder and fills its list only after that (about 8 ms for 5,000 names here).
#include "BenchData.h"
#include "Goals.h"
#include "core/platform/Clock.h"
#include "core/platform/Program.h"
#include "core/platform/QuietPrompter.h"
#include "core/platform/RecordingPrinter.h"
#include "gui/app/AppContext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <memory>

namespace {

struct Context {
    explicit Context(const QString& folder)
        : program(folder), clock(QDate(2026, 12, 7)), printer({QStringLiteral("MICR65")}),
          context(program, prompter, clock, printer) {}
    Program program;
    QuietPrompter prompter;
    FixedClock clock;
    RecordingPrinter printer;
    AppContext context;
};

/// Opens a screen and lets it paint; taking it down again is not timed.
Goals::Sample opening(Context& c, QWidget* (AppContext::*open)()) {
    return [&c, open] {
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<QWidget> screen((c.context.*open)());
        QCoreApplication::processEvents();
        return double(clock.nsecsElapsed()) / 1e9;
    };
}

} // namespace

int main(int argc, char** argv) {
    Goals::start(argc, argv);
    if (Goals::wanted(QStringLiteral("product types"))) {
        const QString database = BenchData::checkDatabase(1'000);
        Context many(BenchData::programFolder(QStringLiteral("types-10000"), 10'000));
        Context few(BenchData::programFolder(QStringLiteral("types-shipped")));
        many.program.setCurrentDatabase(BenchData::placeIn(many.program.folder().path(), database));
        few.program.setCurrentDatabase(BenchData::placeIn(few.program.folder().path(), database));
        Goals::measure({QStringLiteral("product types, data entry with 10,000, vs 6"), 1.5,
                        opening(many, &AppContext::openCheck), opening(few, &AppContext::openCheck),
                        15});
    }
    if (Goals::wanted(QStringLiteral("chooser"))) {
        Context many(BenchData::chooserFolder(5'000));
        Context few(BenchData::chooserFolder(5));
        Goals::measure({QStringLiteral("chooser, 5,000 databases in the folder, vs 5"), 1.5,
                        opening(many, &AppContext::openFileOpen),
                        opening(few, &AppContext::openFileOpen), 15});
    }
    return Goals::finish();
}
