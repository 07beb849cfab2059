#include "gui/app/AppContext.h"
#include "core/settings/SettingsDb.h"
#include "core/platform/Clock.h"
#include "core/platform/Program.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/QtPrinter.h"
#include "gui/platform/QtPrompter.h"

#include <QApplication>
#include <QTimer>

// Ledgerline runs in its program folder: the working directory holds PC.OVL, template.ref
// and the check databases.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(Program::kName));
    // Before the start-up screen looks for it: the MICR font comes with the program. Should
    // it fail, that screen's font check tells the user.
    registerMicrFont();

    Program program;
    QtPrompter prompter(program);

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
