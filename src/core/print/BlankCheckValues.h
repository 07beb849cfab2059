#pragma once

#include "core/print/Stock.h"

#include <QSqlRecord>
#include <QString>

/// What one blank check (or deposit ticket) is laid out from: the template record, the
/// job's body font, where the check stands on the sheet and the number it carries. Twips.
struct BlankCheckValues {
    QSqlRecord payer;  ///< the template record
    QString bodyFace;  ///< Times New Roman or Helv
    qint64 left = 0;   ///< the horizontal start as the job uses it
    qint64 top = 0;    ///< the check top: vertical start + page offset
    qint64 number = 0; ///< the check number (blank checks only)
    StockGeometry stock = StockGeometry::mm88();
    bool cutMarks = false; ///< this check gets the plain-paper cut marks
};
