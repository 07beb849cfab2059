#pragma once

#include "core/print/LayoutRow.h"

struct BlankCheckValues;

/// The regular blank business check: payer and bank blocks, the printed captions and rules,
/// the check number and a complete MICR line, for plain check stock or plain paper.
namespace RegularBlankCheck {

/// The items of one check, in printing order.
QList<LayoutRow> rows(const BlankCheckValues& check);

} // namespace RegularBlankCheck
