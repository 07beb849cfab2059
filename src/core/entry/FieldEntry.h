#pragma once

#include <QString>
#include <QVariant>

/// What a typed text becomes when it is stored into a field of the check record, and
/// whether the field can take it at all. Text is stored as typed; an empty box stores Null.
namespace FieldEntry {

struct Result {
    QVariant value;  ///< what to store (Null for an empty entry)
    QString problem; ///< empty when the entry is fine; otherwise a message naming the field
    bool ok() const { return problem.isEmpty(); }
};

/// `field` is the field's name in table Account; `caption` the name the user knows it by.
Result convert(const QString& field, const QString& caption, const QString& typed);

/// True for a whole number of at most 18 digits, blanks around it allowed.
bool isWholeNumber(const QString& text);

/// True for an amount in dollars and cents as users write it: digits with an optional
/// minus sign, thousands commas and at most two decimals ("1,234.50", "12", "-3.5", ".99").
bool isAmount(const QString& text);

} // namespace FieldEntry
