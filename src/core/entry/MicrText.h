#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

/// What the MICR line of a check may hold. A bank's reader-sorter knows only the E-13B
/// characters: the digits, the blank and four symbols, which the MICR font prints for "A"
/// (transit), "B" (amount), "C" (on-us) and "D" or "-" (dash). Each field of the line takes
/// fewer still: a routing number is digits only; an account number or a tran code digits,
/// blanks and dashes. Anything else would print in a stand-in font, or as a symbol in the
/// wrong place, and the bank could not read the check.
namespace MicrText {

enum class Field { CheckNumber, Routing, Account, TranCode };

/// True when `text` holds only what `field` may print (the empty text always).
bool fits(Field field, const QString& text);

/// The field as the user knows it, in lower case: "check number", "routing number" ...
QString name(Field field);

/// What `field` may hold, in words: "digits only", "digits, blanks, D and - only".
QString allowed(Field field);

/// The line naming one value that cannot print: `who` ("Check #1043"), the field and the
/// value as stored.
QString refusedValue(const QString& who, Field field, const QString& value);

/// Who a check is in such a line: "Check #1043", or by record number without a number.
QString whoIs(const QVariant& check, qint64 id);

/// The one message that stops a print job whose MICR lines would print `refused` (lines
/// made by refusedValue); `afterwards` says what did not happen and what to do ("Nothing
/// was printed, marked or numbered. Correct ..."). Long lists are cut after a screenful,
/// with the count of the rest.
QString refusal(const QStringList& refused, const QString& afterwards);

} // namespace MicrText
