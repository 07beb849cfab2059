#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

/// Amounts in dollars and cents as text, kept exact: never through binary floating point.
///
/// An amount is written as users write it: an optional minus and an optional leading "$"
/// (in either order), digits with or without thousands commas ("1,234" but not "12,34"),
/// and at most two decimals. Blanks around it are allowed. The plain amount stores it with
/// exactly two decimals and nothing else: "$1,234.5" is "1234.50".
namespace AmountText {

/// The most digits before the decimal point: 9,999,999,999,999.99 is the largest amount.
constexpr int kMaxWholeDigits = 13;

/// The plain amount ("1234.50") for a typed amount; nothing when the text is not one.
std::optional<QString> normalise(const QString& text);
/// The same for UTF-8 text, appending the plain amount to `out`; false (and `out`
/// unchanged) when the text is not an amount.
bool appendNormalised(QByteArray& out, QByteArrayView text);

/// A stored amount as a plain number, as spreadsheets read it: no "$", no thousands
/// commas, no trailing zeros ("250.00" is "250", "1,234.50" is "1234.5", "-0.00" is "0").
/// Amounts stored before they were normalised may carry any number of decimals; they are
/// kept to the last digit. Nothing when the stored text is not a number.
std::optional<QString> plainNumber(const QString& stored);
/// The same for UTF-8 text, appending to `out`; false (and `out` unchanged) when the text
/// is not a number.
bool appendPlainNumber(QByteArray& out, QByteArrayView stored);

/// A sum of cents that no number of stored amounts can overflow.
__extension__ typedef __int128 TotalCents;

/// A stored amount in cents, exactly: "1,234.5" is 123450 and "12.340" is 1234. Nothing when
/// the text is not a number, holds a fraction of a cent ("12.345") or has more than
/// kMaxWholeDigits digits before the decimal point.
std::optional<qint64> cents(QByteArrayView stored);
std::optional<qint64> cents(const QString& stored);
/// Cents as dollars with two decimals: "1234.50", or with `grouped` "1,234.50"; negative
/// amounts with a leading minus.
QString fromCents(TotalCents cents, bool grouped = false);

} // namespace AmountText
