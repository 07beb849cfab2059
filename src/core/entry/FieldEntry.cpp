#include "core/entry/FieldEntry.h"

#include "core/entry/FieldRefused.h"

#include <QRegularExpression>

bool FieldEntry::isWholeNumber(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*-?[0-9]{1,18}\\s*$"));
    return re.match(text).hasMatch();
}

bool FieldEntry::isAmount(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*-?(?:[0-9]{1,3}(?:,[0-9]{3})+|[0-9]+)?(?:\\.[0-9]{0,2})?\\s*$"));
    return re.match(text).hasMatch() && text.contains(QRegularExpression(QStringLiteral("[0-9]")));
}

bool FieldEntry::accepts(const QString& field, const QString& typed) {
    if (typed.isEmpty())
        return true;
    if (field == QLatin1String("Check"))
        return isWholeNumber(typed);
    if (field == QLatin1String("Amount"))
        return isAmount(typed);
    return true;
}

QVariant FieldEntry::convert(const QString& field, const QString& caption, const QString& typed) {
    if (typed.isEmpty())
        return {};
    if (field == QLatin1String("Check")) {
        if (!isWholeNumber(typed))
            throw FieldRefused(field,
                               QStringLiteral("%1 must be a whole number; \"%2\" was not stored.")
                                   .arg(caption, typed));
        return typed.trimmed().toLongLong();
    }
    if (field == QLatin1String("Amount")) {
        if (!isAmount(typed))
            throw FieldRefused(
                field, QStringLiteral("%1 must be an amount in dollars and cents, like 1234.56; "
                                      "\"%2\" was not stored.")
                           .arg(caption, typed));
        // The amount is kept exactly as written, so what prints is what was typed.
        return typed.trimmed();
    }
    return typed;
}
