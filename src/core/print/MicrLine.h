#pragma once

#include "core/platform/PrintPage.h"

/// The MICR line of a check printed from the database: three fields in the MICR font, each
/// printed on its own at the MICR row. In the MICR font "A" is the transit symbol, "C" the
/// on-us symbol and "D" the dash; values print exactly as stored.
namespace MicrLine {

/// x of each field from the horizontal start, twips. Every layout's MICR line puts its fields
/// here. A reader-sorter finds characters on one 0.125-inch (180-twip) pitch across the whole
/// line, so the check number and the account number stand a whole number of cells from
/// the routing number: 10 cells before it (on-us, six digits, on-us, two blanks) and 13
/// after it (transit, nine digits, transit, two blanks).
constexpr int kCheckNumberX = 1530;
constexpr int kRoutingX = 3330;
constexpr int kAccountX = 5670;
constexpr double kSize = 12;

/// On-us symbol, the check number (a number, with its blanks), on-us symbol, two blanks.
QList<PrintItem> checkNumberField(const QVariant& check);
/// Transit symbol, the routing number, transit symbol, two blanks.
QList<PrintItem> routingField(const QVariant& aba);
/// The account number, on-us symbol, three blanks.
QList<PrintItem> accountField(const QVariant& account);

} // namespace MicrLine
