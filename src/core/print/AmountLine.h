#pragma once

#include "core/platform/PrintPage.h"

/// The amount as a check shows it: "**$", the stored value, "**". The value prints as
/// stored (an amount kept as text prints as typed); there is no amount in words.
namespace AmountLine {

QList<PrintItem> items(const QVariant& amount);

} // namespace AmountLine
