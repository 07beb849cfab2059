#include "core/print/CheckPlacement.h"

#include "core/platform/PrintPage.h"

CheckPlacement::CheckPlacement(const StockOptions& options, qint64 verticalStart)
    : m_stock(options.geometry()), m_twoASheet(options.twoChecksASheet()),
      m_plainPaper(options.plainPaper), m_verticalStart(verticalStart) {}

void CheckPlacement::printCutMarks(PrintPage& page, const QString& bodyFont) const {
    if (!m_plainPaper || m_pageOffset >= StockGeometry::kLastOfThree)
        return;
    page.setFontName(bodyFont);
    page.setFontSize(10);
    page.setBold(false);
    page.setItalic(false);
    const qint64 y = checkTop() + m_stock.cutMarkRow;
    for (int x : {0, kCutMarkRightX}) {
        page.setCurrentX(x);
        page.setCurrentY(double(y));
        page.print({"-"});
    }
}

void CheckPlacement::advance(PrintPage& page) {
    const bool sheetFull =
        m_twoASheet ? m_pageOffset > 5000 : m_pageOffset > StockGeometry::kLastOfThree;
    if (sheetFull) {
        m_pageOffset = 0;
        page.newPage();
    } else {
        m_pageOffset += m_stock.pitch;
    }
}

PrinterOffsets::Reach CheckPlacement::reach(const StockOptions& options) {
    // The third check of a sheet has no cut marks: the bottom of the sheet is its lower
    // edge. With two checks a sheet the second has them.
    const int perSheet = options.checksPerSheet();
    const bool cutMarks = options.plainPaper && qint64(perSheet - 1) * options.geometry().pitch <
                                                    StockGeometry::kLastOfThree;
    return {PrinterOffsets::below(options.geometry(), perSheet, cutMarks),
            PrinterOffsets::kCheckWidth, QStringLiteral("checks"), QStringLiteral("The checks")};
}
