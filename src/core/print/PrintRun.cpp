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
        if (!PrintWalk::checksCanPrint(m_printer, m_prompter, settings, options))
            return Outcome::Refused;
        // A check whose MICR line the bank cannot read is worth nothing printed: the whole
        // job waits until every such value is corrected.
        if (const QStringList refused = PrintWalk::unreadableMicr(m_db, selection);
            !refused.isEmpty()) {
            m_prompter.message(
                MicrText::refusal(refused, QStringLiteral("Nothing was printed, marked or "
                                                          "numbered. Correct these checks on the "
                                                          "data-entry screen and print again.")),
                {}, Prompter::Icon::Warning);
            return Outcome::Refused;
        }
        checkJob(selection, options, settings, bodyFont);
    }
    if (selection.labels())
        labelJob(selection, bodyFont);
    return Outcome::Ended;
}

void PrintRun::tellNothingToDo(Prompter& prompter) {
    prompter.message(kNothingToDo, kNothingToDoTitle);
}

void PrintRun::checkJob(const PrintSelection& selection, const StockOptions& options,
                        const PrintSettings& settings, const QString& bodyFont) {
    m_prompter.message(PrintFaces::kLoadStock, kBlankTitle);

    const QString today = m_clock.todayText();
    PrintWalk::PrintedChecks printed;
    QString notice;
    try {
        auto page = m_printer.startJob(QStringLiteral("checks"));
        printed = PrintWalk::checks(*page, m_db, selection, options, settings, bodyFont, today);
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
    try {
        CheckMarking::markConfirmed(m_db, once, monthly, today);
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("The checks printed, but they could not be marked as "
                                     "printed. %1 No check was marked or renumbered: before you "
                                     "print again, set the checks that printed to Don't Print on "
                                     "the data-entry screen, or they will print twice.")
                          .arg(e.message()));
    }
}

int PrintRun::askFirstLabel() {
    for (;;) {
        QString problem;
        const std::optional<int> first =
            LabelSheet::firstLabel(m_prompter.input(kLabelPrompt, {}), &problem);
        if (first)
            return *first;
        m_prompter.message(problem, {}, Prompter::Icon::Warning);
    }
}

void PrintRun::labelJob(const PrintSelection& selection, const QString& bodyFont) {
    const int first = askFirstLabel();
    QList<qint64> printed;
    QString notice;
    try {
        auto page = m_printer.startJob(QStringLiteral("labels"));
        printed = PrintWalk::labels(*page, m_db, selection, first, bodyFont);
        notice = page->destinationNotice();
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("Printing the labels failed. %1 No label was marked as "
                                     "printed; print them again once the printer is ready.")
                          .arg(e.message()));
    }
    PrintFaces::tellDestination(m_prompter, notice);

    if (!m_prompter.question(kLabelsQuestion, kBlankTitle, Prompter::Icon::Stop, false))
        return;
    try {
        LabelMarking::markConfirmed(m_db, printed, m_clock.todayText());
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("The labels printed, but they could not be marked as "
                                     "printed. %1 They will print again with the next labels.")
                          .arg(e.message()));
    }
}
