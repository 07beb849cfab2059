#include "core/platform/DbError.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>

DbError::DbError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

DbError DbError::fromSql(const QSqlError& error, const QString& path) {
    return fromEngine(error.databaseText().isEmpty() ? error.text() : error.databaseText(), path);
}

DbError DbError::fromEngine(const QString& raw, const QString& path) {
    const QString file = QFileInfo(path).fileName();
    const QString lower = raw.toLower();

    if (lower.contains("not a database") || lower.contains("malformed") ||
        lower.contains("disk image"))
        return DbError(
            QStringLiteral("The file %1 is damaged or is not a Ledgerline database.").arg(file));
    if (lower.contains("readonly") || lower.contains("read-only"))
        return DbError(
            QStringLiteral("The file %1 is read-only, so Ledgerline cannot save changes to it.")
                .arg(file));
    if (lower.contains("disk is full") || lower.contains("database or disk is full"))
        return DbError(
            QStringLiteral("The disk is full, so Ledgerline cannot save changes to %1.").arg(file));
    if (lower.contains("locked") || lower.contains("busy"))
        return DbError(
            QStringLiteral(
                "The file %1 is in use by another program. Close it there and try again.")
                .arg(file));
    if (lower.contains("unable to open") || lower.contains("cannot open"))
        return DbError(QStringLiteral("Ledgerline cannot open the file %1.").arg(file));

    static const QRegularExpression table(QStringLiteral("no such table: (\\S+)"));
    if (auto m = table.match(raw); m.hasMatch())
        return DbError(
            QStringLiteral("The file %1 has no table %2, so it is not a Ledgerline database.")
                .arg(file, m.captured(1)));
    static const QRegularExpression column(QStringLiteral("no such column: (\\S+)"));
    if (auto m = column.match(raw); m.hasMatch())
        return DbError(
            QStringLiteral("The file %1 has no field %2, so it is not a Ledgerline database.")
                .arg(file, m.captured(1)));
    // Every whole-number field carries a check constraint named after the field.
    static const QRegularExpression check(
        QStringLiteral("CHECK constraint failed: \"?([^\"]+)\"?"));
    if (auto m = check.match(raw); m.hasMatch())
        return DbError(QStringLiteral("%1 must be a whole number.").arg(m.captured(1).trimmed()));

    return DbError(QStringLiteral("Ledgerline could not use the file %1: %2").arg(file, raw));
}
