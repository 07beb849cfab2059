// Printing to PDF and marking a confirmed run, each against a bare baseline in one run:
//  - a check job of 10,000 checks through the real run and the Qt page, against a bare
//    QPainter loop drawing the same text items at the same places into a PDF (goal: at most
//    1.3 times);
//  - marking 100,000 confirmed one-time checks, against one SQL UPDATE making the same
//    changes (goal: at most 2 times).
#include "BenchData.h"
#include "Goals.h"
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
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>

namespace {

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

void removePdfs(const QString& folder) {
    QDir dir(folder);
    for (const QString& f : dir.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        dir.remove(f);
}

/// The same text at the same places as the check run prints, drawn straight with QPainter.
class BarePainting {
public:
    BarePainting(const QString& database, const QString& settings, const QStringList& fonts,
                 const QString& file)
        : m_file(file) {
        RecordingPrinter recorder(fonts);
        QuietPrompter prompter;
        FixedClock clock(QDate(2026, 12, 7));
        PrintRun(database, settings, recorder, prompter, clock).run(once(), StockOptions());
        m_texts = recorder.jobs().first().page->texts();
        // Fonts and their ascents are ready before any sample.
        for (const RecordingPage::Text& t : m_texts) {
            qsizetype index = -1;
            for (qsizetype i = 0; i < m_fonts.size(); ++i)
                if (m_fonts[i].first == t.font)
                    index = i;
            if (index < 0) {
                const QFont f = twipFont(t.font);
                m_fonts.append({t.font, {f, QFontMetricsF(f).ascent()}});
                index = m_fonts.size() - 1;
            }
            m_fontOf << int(index);
        }
    }

    void paint() const {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_file);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        QPainter painter(&printer);
        painter.scale(printer.logicalDpiX() / 1440.0, printer.logicalDpiY() / 1440.0);
        int page = 0;
        int current = -1;
        for (qsizetype i = 0; i < m_texts.size(); ++i) {
            const RecordingPage::Text& t = m_texts[i];
            if (t.text.isEmpty())
                continue;
            while (t.page > page) {
                printer.newPage();
                ++page;
            }
            if (m_fontOf[i] != current) {
                current = m_fontOf[i];
                painter.setFont(m_fonts[current].second.first);
            }
            painter.drawText(QPointF(t.x, t.y + m_fonts[current].second.second), t.text);
        }
        painter.end();
    }

private:
    QString m_file;
    QList<RecordingPage::Text> m_texts;
    QList<std::pair<PrintFont, std::pair<QFont, double>>> m_fonts;
    QList<int> m_fontOf;
};

// A fresh copy of the checks to mark, opened, with what the job printed.
struct MarkingCopy {
    explicit MarkingCopy(const QString& pristine) {
        path = BenchData::workCopy(pristine, QStringLiteral("marking.mdb"));
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
        // Read as the run reads them: no one else has changed the file since.
        printed.othersVersion = db->othersVersion();
    }
    ~MarkingCopy() {
        db.reset();
        QFile::remove(path);
    }
    QString path;
    std::shared_ptr<Database> db;
    CheckMarking::Printed printed;
};

} // namespace

int main(int argc, char** argv) {
    Goals::start(argc, argv);
    const QString folder = BenchData::programFolder(QStringLiteral("print"));
    const QString settings = QDir(folder).filePath(SettingsDb::kFileName);

    if (Goals::wanted(QStringLiteral("check run"))) {
        const QString database = BenchData::checkDatabase(10'001, BenchData::Checks::AllOnce);
        QTemporaryDir out;
        BenchPrinter printer(out.path());
        QuietPrompter prompter;
        FixedClock clock(QDate(2026, 12, 7));
        const BarePainting bare(database, settings, printer.fonts(),
                                QDir(out.path()).filePath(QStringLiteral("bare.pdf")));
        Goals::measure({QStringLiteral("check run, 10,000 checks to PDF, vs bare QPainter"), 1.3,
                        Goals::timed([&] { removePdfs(out.path()); },
                                     [&] {
                                         PrintRun(database, settings, printer, prompter, clock)
                                             .run(once(), StockOptions());
                                     }),
                        Goals::timed([&] { removePdfs(out.path()); }, [&] { bare.paint(); }), 5});
    }

    if (Goals::wanted(QStringLiteral("marking"))) {
        const QString pristine = BenchData::checkDatabase(100'001, BenchData::Checks::AllOnce);
        std::unique_ptr<MarkingCopy> copy;
        Goals::measure({QStringLiteral("marking, 100,000 confirmed checks, vs one SQL UPDATE"), 2.0,
                        Goals::timed(
                            [&] {
                                copy.reset();
                                copy = std::make_unique<MarkingCopy>(pristine);
                            },
                            [&] {
                                CheckMarking::markConfirmed(copy->db, copy->printed,
                                                            QStringLiteral("12/7/2026"));
                            }),
                        Goals::timed(
                            [&] {
                                copy.reset();
                                copy = std::make_unique<MarkingCopy>(pristine);
                            },
                            [&] {
                                copy->db->exec(QStringLiteral(
                                    "UPDATE Account SET Print = 'Never', Printed = '12/7/2026', "
                                    "Comments = 'Printed this check as #' || ifnull(\"Check\", '') "
                                    "|| ' For $' || ifnull(Amount, '') || ' on 12/7/2026  ' || "
                                    "char(13, 10) || ifnull(Comments, '') WHERE Print = 'Once'"));
                            }),
                        5});
        copy.reset();
    }
    return Goals::finish();
}
