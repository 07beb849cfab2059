#include "core/print/CheckPlacement.h"

#include "core/platform/PrintPage.h"

namespace {

// The Letter sheet, portrait, in twips.
constexpr qint64 kSheetWidth = 12240;
constexpr qint64 kSheetHeight = 15840;
// From the horizontal start to the right end of the check number and date column.
constexpr qint64 kCheckWidth = 10800;
// Height of the 12-point MICR line and of the 10-point cut marks.
constexpr qint64 kMicrHeight = 240;
constexpr qint64 kCutMarkHeight = 200;
// A check this far below the first of its sheet or more is the third, which has no cut
// marks: the bottom of the sheet is its lower edge.
constexpr qint64 kLastOfThree = 8000;

} // namespace

CheckPlacement::CheckPlacement(const StockOptions& options, qint64 verticalStart)
    : m_stock(options.geometry()), m_twoASheet(options.twoChecksASheet()),
      m_plainPaper(options.plainPaper), m_verticalStart(verticalStart) {}

void CheckPlacement::printCutMarks(PrintPage& page, const QString& bodyFont) const {
    if (!m_plainPaper || m_pageOffset >= kLastOfThree)
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
    const bool sheetFull = m_twoASheet ? m_pageOffset > 5000 : m_pageOffset > kLastOfThree;
    if (sheetFull) {
        m_pageOffset = 0;
        page.newPage();
    } else {
        m_pageOffset += m_stock.pitch;
    }
}

QString CheckPlacement::positionProblem(const StockOptions& options, qint64 verticalStart,
                                        qint64 horizontalStart) {
    const StockGeometry stock = options.geometry();
    // The lowest thing printed on a sheet: the MICR line of its last check, or on plain
    // paper with two checks a sheet the cut marks of the second.
    const qint64 lastTop = qint64(options.checksPerSheet() - 1) * stock.pitch;
    qint64 bottom = lastTop + stock.micrRow + kMicrHeight;
    if (options.plainPaper && lastTop < kLastOfThree)
        bottom = qMax(bottom, lastTop + stock.cutMarkRow + kCutMarkHeight);
    const qint64 maxVertical = kSheetHeight - bottom;
    const qint64 maxHorizontal = kSheetWidth - kCheckWidth;

    QStringList problems;
    if (verticalStart < 0 || verticalStart > maxVertical)
        problems << QStringLiteral("The vertical starting position %1 would put checks %2 the "
                                   "sheet. Set it to a number from 0 to %3.")
                        .arg(verticalStart)
                        .arg(verticalStart < 0 ? QStringLiteral("above the top of")
                                               : QStringLiteral("below the bottom of"))
                        .arg(maxVertical);
    if (horizontalStart < 0 || horizontalStart > maxHorizontal)
        problems << QStringLiteral("The horizontal starting position %1 would put checks %2 the "
                                   "sheet. Set it to a number from 0 to %3.")
                        .arg(horizontalStart)
                        .arg(horizontalStart < 0 ? QStringLiteral("past the left edge of")
                                                 : QStringLiteral("past the right edge of"))
                        .arg(maxHorizontal);
    if (problems.isEmpty())
        return {};
    return QStringLiteral("The checks were not printed. ") + problems.join(QLatin1Char(' ')) +
           QStringLiteral(" Choose Align Printer on the printer control screen to correct this.");
}
