#pragma once

#include "core/print/BlankJob.h"

/// Prints blank checks from the template record of a CHECK database: any number of checks
/// that carry everything but payee, amount, date and signature, numbered on from the
/// database's numbering. Three layouts share the job: the regular blank check, Quicken(tm)
/// compatible 3-up checks and Quicken(tm) compatible business voucher checks; the Quicken
/// layouts print only on 88 mm stock.
///
/// The job asks everything it needs before it prints anything. The numbers it uses are
/// written (the template's `Check` and a run line at the top of its `Comments`, the header's
/// `LastCheck`) in one transaction, and only once the printer or the PDF file has taken the
/// whole job: a job that fails uses up no numbers.
class BlankCheckJob : public BlankJob {
public:
    enum class Layout { Regular, Quicken3Up, Voucher };

    using BlankJob::BlankJob;

    /// Runs the job on the check database at `databasePath` with the settings and option
    /// boxes as they are now. Throws DbError, with a message to show as it stands, when the
    /// database cannot be read or written (before anything is printed), the printer or the
    /// PDF file refuses the job (nothing is written then), or the numbers of printed checks
    /// cannot be written.
    Result run(Layout layout, const QString& databasePath, const BlankPrintSettings& settings);
};
