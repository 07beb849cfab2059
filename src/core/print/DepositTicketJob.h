#pragma once

#include "core/print/BlankJob.h"

/// Prints blank deposit tickets for the user's own account from the template record of a
/// CHECK database, three to a sheet, with the bank's tran code after the account number in
/// the MICR line. Tickets carry no number: the job writes nothing.
class DepositTicketJob : public BlankJob {
public:
    using BlankJob::BlankJob;

    /// Runs the job on the check database at `databasePath` with the settings and option
    /// boxes as they are now. Throws DbError, with a message to show as it stands, when the
    /// database cannot be read or the printer or the PDF file refuses the job.
    Result run(const QString& databasePath, const BlankPrintSettings& settings);
};
