#pragma once

#include "core/platform/Progress.h"
#include "core/print/PrintSelection.h"

#include <QString>

/// How many checks and labels each selection box of the printer control screen would
/// print from a check database: what the user loads into the printer. The counts follow
/// the same rules as the Print run, the template record included.
struct PrintCounts {
    qint64 once = 0;          ///< checks whose Print is "Once"
    qint64 monthly = 0;       ///< checks whose Print is "Monthly"
    qint64 oneTimeLabels = 0; ///< labels wanted on checks whose Print is "Once" or "Never"
    qint64 monthlyLabels = 0; ///< labels wanted on checks whose Print is "Monthly"

    /// What a press of Print with `selection` would put on paper: checks and labels.
    qint64 checks(const PrintSelection& selection) const;
    qint64 labels(const PrintSelection& selection) const;

    /// Counts the rows of the check database at `path` in one pass, reporting the records
    /// read to `progress`. Throws DbError.
    static PrintCounts count(const QString& path, Progress& progress = Progress::none());
};
