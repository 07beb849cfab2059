#include "core/print/PrintPreview.h"

#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/Printer.h"
#include "core/platform/Prompter.h"
#include "core/print/PrintCounts.h"
#include "core/print/PrintRun.h"
#include "core/print/PrintSettings.h"
#include "core/print/PrintWalk.h"
#include "core/print/Stock.h"

const QString PrintPreview::kNothingSelected = QStringLiteral(
    "There is nothing to preview: no check or label in this database is selected to print by "
    "the boxes you checked.");

PrintPreview::PrintPreview(QString databasePath, QString settingsPath, const Printer& printer,
                           Prompter& prompter, const Clock& clock)
    : m_databasePath(std::move(databasePath)), m_settingsPath(std::move(settingsPath)),
      m_printer(printer), m_prompter(prompter), m_clock(clock) {}

bool PrintPreview::ready(const PrintSelection& selection, const StockOptions& options) {
    if (!selection.any()) {
        PrintRun::tellNothingToDo(m_prompter);
        return false;
    }
    // Where Print would refuse the checks it prints nothing at all, labels included; without
    // the MICR font it prints the labels alone.
    m_checks = selection.checks();
    if (m_checks) {
        switch (PrintWalk::checksReady(m_printer, m_prompter, Database::open(m_databasePath),
                                       selection, PrintSettings::read(m_settingsPath), options)) {
        case PrintWalk::ChecksReady::Refused:
            return false;
        case PrintWalk::ChecksReady::NoMicrFont:
            if (!selection.labels())
                return false;
            m_checks = false;
            break;
        case PrintWalk::ChecksReady::Yes:
            break;
        }
    }
    const PrintCounts counts = PrintCounts::count(m_databasePath);
    if ((m_checks ? counts.checks(selection) : 0) + counts.labels(selection) == 0) {
        m_prompter.message(kNothingSelected);
        return false;
    }
    return true;
}

void PrintPreview::render(Printer& pages, const PrintSelection& selection,
                          const StockOptions& options) {
    auto db = Database::open(m_databasePath);
    const QString bodyFont = PrintFaces::body(m_printer);
    if (m_checks && selection.checks()) {
        const PrintSettings settings = PrintSettings::read(m_settingsPath);
        auto page = pages.startJob(QStringLiteral("checks"));
        PrintWalk::checks(*page, db, selection, options, settings, bodyFont, m_clock.todayText());
    }
    if (selection.labels()) {
        auto page = pages.startJob(QStringLiteral("labels"));
        PrintWalk::labels(*page, db, selection, 1, bodyFont);
    }
}
