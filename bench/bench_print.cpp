// Printing to PDF and marking a confirmed run, each against a bare baseline in one run:
//  - a check job of 1,000 and 10,000 checks through the real run and the Qt page, against a
//    bare QPainter loop drawing the same text items at the same places into a PDF (goal:
//    at most 1.3 times, and peak memory that does not grow with the count);
//  - marking 100,000 confirmed one-time checks, against one SQL UPDATE making the same
//    changes (goal: at most 2 times).
#include "BenchData.h"
#include "core/databases/CheckDb.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/PreparedQuery.h"
#include "core/platform/QuietPrompter.h"
#include "core/platform/RecordingPrinter.h"
#include "core/print/CheckFace.h"
#include "core/print/CheckMarking.h"
#include "core/print/PrintRun.h"
#include "core/settings/SettingsDb.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/QtPrinter.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>

namespace {

// n checks, all to print one time, in a database of their own.
QString oneTimeChecks(int n) {
    static QMap<int, QString> made;
    if (made.contains(n))
        return made.value(n);
    const QString path = BenchData::filledDatabase(
        QStringLiteral("once%1.mdb").arg(n),
        {{QStringLiteral(
              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
              "INSERT INTO Account (BusinessName, FirstName, LastName, Address, City, "
              "State, Zip, Phone, PayTo, \"Check\", Amount, Bank, BankCity, BankState, ABA, "
              "Account, \"For\", Date, Comments, Print, LabelPrint) "
              "SELECT 'Maple Street Bakery', 'Jordan', 'Reyes', i || ' Maple Street', "
              "'Fairview', 'OH', '44118', '(216) 555-0142', 'Payee number ' || i, 1000 + i, "
              "(i % 5000) || '.' || printf('%02d', i % 100), 'Fairview Community Bank', "
              "'Fairview', 'OH', '041000124', '1234D567 8', 'Invoice ' || i, '12/1/2026', "
              "'Customer called on ' || i, 'Once', 0 FROM n"),
          {n}},
         {QStringLiteral("UPDATE Properties SET AccountType = 'Check', LastCheck = ?"),
          {1000 + n}}});
    made.insert(n, path);
    return path;
}

// The system's printing into PDF files, with the program's own MICR font.
class BenchPrinter : public QtPrinter {
public:
    explicit BenchPrinter(const QString& folder) : QtPrinter(folder) {
        registerMicrFont();
        useFile(QDir(folder).filePath(QStringLiteral("checks.pdf")));
    }
};

PrintSelection once() {
    PrintSelection s;
    s.once = true;
    return s;
}

// Peak memory: the kernel's high-water mark of the process, which writing 5 to
// clear_refs resets to what is in use now.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}
double statusMb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
    return 0;
}

void removePdfs(const QString& folder) {
    QDir dir(folder);
    for (const QString& f : dir.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        dir.remove(f);
}

void BM_CheckJobToPdf(benchmark::State& state) {
    const QString database = oneTimeChecks(int(state.range(0)));
    QTemporaryDir out;
    BenchPrinter printer(out.path());
    QuietPrompter prompter;
    FixedClock clock(QDate(2026, 12, 7));
    const QString settings = QDir(BenchData::programFolder()).filePath(SettingsDb::kFileName);
    double growth = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const double before = statusMb("VmRSS:");
        resetPeak();
        PrintRun run(database, settings, printer, prompter, clock);
        run.run(once(), StockOptions());
        growth = qMax(growth, statusMb("VmHWM:") - before);
        state.PauseTiming();
        bytes = QFileInfo(QDir(out.path()).filePath(QStringLiteral("checks.pdf"))).size();
        removePdfs(out.path());
        state.ResumeTiming();
    }
    state.counters["peak_rss_growth_MB"] = growth;
    state.counters["pdf_MB"] = double(bytes) / 1e6;
}

// The same text at the same places, drawn straight with QPainter into a PDF.
void BM_BareQPainterToPdf(benchmark::State& state) {
    const QString database = oneTimeChecks(int(state.range(0)));
    QTemporaryDir out;
    BenchPrinter fonts(out.path());
    RecordingPrinter recorder(fonts.fonts());
    QuietPrompter prompter;
    FixedClock clock(QDate(2026, 12, 7));
    {
        PrintRun run(database, QDir(BenchData::programFolder()).filePath(SettingsDb::kFileName),
                     recorder, prompter, clock);
        run.run(once(), StockOptions());
    }
    const QList<RecordingPage::Text> texts = recorder.jobs().first().page->texts();
    // Fonts and their ascents are ready before the clock starts.
    QList<std::pair<PrintFont, std::pair<QFont, double>>> made;
    QList<int> fontOf;
    for (const RecordingPage::Text& t : texts) {
        qsizetype index = -1;
        for (qsizetype i = 0; i < made.size(); ++i)
            if (made[i].first == t.font)
                index = i;
        if (index < 0) {
            const QFont f = twipFont(t.font);
            made.append({t.font, {f, QFontMetricsF(f).ascent()}});
            index = made.size() - 1;
        }
        fontOf << int(index);
    }
    const QString file = QDir(out.path()).filePath(QStringLiteral("bare.pdf"));
    double growth = 0;
    for (auto _ : state) {
        const double before = statusMb("VmRSS:");
        resetPeak();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        QPainter painter(&printer);
        painter.scale(printer.logicalDpiX() / 1440.0, printer.logicalDpiY() / 1440.0);
        int page = 0;
        int current = -1;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const RecordingPage::Text& t = texts[i];
            if (t.text.isEmpty())
                continue;
            while (t.page > page) {
                printer.newPage();
                ++page;
            }
            if (fontOf[i] != current) {
                current = fontOf[i];
                painter.setFont(made[current].second.first);
            }
            painter.drawText(QPointF(t.x, t.y + made[current].second.second), t.text);
        }
        painter.end();
        growth = qMax(growth, statusMb("VmHWM:") - before);
    }
    state.counters["peak_rss_growth_MB"] = growth;
    state.counters["pdf_MB"] = double(QFileInfo(file).size()) / 1e6;
}

constexpr int kMarked = 100'000;

// A fresh copy of the checks to mark, opened, with what the job printed.
struct MarkingCopy {
    MarkingCopy() {
        const QString pristine = oneTimeChecks(kMarked);
        path = pristine + QStringLiteral(".work");
        QFile::remove(path);
        QFile::copy(pristine, path);
        db = Database::open(path);
        // The faces as the job printed them, as the marking compares them.
        const auto rows = db->prepare(QStringLiteral("SELECT * FROM Account WHERE Print = 'Once'"));
        while (rows->step()) {
            const QSqlRecord row = rows->row();
            const CheckFace::Check check(row, CheckDb::Kind::Check,
                                         row.value(QStringLiteral("Date")));
            const qint64 id = check.value(QStringLiteral("ID")).toLongLong();
            printed.once << id;
            printed.onceNumbers << check.value(QStringLiteral("Check")).toString();
            printed.faces.insert(id, CheckFace::fingerprint(check));
        }
        rows->reset();
    }
    ~MarkingCopy() {
        db.reset();
        QFile::remove(path);
    }
    QString path;
    std::shared_ptr<Database> db;
    CheckMarking::Printed printed;
};

void BM_MarkConfirmedRun(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = std::make_unique<MarkingCopy>();
        state.ResumeTiming();
        CheckMarking::markConfirmed(copy->db, copy->printed, QStringLiteral("12/7/2026"));
        state.PauseTiming();
        copy.reset();
        state.ResumeTiming();
    }
    state.counters["checks"] = kMarked;
}

void BM_OneSqlUpdate(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = std::make_unique<MarkingCopy>();
        state.ResumeTiming();
        copy->db->exec(
            QStringLiteral(
                "UPDATE Account SET Print = 'Never', Printed = ?, Comments = 'Printed "
                "this check as #' || ifnull(\"Check\", '') || ' For $' || ifnull(Amount, "
                "'') || ' on ' || ? || '  ' || char(13, 10) || ifnull(Comments, '') "
                "WHERE Print = 'Once'"),
            {QStringLiteral("12/7/2026"), QStringLiteral("12/7/2026")});
        state.PauseTiming();
        copy.reset();
        state.ResumeTiming();
    }
    state.counters["checks"] = kMarked;
}

} // namespace

BENCHMARK(BM_BareQPainterToPdf)->Arg(1000)->Arg(10000)->Apply([](auto* b) {
    BenchData::measured(b);
});
BENCHMARK(BM_CheckJobToPdf)->Arg(1000)->Arg(10000)->Apply([](auto* b) { BenchData::measured(b); });
BENCHMARK(BM_OneSqlUpdate)->Apply([](auto* b) { BenchData::measured(b)->Iterations(3); });
BENCHMARK(BM_MarkConfirmedRun)->Apply([](auto* b) { BenchData::measured(b)->Iterations(3); });

int main(int argc, char** argv) {
    return BenchData::run(argc, argv);
}
