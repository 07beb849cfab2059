#pragma once

#include "core/print/LayoutRow.h"

struct BlankCheckValues;

/// The check for pre-printed Quicken(tm) compatible 3-up stock, which carries its own rules:
/// payer and bank blocks, short captions, a dollar sign, a signature rule, the check number
/// and the MICR line. Always on 88 mm stock.
namespace QuickenCheck {

/// The items of one check, in printing order; item k of the layout is row k - 1.
QList<LayoutRow> rows(const BlankCheckValues& check);

} // namespace QuickenCheck
