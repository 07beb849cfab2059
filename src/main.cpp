#include "core/platform/Clock.h"
#include "core/platform/DbError.h"
#include "core/platform/Program.h"
#include "core/platform/Signals.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/SettingsDb.h"
#include "core/settings/SingleCopy.h"
#include "core/settings/StartOptions.h"
#include "gui/app/AppContext.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/QtPrinter.h"
#include "gui/platform/QtPrompter.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

} // namespace

// Ledgerline runs in its program folder, which holds PC.OVL, template.ref and the check
// databases: ~/Ledgerline, or the folder given with --folder. The folder is made and given
// the shipped files on the first start.
int main(int argc, char** argv) {
    Signals::ignoreFileSizeLimit();
    // Help and version need no display: they are answered before the windowing starts.
    // (A line Qt would read for itself, such as -platform, is looked at again below.)
    if (const StartOptions early(argumentsOf(argc, argv)); early.error().isEmpty()) {
        if (early.wantsHelp()) {
            print(stdout, StartOptions::helpText());
            return 0;
        }
        if (early.wantsVersion()) {
            print(stdout, StartOptions::versionText());
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(Program::kName));
    QApplication::setDesktopFileName(QStringLiteral(LEDGERLINE_APP_ID));
    const StartOptions options(QApplication::arguments());

    Program program(options.folder());
    QtPrompter prompter(program);
    if (!options.error().isEmpty()) {
        print(stderr,
              QStringLiteral("ledgerline: %1\nTry 'ledgerline --help'.\n").arg(options.error()));
        prompter.message(options.error(), {}, Prompter::Icon::Stop);
        return 2;
    }
    if (options.wantsHelp() || options.wantsVersion()) {
        print(stdout, options.wantsHelp() ? StartOptions::helpText() : StartOptions::versionText());
        return 0;
    }

    // The first start makes the folder and copies in the shipped files; later starts only
    // bring back a file that went missing, and never touch one that is there.
    try {
        ProgramFolder::prepare(program.folder().path(),
                               ProgramFolder::shippedFolder(QApplication::applicationDirPath()));
    } catch (const DbError& e) {
        prompter.message(e.message(), {}, Prompter::Icon::Stop);
        return 1;
    }
    // Anything that still looks for a file by a bare name finds it in the program folder.
    QDir::setCurrent(program.folder().path());

    // Before the start-up screen looks for it: the MICR font comes with the program. Should
    // it fail, that screen's font check tells the user.
    registerMicrFont();

    // A second copy on the same folder says so and stops before it opens any file.
    SingleCopy single(program.folder());
    if (const QString taken = single.claim(); !taken.isEmpty()) {
        prompter.message(taken, {}, Prompter::Icon::Stop);
        return 1;
    }

    // A folder that may only be read still shows its checks; the user is told once why no
    // change will be stored.
    if (const QString readOnly = ProgramFolder::writeProblem(program.folder().path());
        !readOnly.isEmpty())
        prompter.message(readOnly, {}, Prompter::Icon::Warning);

    // Without a usable settings file there is nothing to start: say so and stop.
    const QString problem = SettingsDb::problem(program.path(SettingsDb::kFileName));
    if (!problem.isEmpty()) {
        prompter.message(problem, {}, Prompter::Icon::Stop);
        return 1;
    }

    SystemClock clock;
    QtPrinter printer(program.folder().path());
    AppContext context(program, prompter, clock, printer);
    program.setOnEnd([](int status) { QCoreApplication::exit(status); });

    QTimer::singleShot(0, [&context] { context.openPass(); });
    return QApplication::exec();
}
