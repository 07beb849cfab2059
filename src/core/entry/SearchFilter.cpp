#include "core/entry/SearchFilter.h"

#include "core/platform/Database.h"

namespace {

bool isAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0x7f)
            return false;
    return true;
}

} // namespace

SearchFilter::Query SearchFilter::contains(const QString& field, const QString& text,
                                           bool onServer) {
    const QString column = Database::quote(field);
    // SQLite's LIKE ignores the case of ASCII letters only; it is the fast way for the
    // texts users mostly type. Any other text, and every text on the server (whose LIKE
    // minds the case), goes through the program's own matcher.
    if (isAscii(text) && !onServer) {
        QString pattern = text;
        pattern.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('%'), QStringLiteral("\\%"))
            .replace(QLatin1Char('_'), QStringLiteral("\\_"));
        return {QStringLiteral("%1 LIKE ? ESCAPE '\\'").arg(column),
                {QLatin1Char('%') + pattern + QLatin1Char('%')}};
    }
    // The server takes a number's column as text only when told.
    if (onServer)
        return {QStringLiteral("ledgerline_contains(CAST(%1 AS text), ?)").arg(column), {text}};
    return {QStringLiteral("ledgerline_contains(%1, ?)").arg(column), {text}};
}
