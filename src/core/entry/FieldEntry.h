#pragma once

#include <QString>
#include <QVariant>

/// What a typed text becomes when it is stored into a field of the check record, and
/// whether the field can take it at all. Text is stored as typed, an amount as the plain
/// amount ("$1,234.5" is stored "1234.50"); an empty box stores Null.
namespace FieldEntry {

/// The text of one box as the user left it.
struct Typed {
    QString field;   ///< the field's name in table Account
    QString caption; ///< the name the user knows the field by
    QString text;
};

/// True when `field` can take `typed` (an empty text always: it stores Null).
bool accepts(const QString& field, const QString& typed);

/// The value to store for `typed` (Null for an empty text). Throws FieldRefused, naming
/// the field by `caption`, when the field cannot take it.
QVariant convert(const QString& field, const QString& caption, const QString& typed);

/// True for a whole number from 0 up of at most 18 digits, blanks around it allowed: what a
/// check number may be.
bool isWholeNumber(const QString& text);

} // namespace FieldEntry
