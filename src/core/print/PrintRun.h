#pragma once

#include "core/platform/Progress.h"
#include "core/print/PrintSelection.h"
#include "core/print/PrintSettings.h"
#include "core/print/StockOptions.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class Database;
class Printer;
class Prompter;

/// One press of Print on the printer control screen: the check job (the selected checks,
/// then the question whether they printed, then marking and renumbering), then the label
/// job (the first label asked for, the labels, the question, the marking).
///
/// The run talks to the user through the prompter. Each job is all or nothing: a job the
/// printer or the PDF file refuses is reported, no question is asked and nothing is
/// marked, numbered or dated; the marking after Yes is one transaction. Such failures end
/// the run by throwing DbError with the message to show.
class PrintRun {
public:
    /// `databasePath` is the check database to print from, `settingsPath` the settings file.
    PrintRun(QString databasePath, QString settingsPath, Printer& printer, Prompter& prompter,
             const Clock& clock);

    enum class Outcome {
        NothingToDo, ///< nothing was selected; the printer control screen stays open
        Refused,     ///< the checks cannot print as set up (MICR font, starting positions,
                     ///< values the MICR line cannot print):
                     ///< the user was told why, nothing printed; the screen stays open
        Ended,       ///< the run is over; the screen returns to data entry
    };

    /// Runs the jobs that `selection` asks for, with the stock `options` of the screen's
    /// boxes. Throws DbError when a job fails, or its marking cannot be stored and the user
    /// gives up trying again.
    Outcome run(const PrintSelection& selection, const StockOptions& options);

    /// Where the check job reports each check printed (nowhere unless set).
    void setProgress(Progress& progress) { m_progress = &progress; }

    /// The "Nothing to do." message, shown wherever the boxes select nothing.
    static void tellNothingToDo(Prompter& prompter);

    static const QString kNothingToDoTitle;
    static const QString kNothingToDo;
    static const QString kChecksQuestion;
    static const QString kLabelPrompt;
    static const QString kLabelsQuestion;
    /// The title of the load-stock prompt and the two questions: one blank.
    static const QString kBlankTitle;
    /// Names the checks the marking left alone: they changed after they printed.
    static const QString kChangedAfterPrinting;

private:
    void checkJob(const PrintSelection& selection, const StockOptions& options,
                  const PrintSettings& settings, const QString& bodyFont);
    void labelJob(const PrintSelection& selection, const QString& bodyFont);
    /// The label to start on; nothing when the user cancels the prompt.
    std::optional<int> askFirstLabel();
    /// Runs `mark` until it succeeds or the user gives up; then throws DbError with
    /// `notDone`, which says what stayed unmarked and what to do. `what`: "checks".
    void markOrTell(const std::function<void()>& mark, const QString& what, const QString& notDone);

    QString m_databasePath;
    QString m_settingsPath;
    Printer& m_printer;
    Prompter& m_prompter;
    const Clock& m_clock;
    std::shared_ptr<Database> m_db;
    Progress* m_progress = &Progress::none();
};
