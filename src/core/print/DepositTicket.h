#pragma once

#include "core/print/LayoutRow.h"

struct BlankCheckValues;

/// A blank deposit ticket for the user's own account: depositor and bank blocks, the
/// caption with a date rule, the ruled amount grid and a MICR line that ends in the bank's
/// tran code. Three to a sheet.
namespace DepositTicket {

/// The items of one ticket, in printing order (the number of `ticket` is not used).
QList<LayoutRow> rows(const BlankCheckValues& ticket, const QString& tranCode);

/// Prints one ticket: its items and, after the cut marks, the amount grid.
void print(PrintPage& page, const BlankCheckValues& ticket, const QString& tranCode);

/// The amount grid: four rows and three columns, at fixed places of the sheet, the two
/// lowest rules drawn thicker. Drawn with the page's line width.
void drawGrid(PrintPage& page, double top);

} // namespace DepositTicket
