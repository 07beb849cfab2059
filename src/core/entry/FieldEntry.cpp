#include "core/entry/FieldEntry.h"

#include "core/entry/AmountText.h"
#include "core/entry/FieldRefused.h"
#include "core/entry/MicrText.h"

#include <QRegularExpression>
#include <optional>

bool FieldEntry::isWholeNumber(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*[0-9]{1,18}\\s*$"));
    return re.match(text).hasMatch();
}

namespace {

/// The MICR field a field of the record prints in, if any but the check number (a number
/// has a rule of its own).
std::optional<MicrText::Field> micrField(const QString& field) {
    if (field == QLatin1String("ABA"))
        return MicrText::Field::Routing;
    if (field == QLatin1String("Account"))
        return MicrText::Field::Account;
    return std::nullopt;
}

} // namespace

bool FieldEntry::accepts(const QString& field, const QString& typed) {
    if (typed.isEmpty())
        return true;
    if (field == QLatin1String("Check"))
        return isWholeNumber(typed);
    if (field == QLatin1String("Amount"))
        return AmountText::normalise(typed).has_value();
    if (const auto micr = micrField(field))
        return MicrText::fits(*micr, typed);
    return true;
}

QVariant FieldEntry::convert(const QString& field, const QString& caption, const QString& typed) {
    if (typed.isEmpty())
        return {};
    if (field == QLatin1String("Check")) {
        if (!isWholeNumber(typed))
            throw FieldRefused(
                field, QStringLiteral("%1 must be %2; \"%3\" was not stored.")
                           .arg(caption, MicrText::allowed(MicrText::Field::CheckNumber), typed));
        return typed.trimmed().toLongLong();
    }
    if (field == QLatin1String("Amount")) {
        // Stored plain, as every other way in stores it: the export can write it as a number
        // and every check prints it alike, however the user wrote it.
        const std::optional<QString> plain = AmountText::normalise(typed);
        if (!plain)
            throw FieldRefused(
                field, QStringLiteral("%1 must be an amount in dollars and cents, like 1234.56; "
                                      "\"%2\" was not stored.")
                           .arg(caption, typed));
        return *plain;
    }
    if (const auto micr = micrField(field); micr && !MicrText::fits(*micr, typed))
        // Printed in the MICR line, where anything else is a check the bank cannot read.
        throw FieldRefused(field, QStringLiteral("%1 must be %2, as the MICR line prints it; "
                                                 "\"%3\" was not stored.")
                                      .arg(caption, MicrText::allowed(*micr), typed));
    return typed;
}
