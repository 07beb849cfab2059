#pragma once

#include <QString>

/// The system's print system (CUPS), asked directly: which printer is the default, whether
/// a queue would print a job now, and handing a job over. Every answer comes from the print
/// system itself; where there is none (no CUPS on this computer), there are no printers.
namespace PrintQueue {

/// The name of the default printer; empty when the computer has no printer.
QString defaultPrinter();

/// True when the print system has a printer of this name.
bool exists(const QString& printer);

/// Throws DbError, naming the printer, when a job sent to it now would not print: it is
/// gone, its queue is stopped (the print system would hold the job without printing it),
/// or it accepts no jobs. `contents` says what the job holds ("checks").
void checkReady(const QString& printer, const QString& contents);

/// Hands the finished PDF file at `path` to the printer's queue. The job is printed, as
/// far as Ledgerline can know, once the print system has accepted it. Throws DbError,
/// naming the printer and the print system's reason, when it refuses the job.
void submit(const QString& printer, const QString& path, const QString& title);

} // namespace PrintQueue
