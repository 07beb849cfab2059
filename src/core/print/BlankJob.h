#pragma once

#include "core/platform/Progress.h"
#include "core/print/BlankPrintSettings.h"
#include "core/print/PrinterOffsets.h"

#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <optional>

class Clock;
class PrintPage;
class Printer;
class Program;
class Prompter;
class RecordSet;

/// What the blank layouts' jobs (blank checks and deposit tickets) share: the prompts they
/// show before printing, the checks of the printer offsets and of the MICR font, and the
/// print job itself. Message boxes without a title of their own bear the program's name.
class BlankJob {
public:
    /// How a job ended. After ProgramEnded the program is ending: the caller does nothing
    /// more.
    enum class Result { Printed, Stopped, ProgramEnded };

    BlankJob(Printer& printer, Prompter& prompter, const Clock& clock, Program& program);
    virtual ~BlankJob();
    BlankJob(const BlankJob&) = delete;
    BlankJob& operator=(const BlankJob&) = delete;

    /// Where the job reports each check or ticket printed (nowhere unless set).
    void setProgress(Progress& progress) { m_progress = &progress; }

protected:
    /// An OK box titled with the program's name.
    void tell(const QString& text);
    /// The load-stock prompt every job on check stock starts with.
    void askToLoadStock();
    /// Tells the user and returns true when `header` is a DRAFT database's header.
    bool refuseDraft(RecordSet& header);
    /// Tells the user and returns true when the MICR line of the template `payer` (and the
    /// `tranCode` after its account number, on deposit tickets) would print something a
    /// bank cannot read; `afterwards` says what was not done and what to correct.
    bool refuseUnreadableMicr(const QSqlRecord& payer, const QString& tranCode,
                              const QString& afterwards);
    /// The offsets as the job uses them, or nothing after telling the user why they cannot
    /// be used. The horizontal start is raised to `leastLeft` when it is smaller; without
    /// one it is used as stored, and one left of the sheet's edge is refused.
    struct Offsets {
        qint64 top;
        qint64 left;
    };
    std::optional<Offsets> offsets(const BlankPrintSettings& settings,
                                   std::optional<qint64> leastLeft,
                                   const PrinterOffsets::Reach& reach);
    /// Looks for the MICR font in the printer's font list and chooses the body font from the
    /// same list. Without the MICR font the program is told to end, after the WARNING box.
    bool micrPresent();
    const QString& bodyFace() const { return m_bodyFace; }
    qint64 askCount(const QString& prompt, const QString& things);

    /// Shows where an ended job went, when it went to a file.
    void tellDestination(const PrintPage& page);
    /// Whether a check (or ticket) this far below the first of its sheet has cut marks
    /// below it: on plain paper, but not the third on 92 mm stock, which is cut at the
    /// sheet's edge.
    static bool cutMarksAt(const StockOptions& options, qint64 pageOffset);

    Printer& m_printer;
    Prompter& m_prompter;
    const Clock& m_clock;
    Program& m_program;
    Progress* m_progress = &Progress::none();

private:
    QString m_bodyFace;
};
