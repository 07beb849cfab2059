#pragma once

#include "core/print/Stock.h"

class RecordSet;

/// How checks go on paper: the three option boxes of the printer control screen, stored
/// in the settings record.
struct StockOptions {
    bool use88mm = true;     ///< 88 mm check stock (else 92 mm)
    bool twoPerPage = false; ///< only two checks a sheet; has no effect on 88 mm stock
    bool plainPaper = false; ///< plain paper: cut marks below the checks

    StockGeometry geometry() const { return StockGeometry::forOption(use88mm); }
    /// Two checks a sheet apply only to 92 mm stock.
    bool twoChecksASheet() const { return twoPerPage && !use88mm; }
    int checksPerSheet() const { return twoChecksASheet() ? 2 : 3; }

    /// The options as the settings record `settings` (on its row) holds them.
    static StockOptions stored(const RecordSet& settings);
    /// Sets them in the settings record `settings`, which is being edited.
    void store(RecordSet& settings) const;
};
