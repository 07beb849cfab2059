#include "core/print/PrintRun.h"

#include "core/entry/MicrText.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/Printer.h"
#include "core/platform/Prompter.h"
#include "core/print/CheckMarking.h"
#include "core/print/LabelMarking.h"
#include "core/print/LabelSheet.h"
#include "core/print/PrintSettings.h"
#include "core/print/PrintWalk.h"
#include "core/print/Stock.h"

#include <QScopeGuard>

const QString PrintRun::kNothingToDoTitle = QStringLiteral("Nothing to do.");
const QString PrintRun::kNothingToDo = QStringLiteral(
    "You have not selected anything to print. Please select the proper check box from the "
    "list for what you want to print. To print blank checks, choose Print Blank Checks from "
    "the upper left menu. ");
const QString PrintRun::kChecksQuestion = QStringLiteral(
    "The print job has been sent to the printer. Wait until the checks are printed and then "
    "answer this question: Did all checks print properly? If you choose YES, all checks "
    "selected to print ONE TIME will be set to don't print. If you choose YES and you notice a "
    "few checks do not print properly, you can reprint checks by changing the How Will This "
    "Check Print option on the data entry screen. ");
const QString PrintRun::kLabelPrompt = QStringLiteral(
    "Load your Avery 5160 labels in your printer now and enter the label number (labels are "
    "numbered down each column) of the first label you want to start printing on or press OK "
    "to choose label 1:");
const QString PrintRun::kLabelsQuestion = QStringLiteral(
    "Did all labels print? If you choose YES, all labels selected to print ONE TIME will be set "
    "to not print again.");
const QString PrintRun::kBlankTitle = QStringLiteral(" ");
const QString PrintRun::kChangedAfterPrinting = QStringLiteral(
    "These checks were changed or deleted at another desk or by another program after they "
    "printed, so what is stored for them is not what is on the paper: %1. They were not marked "
    "as printed and kept their numbers. Look at each on the data-entry screen before the next "
    "run: a one-time check prints again unless it is set to Don't Print, and a check that "
    "prints every time needs a new number, or it prints with the same number again.");

PrintRun::PrintRun(QString databasePath, QString settingsPath, Printer& printer, Prompter& prompter,
                   const Clock& clock)
    : m_databasePath(std::move(databasePath)), m_settingsPath(std::move(settingsPath)),
      m_printer(printer), m_prompter(prompter), m_clock(clock) {}

PrintRun::Outcome PrintRun::run(const PrintSelection& selection, const StockOptions& options) {
    if (!selection.any()) {
        tellNothingToDo(m_prompter);
        return Outcome::NothingToDo;
    }
    m_db = Database::open(m_databasePath);
    const QString bodyFont = PrintFaces::body(m_printer);
    if (selection.checks()) {
        const PrintSettings settings = PrintSettings::read(m_settingsPath);
        switch (PrintWalk::checksReady(m_printer, m_prompter, m_db, selection, settings, options)) {
        case PrintWalk::ChecksReady::Refused:
            return Outcome::Refused;
        case PrintWalk::ChecksReady::NoMicrFont:
            if (!selection.labels())
                return Outcome::Refused;
            break;
        case PrintWalk::ChecksReady::Yes:
            checkJob(selection, options, settings, bodyFont);
            break;
        }
    }
    if (selection.labels())
        labelJob(selection, bodyFont);
    return Outcome::Ended;
}

void PrintRun::tellNothingToDo(Prompter& prompter) {
    prompter.message(kNothingToDo, kNothingToDoTitle);
}

void PrintRun::markOrTell(const std::function<void()>& mark, const QString& what,
                          const QString& notDone) {
    for (;;) {
        try {
            mark();
            return;
        } catch (const DbError& e) {
            // Another program holding the database lets go in a moment; the user decides
            // when to try again, and what stays undone is said exactly when they give up.
            if (!m_prompter.retry(QStringLiteral("The %1 printed, but they could not be marked "
                                                 "as printed. %2\n\nChoose Retry to try again, "
                                                 "or Cancel to leave them unmarked.")
                                      .arg(what, e.message()),
                                  {}, Prompter::Icon::Warning))
                throw DbError(notDone, e.reason());
        }
    }
}

void PrintRun::checkJob(const PrintSelection& selection, const StockOptions& options,
                        const PrintSettings& settings, const QString& bodyFont) {
    m_prompter.message(PrintFaces::kLoadStock, kBlankTitle);

    const QString today = m_clock.todayText();
    PrintWalk::PrintedChecks printed;
    QString notice;
    try {
        // The progress goes before anything else is told.
        const auto shown = qScopeGuard([this] { m_progress->finish(); });
        auto page = m_printer.startJob(QStringLiteral("checks"));
        printed = PrintWalk::checks(*page, m_db, selection, options, settings, bodyFont, today,
                                    *m_progress);
        notice = page->destinationNotice();
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("Printing the checks failed. %1 No check was marked as "
                                     "printed, renumbered or dated; print them again once the "
                                     "printer is ready.")
                          .arg(e.message()));
    }
    const QList<qint64>& once = printed.once;
    const QList<qint64>& monthly = printed.monthly;

    try {
        CheckMarking::dateChecks(m_db, monthly, today);
    } catch (const DbError& e) {
        // The checks are on paper: the user must still be asked whether they printed.
        m_prompter.message(QStringLiteral("The checks printed, but today's date could not be "
                                          "stored in the checks that print every time. %1")
                               .arg(e.message()),
                           {}, Prompter::Icon::Warning);
    }
    PrintFaces::tellDestination(m_prompter, notice);

    if (!m_prompter.question(kChecksQuestion, kBlankTitle, Prompter::Icon::Stop, false))
        return;
    QStringList notDone{QStringLiteral("The checks were not marked as printed.")};
    if (!once.isEmpty())
        notDone << QStringLiteral("These one-time checks still print: %1. Set them to Don't "
                                  "Print on the data-entry screen before you print again, or "
                                  "they will print twice.")
                       .arg(printed.onceNumbers.join(QStringLiteral(", ")));
    if (!monthly.isEmpty())
        notDone << QStringLiteral("These checks that print every time were not given new "
                                  "numbers: %1. Give each a new number on the data-entry "
                                  "screen before the next run, or it prints with the same "
                                  "number again.")
                       .arg(printed.monthlyNumbers.join(QStringLiteral(", ")));
    QStringList changed;
    markOrTell([&] { changed = CheckMarking::markConfirmed(m_db, printed, today); },
               QStringLiteral("checks"), notDone.join(QStringLiteral("\n\n")));
    if (!changed.isEmpty())
        m_prompter.message(kChangedAfterPrinting.arg(changed.join(QStringLiteral(", "))), {},
                           Prompter::Icon::Warning);
}

std::optional<int> PrintRun::askFirstLabel() {
    for (;;) {
        const std::optional<QString> typed = m_prompter.ask(kLabelPrompt, {});
        if (!typed)
            return std::nullopt;
        QString problem;
        const std::optional<int> first = LabelSheet::firstLabel(*typed, &problem);
        if (first)
            return first;
        m_prompter.message(problem, {}, Prompter::Icon::Warning);
    }
}

void PrintRun::labelJob(const PrintSelection& selection, const QString& bodyFont) {
    // Cancel on the label prompt prints no labels.
    const std::optional<int> first = askFirstLabel();
    if (!first)
        return;
    QList<qint64> printed;
    QString notice;
    try {
        auto page = m_printer.startJob(QStringLiteral("labels"));
        printed = PrintWalk::labels(*page, m_db, selection, *first, bodyFont);
        notice = page->destinationNotice();
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("Printing the labels failed. %1 No label was marked as "
                                     "printed; print them again once the printer is ready.")
                          .arg(e.message()));
    }
    PrintFaces::tellDestination(m_prompter, notice);

    if (!m_prompter.question(kLabelsQuestion, kBlankTitle, Prompter::Icon::Stop, false))
        return;
    markOrTell([&] { LabelMarking::markConfirmed(m_db, printed, m_clock.todayText()); },
               QStringLiteral("labels"),
               QStringLiteral("The labels were not marked as printed. They will print again "
                              "with the next labels."));
}
