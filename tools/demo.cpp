// The tour: builds every screen on the program folder it runs in, offscreen, and saves a
// picture of each into demo/ as <Screen>.png; printed layouts go there as PDFs. It ends by
// listing what it wrote.
#include "gui/app/AppContext.h"
#include "core/databases/CheckDb.h"
#include "core/databases/DatabaseFiles.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/Program.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/QtPrinter.h"
#include "core/platform/QuietPrompter.h"
#include "core/platform/RecordSet.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QWidget>
#include <cstdio>

namespace {

class Tour {
public:
    explicit Tour(QDir out) : m_out(std::move(out)) {}

    void picture(QWidget* screen, const QString& name) {
        if (!screen) {
            std::fprintf(stderr, "demo: no screen for %s\n", qPrintable(name));
            m_failed = true;
            return;
        }
        screen->adjustSize();
        QApplication::processEvents();
        const QString file = m_out.filePath(name + QStringLiteral(".png"));
        if (screen->grab().save(file))
            m_written << file;
        else {
            std::fprintf(stderr, "demo: cannot write %s\n", qPrintable(file));
            m_failed = true;
        }
    }

    /// Takes every window down without its close handler: closing the data-entry screen
    /// would act as the user leaving the program.
    void closeAll() {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows << w;
        for (const QPointer<QWidget>& w : windows)
            if (w && !w->parentWidget() && w->testAttribute(Qt::WA_DeleteOnClose))
                delete w.data();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    int finish() const {
        std::printf("The tour wrote:\n");
        for (const QString& f : m_written)
            std::printf("  %s\n", qPrintable(QDir::current().relativeFilePath(f)));
        return m_failed ? 1 : 0;
    }

private:
    QDir m_out;
    QStringList m_written;
    bool m_failed = false;
};

} // namespace

int main(int argc, char** argv) {
    // The offscreen platform complains about window size hints it cannot pass on.
    static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("propagateSizeHints")))
                standard(type, context, text);
        });
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // As the program does at start-up, so the pictures show real MICR symbols.
    if (!registerMicrFont())
        std::fprintf(stderr, "demo: the MICR font MICR65 is not available\n");
    QDir folder = QDir::current();
    if (!folder.mkpath(QStringLiteral("demo"))) {
        std::fprintf(stderr, "demo: cannot make the folder demo\n");
        return 1;
    }
    Tour tour(QDir(folder.filePath(QStringLiteral("demo"))));

    Program program;
    QuietPrompter prompter;
    SystemClock clock;
    QtPrinter printer;
    AppContext context(program, prompter, clock, printer);

    tour.picture(context.openPass(), QStringLiteral("Pass"));
    tour.closeAll();
    tour.picture(context.openFontFailure(), QStringLiteral("FontFailure"));
    tour.closeAll();
    tour.picture(context.openChangePass(), QStringLiteral("ChangePass"));
    tour.closeAll();
    tour.picture(context.openFileOpen(), QStringLiteral("FileOpen"));
    tour.closeAll();
    tour.picture(context.openCreateNewDatabase(), QStringLiteral("CreateNewDatabase"));
    tour.closeAll();
    tour.picture(context.openPleaseWait(), QStringLiteral("PleaseWait"));
    tour.closeAll();

    // The data-entry screen on each kind of database: the first of each kind in the folder.
    const QStringList databases = DatabaseFiles::list(folder);
    for (const auto& [kind, suffix] : {std::pair{CheckDb::Kind::Check, QStringLiteral("check")},
                                       std::pair{CheckDb::Kind::Draft, QStringLiteral("draft")}}) {
        for (const QString& file : databases) {
            if (!CheckDb::problem(folder.filePath(file)).isEmpty())
                continue;
            CheckDb::Kind found = CheckDb::Kind::Other;
            try {
                RecordSet header(Database::open(folder.filePath(file), Database::Mode::ReadOnly),
                                 CheckDb::kHeader);
                found = CheckDb::kind(header);
            } catch (const DbError&) {
                continue;
            }
            if (found != kind)
                continue;
            program.setCurrentDatabase(file);
            tour.picture(context.openCheck(), QStringLiteral("Check-") + suffix);
            tour.closeAll();
            break;
        }
    }

    // The screens that open on top of data entry, on the last database pictured.
    tour.picture(context.openExportFile(), QStringLiteral("ExportFile"));
    tour.closeAll();
    tour.picture(context.openProgramSetup(), QStringLiteral("ProgramSetup"));
    tour.closeAll();
    tour.picture(context.openMicrForm(), QStringLiteral("MicrForm"));
    tour.closeAll();
    tour.picture(context.openHelpAbout(), QStringLiteral("HelpAbout"));
    tour.closeAll();

    return tour.finish();
}
