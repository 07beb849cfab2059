#pragma once

#include "core/print/StockOptions.h"

#include <QString>

/// What check printing reads from the settings record of PC.OVL: the printer offsets and
/// the three stock options.
struct PrintSettings {
    qint64 verticalStart = 0;   ///< twips: the top of the first check on every sheet
    qint64 horizontalStart = 0; ///< twips: added to every horizontal position of a check
    StockOptions options;

    /// Reads the settings record of the settings file at `path`. Throws DbError.
    static PrintSettings read(const QString& path);
    /// Stores the three option boxes in the settings record, in one update. Throws DbError.
    static void storeOptions(const QString& path, const StockOptions& options);
};
