#pragma once

#include "core/print/PrinterOffsets.h"
#include "core/print/StockOptions.h"

#include <QString>

class PrintPage;

/// Where each check of a job goes on the sheets: three checks a sheet (two when asked, on
/// 92 mm stock), the first at the vertical start and each next one a check pitch lower; a
/// new sheet after the last check of each sheet. Positions are wide integers in twips.
class CheckPlacement {
public:
    CheckPlacement(const StockOptions& options, qint64 verticalStart);

    /// The top of the check to print now.
    qint64 checkTop() const { return m_verticalStart + m_pageOffset; }
    /// How far the check to print now lies below the first check of its sheet.
    qint64 pageOffset() const { return m_pageOffset; }
    const StockGeometry& stock() const { return m_stock; }

    /// On plain paper, the two cut marks ("-") below the check printed now: at x 0 and
    /// 10500, whatever the horizontal start; not below the third check of a sheet.
    void printCutMarks(PrintPage& page, const QString& bodyFont) const;
    /// Moves on to the place of the next check, starting a new sheet after the last check
    /// of a sheet.
    void advance(PrintPage& page);

    /// How far the checks of a job with these options reach from the starting positions,
    /// for the check of those positions against the Letter sheet.
    static PrinterOffsets::Reach reach(const StockOptions& options);

    static constexpr int kCutMarkRightX = 10500;

private:
    StockGeometry m_stock;
    bool m_twoASheet;
    bool m_plainPaper;
    qint64 m_verticalStart;
    qint64 m_pageOffset = 0;
};
