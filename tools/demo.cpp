// The tour: builds every screen on the program folder it runs in, offscreen, and saves a
// picture of each into demo/ as <Screen>.png; printed layouts go there as PDFs. It ends by
// listing what it wrote.
#include "core/databases/CheckDb.h"
#include "core/databases/DatabaseFiles.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/Program.h"
#include "core/platform/QuietPrompter.h"
#include "core/platform/RecordSet.h"
#include "core/print/BlankCheckJob.h"
#include "core/print/CalibrationSheet.h"
#include "core/print/DepositTicketJob.h"
#include "core/print/PrintRun.h"
#include "core/print/PrintSettings.h"
#include "core/print/Stock.h"
#include "core/register/PositivePay.h"
#include "core/settings/SettingsDb.h"
#include "core/setup/PositivePayOptions.h"
#include "gui/app/AppContext.h"
#include "gui/databases/FileOpen.h"
#include "gui/entry/Check.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/ProgressWindow.h"
#include "gui/platform/QtPrinter.h"
#include "gui/register/Register.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QPointer>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <functional>

namespace {

class Tour {
public:
    explicit Tour(QDir out) : m_out(std::move(out)) {}

    /// Pictures each screen in turn, closing every window after each.
    void
    pictures(std::initializer_list<std::pair<const char*, std::function<QWidget*()>>> screens) {
        for (const auto& [name, open] : screens) {
            picture(open(), QString::fromLatin1(name));
            closeAll();
        }
    }

    void picture(QWidget* screen, const QString& name) {
        if (!screen) {
            std::fprintf(stderr, "demo: no screen for %s\n", qPrintable(name));
            m_failed = true;
            return;
        }
        screen->adjustSize();
        QApplication::processEvents();
        // The chooser lists the folder once it is painted.
        if (auto* chooser = qobject_cast<FileOpen*>(screen)) {
            const QDeadlineTimer patience(10'000);
            while (!chooser->listed() && !patience.hasExpired())
                QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
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

    /// A file the tour made some other way than by a picture.
    void wrote(const QString& file) { m_written << file; }
    void failed(const QString& why) {
        std::fprintf(stderr, "demo: %s\n", qPrintable(why));
        m_failed = true;
    }
    const QDir& out() const { return m_out; }

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

// A copy of the folder's database `file` in `scratch`, so that printing from it changes
// nothing the tour shows; empty, the tour told, when it cannot be made.
QString scratchCopy(Tour& tour, const QDir& folder, const QString& file,
                    const QTemporaryDir& scratch) {
    const QString copy = scratch.filePath(file);
    if (QFile::copy(folder.filePath(file), copy))
        return copy;
    tour.failed(QStringLiteral("cannot copy %1").arg(file));
    return {};
}

// Prints a run from a copy of `file` (the program folder's databases keep their state)
// through the Qt page into demo/<pdfName>; the quiet prompter answers No, so nothing is
// marked, and starts labels on label 1.
void printRun(Tour& tour, const QDir& folder, const QString& file, const PrintSelection& selection,
              const QString& pdfName) {
    QTemporaryDir scratch;
    const QString copy = scratchCopy(tour, folder, file, scratch);
    if (copy.isEmpty())
        return;
    const QString pdf = tour.out().filePath(pdfName);
    QFile::remove(pdf);
    QtPrinter printer(folder.path());
    printer.useFile(pdf);
    if (selection.checks() && !PrinterHasFont(printer, PrintFaces::kMicr)) {
        // Checks never print their bank line in a stand-in font; the run would only warn.
        std::fprintf(stderr, "demo: the MICR65 font is not installed, so %s is left out\n",
                     qPrintable(pdfName));
        return;
    }
    QuietPrompter prompter;
    SystemClock clock;
    try {
        const QString settings = folder.filePath(SettingsDb::kFileName);
        PrintRun run(copy, settings, printer, prompter, clock);
        run.run(selection, PrintSettings::read(settings).options);
    } catch (const DbError& e) {
        tour.failed(e.message());
        return;
    }
    if (QFile::exists(pdf))
        tour.wrote(pdf);
    else
        tour.failed(QStringLiteral("%1 printed nothing").arg(pdfName));
}

// The calibration sheet (Print Sample) through the Qt page into demo/Calibration.pdf.
void calibrationSheet(Tour& tour, const QDir& folder) {
    const QString pdf = tour.out().filePath(QStringLiteral("Calibration.pdf"));
    QFile::remove(pdf);
    QtPrinter printer(folder.path());
    printer.useFile(pdf);
    try {
        auto page = printer.startJob(QStringLiteral("calibration lines"));
        CalibrationSheet::print(*page);
    } catch (const DbError& e) {
        tour.failed(e.message());
        return;
    }
    tour.wrote(pdf);
}

/// Answers every count box with the same number, and keeps the last message.
class CountPrompter : public QuietPrompter {
public:
    explicit CountPrompter(QString count) : m_count(std::move(count)) {}
    void message(const QString& text, const QString&, Icon) override { m_said = text; }
    std::optional<QString> ask(const QString&, const QString&, const QString&) override {
        return m_count;
    }
    const QString& said() const { return m_said; }

private:
    QString m_count;
    QString m_said;
};

using BlankJobRun = std::function<BlankJob::Result(Printer&, Prompter&, const QString&)>;

// Prints a blank layout from a copy of `file` (so the tour uses up none of its check
// numbers) into demo/<pdfName>, answering `count` to the count box.
void printBlank(Tour& tour, const QDir& folder, const QString& file, const QString& count,
                const BlankJobRun& job, const QString& pdfName) {
    QTemporaryDir scratch;
    const QString copy = scratchCopy(tour, folder, file, scratch);
    if (copy.isEmpty())
        return;
    const QString pdf = tour.out().filePath(pdfName);
    QFile::remove(pdf);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    QtPrinter printer(folder.path());
    printer.useFile(pdf);
    if (!PrinterHasFont(printer, PrintFaces::kMicr)) {
        // Without it the job ends the program after its warning.
        std::fprintf(stderr, "demo: the MICR65 font is not installed, so %s is left out\n",
                     qPrintable(pdfName));
        return;
    }
    CountPrompter prompter(count);
    try {
        if (job(printer, prompter, copy) != BlankJob::Result::Printed)
            tour.failed(QStringLiteral("%1 printed nothing: %2").arg(pdfName, prompter.said()));
        else if (QFile::exists(pdf))
            tour.wrote(pdf);
        else
            tour.failed(QStringLiteral("%1 printed nothing").arg(pdfName));
    } catch (const DbError& e) {
        tour.failed(e.message());
    }
}

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

    tour.pictures({{"Pass", [&] { return context.openPass(); }},
                   {"FontFailure", [&] { return context.openFontFailure(); }},
                   {"ChangePass", [&] { return context.openChangePass(); }},
                   {"FileOpen", [&] { return context.openFileOpen(); }},
                   {"CreateNewDatabase", [&] { return context.openCreateNewDatabase(); }},
                   {"PleaseWait", [&] { return context.openPleaseWait(); }},
                   {"ServerSetup", [&] { return context.openServerSetup(); }}});

    // The progress window of long work, as a print run of 250 checks shows it half way.
    {
        ProgressWindow progress;
        const QString what = QStringLiteral("Printing checks");
        const QString units = QStringLiteral("checks");
        progress.report(what, units, 0, 250);
        QThread::msleep(ProgressWindow::kShowAfterMs + 50);
        progress.report(what, units, 120, 250);
        tour.picture(&progress, QStringLiteral("Progress"));
        progress.finish();
    }

    // The data-entry screen on each kind of database: the first of each kind in the folder.
    const QStringList databases = DatabaseFiles::list(folder);
    QMap<QString, QString> firstOf; // by kind: "check", "draft"
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
            firstOf.insert(suffix, file);
            tour.picture(context.openCheck(), QStringLiteral("Check-") + suffix);
            tour.closeAll();
            break;
        }
    }

    // Printing: every check of each kind of database, and the labels of the drafts.
    PrintSelection checks;
    checks.once = checks.monthly = true;
    PrintSelection labels;
    labels.oneTimeLabels = labels.monthlyLabels = true;
    for (auto it = firstOf.cbegin(); it != firstOf.cend(); ++it)
        printRun(tour, folder, it.value(), checks, QStringLiteral("Checks-%1.pdf").arg(it.key()));
    if (firstOf.contains(QStringLiteral("draft")))
        printRun(tour, folder, firstOf.value(QStringLiteral("draft")), labels,
                 QStringLiteral("Labels-draft.pdf"));

    // The blank layouts, from the template of the CHECK database, on 88 mm stock.
    if (firstOf.contains(QStringLiteral("check"))) {
        const QString file = firstOf.value(QStringLiteral("check"));
        BlankPrintSettings settings;
        try {
            settings = BlankPrintSettings::read(folder.filePath(SettingsDb::kFileName));
        } catch (const DbError& e) {
            tour.failed(e.message());
        }
        settings.options.use88mm = true;
        settings.tranCode = QStringLiteral("0123");
        Program jobProgram(folder.path());
        const auto blank = [&](BlankCheckJob::Layout layout) -> BlankJobRun {
            return [&, layout](Printer& to, Prompter& asking, const QString& database) {
                return BlankCheckJob(to, asking, clock, jobProgram).run(layout, database, settings);
            };
        };
        printBlank(tour, folder, file, QStringLiteral("6"), blank(BlankCheckJob::Layout::Regular),
                   QStringLiteral("BlankChecks.pdf"));
        printBlank(tour, folder, file, QStringLiteral("3"),
                   blank(BlankCheckJob::Layout::Quicken3Up), QStringLiteral("Quicken3Up.pdf"));
        printBlank(tour, folder, file, QStringLiteral("2"), blank(BlankCheckJob::Layout::Voucher),
                   QStringLiteral("QuickenVoucher.pdf"));
        printBlank(
            tour, folder, file, QStringLiteral("3"),
            [&](Printer& to, Prompter& asking, const QString& database) {
                return DepositTicketJob(to, asking, clock, jobProgram).run(database, settings);
            },
            QStringLiteral("DepositTickets.pdf"));
    }

    // The printer control screen on the CHECK database, the alignment screen, and the
    // calibration sheet.
    if (firstOf.contains(QStringLiteral("check"))) {
        program.setCurrentDatabase(firstOf.value(QStringLiteral("check")));
        tour.picture(context.openPrinterControl(), QStringLiteral("PrinterControl"));
        tour.closeAll();
    }
    tour.picture(context.openAlignPrinter(), QStringLiteral("AlignPrinter"));
    tour.closeAll();
    calibrationSheet(tour, folder);

    // The register of the CHECK database beside its data-entry screen, sorted so that the
    // void check comes first; that check chosen shows on the data-entry screen, marked VOID.
    // Its positive-pay file for the last month goes into demo/ as it would go to the bank.
    if (firstOf.contains(QStringLiteral("check"))) {
        const QString file = firstOf.value(QStringLiteral("check"));
        program.setCurrentDatabase(file);
        auto* check = qobject_cast<Check*>(context.openCheck());
        auto* book = qobject_cast<Register*>(context.openRegister());
        if (check && book && book->model()) {
            QObject::connect(book, &Register::checkChosen, check, &Check::showCheck);
            try {
                book->model()->order(CheckKeys::Column::Void, Qt::DescendingOrder);
                book->model()->totals().finish();
            } catch (const DbError& e) {
                tour.failed(e.message());
            }
            book->resize(900, 420);
            tour.picture(book, QStringLiteral("Register"));
            emit book->checkChosen(book->model()->idAt(0));
            tour.picture(check, QStringLiteral("Check-void"));
        } else {
            tour.failed(QStringLiteral("the register did not open"));
        }
        tour.closeAll();
        tour.picture(context.openPositivePayExport(), QStringLiteral("PositivePayExport"));
        tour.closeAll();
        const QString csv = tour.out().filePath(QStringLiteral("PositivePay.csv"));
        try {
            const QString settings = folder.filePath(SettingsDb::kFileName);
            QFile::remove(csv);
            const QDate today = clock.today();
            if (PositivePay::write(folder.filePath(file), csv, today.addMonths(-1), today,
                                   PositivePayOptions(settings).format(), false) > 0)
                tour.wrote(csv);
            else
                tour.failed(QStringLiteral("no check was listed in PositivePay.csv"));
        } catch (const DbError& e) {
            tour.failed(e.message());
        }
    }

    // The screens that open on top of data entry, on the last database pictured.
    tour.pictures({{"ExportFile", [&] { return context.openExportFile(); }},
                   {"ProgramSetup", [&] { return context.openProgramSetup(); }},
                   {"MicrForm", [&] { return context.openMicrForm(); }},
                   {"HelpAbout", [&] { return context.openHelpAbout(); }}});

    return tour.finish();
}
