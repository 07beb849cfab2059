#pragma once

#include "core/print/StockOptions.h"

#include <QString>
#include <QVariant>

/// What a blank-check or deposit-ticket job reads from the settings record and from the
/// printer control screen's option boxes at the moment it starts. The offsets are kept as
/// stored, so that a job can refuse one that is missing or no whole number.
struct BlankPrintSettings {
    QVariant verticalStart;   ///< AlignStart (twips)
    QVariant horizontalStart; ///< field 5 (twips)
    QString tranCode;         ///< field 1: printed after the account on deposit tickets
    StockOptions options;     ///< the option boxes as they are now

    /// The settings record of the settings file at `path`, with the options as stored.
    /// Throws DbError.
    static BlankPrintSettings read(const QString& path);
};
