#pragma once

#include "core/print/LayoutRow.h"

struct BlankCheckValues;

/// The check for pre-printed Quicken(tm) compatible business voucher stock: one check at the
/// top of the sheet (the 3-up check with its own MICR routing and account fields), then two
/// voucher stubs that carry the business name and the same check number.
namespace VoucherCheck {

/// The items of one sheet, in printing order: the check, then the two stubs. The check
/// stands at the top of the sheet, so the stubs are one and two check pitches below it.
QList<LayoutRow> rows(const BlankCheckValues& check);

} // namespace VoucherCheck
