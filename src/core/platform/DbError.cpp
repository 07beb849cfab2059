#include "core/platform/DbError.h"

#include "core/platform/ServerLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>

namespace {

// Constant-initialized, so a layer may set it from its own static initializers.
constinit DbError::DamageWording damageWording = nullptr;

QString folderOf(const QFileInfo& info) {
    return QDir::toNativeSeparators(info.absolutePath());
}

// The engine refuses to write to a file that was taken from under it, and says only that
// it is read-only; what the user can act on is that the file is gone.
DbError moved(const QFileInfo& info) {
    return DbError(DbError::movedMessage(info.filePath()), DbError::Reason::ReadOnly);
}

} // namespace

DbError::DbError(QString message, Reason reason)
    : m_message(std::move(message)), m_reason(reason), m_utf8(m_message.toUtf8()) {}

DbError DbError::fromSql(const QSqlError& error, const QString& path) {
    if (path.isEmpty() || ServerLocation::is(path))
        return fromServer(error, path);
    return fromEngine(error.databaseText().isEmpty() ? error.text() : error.databaseText(), path);
}

QString DbError::lostMessage(const QString& location) {
    return QStringLiteral("The connection to the database server was lost while Ledgerline had "
                          "the database %1 open, so Ledgerline cannot save changes to it.")
        .arg(ServerLocation::name(location));
}

DbError DbError::fromServer(const QSqlError& error, const QString& location) {
    // The server names its failures by their SQLSTATE; a connection that fails before any
    // statement has only the client library's words.
    const QString state = error.nativeErrorCode();
    const QString raw =
        (error.databaseText().isEmpty() ? error.driverText() : error.databaseText()).trimmed();
    const QString lower = raw.toLower();
    const QString what =
        location.isEmpty()
            ? QStringLiteral("the database server")
            : QStringLiteral("the database %1 on the server").arg(ServerLocation::name(location));
    if (state == QLatin1String("28P01") || state == QLatin1String("28000") ||
        lower.contains(QLatin1String("password authentication failed")) ||
        lower.contains(QLatin1String("no password supplied")))
        return DbError(QStringLiteral("The database server did not accept the user name and "
                                      "password, so %1 was not opened.")
                           .arg(what),
                       Reason::NoPermission);
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")) ||
        lower.contains(QLatin1String("server closed the connection")) ||
        lower.contains(QLatin1String("no connection to the server")) ||
        lower.contains(QLatin1String("connection to server")) ||
        lower.contains(QLatin1String("could not connect")) ||
        lower.contains(QLatin1String("terminating connection")))
        return location.isEmpty() || error.type() == QSqlError::ConnectionError
                   ? DbError(QStringLiteral("The database server could not be reached, so %1 was "
                                            "not opened. Check that the server is running and "
                                            "that the settings in File - Program Setup are "
                                            "right. (%2)")
                                 .arg(what, raw),
                             Reason::Lost)
                   : DbError(lostMessage(location), Reason::Lost);
    if (state == QLatin1String("3D000"))
        return DbError(QStringLiteral("The database server has no database named in the "
                                      "settings of File - Program Setup. (%1)")
                           .arg(raw),
                       Reason::NotADatabase);
    if (state == QLatin1String("55P03") || state == QLatin1String("40P01") ||
        state == QLatin1String("40001"))
        return DbError(QStringLiteral("The database is in use by another desk; try again in a "
                                      "moment. If %1 stays in use, ask the other desk to finish "
                                      "what it is doing first.")
                           .arg(location.isEmpty() ? what : ServerLocation::name(location)),
                       Reason::Busy);
    if (state == QLatin1String("53100"))
        return DbError(QStringLiteral("The database server's disk is full, so Ledgerline cannot "
                                      "save changes to %1.")
                           .arg(what),
                       Reason::DiskFull);
    if (state == QLatin1String("25006") || state == QLatin1String("42501"))
        return DbError(
            QStringLiteral("The database server does not let this user change %1.").arg(what),
            Reason::ReadOnly);
    if (state == QLatin1String("42P01") || state == QLatin1String("3F000"))
        return DbError(QStringLiteral("Ledgerline finds no check database in %1.").arg(what),
                       Reason::NotADatabase);
    if (state == QLatin1String("22P02") || state == QLatin1String("22003"))
        return DbError(QStringLiteral("A value does not fit its field in %1. (%2)").arg(what, raw));
    return DbError(QStringLiteral("Ledgerline could not use %1: %2").arg(what, raw));
}

void DbError::setDamageWording(DamageWording wording) {
    damageWording = wording;
}

QString DbError::damagedMessage(const QString& path) {
    if (damageWording)
        if (QString words = damageWording(path); !words.isEmpty())
            return words;
    const QFileInfo info(path);
    const QString file = info.fileName();
    if (file.compare(QStringLiteral("PC.OVL"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("The settings file %1 in the program folder %2 is damaged. Copy "
                              "PC.OVL from your Ledgerline installation into that folder, then "
                              "start Ledgerline again.")
            .arg(file, folderOf(info));
    return QStringLiteral("The file %1 in the program folder %2 is damaged.")
        .arg(file, folderOf(info));
}

QString DbError::movedMessage(const QString& path) {
    if (ServerLocation::is(path))
        return lostMessage(path);
    const QFileInfo info(path);
    return QStringLiteral("The file %1 has been moved, renamed or deleted from the program "
                          "folder %2 while Ledgerline had it open, so Ledgerline cannot save "
                          "changes to it.")
        .arg(info.fileName(), folderOf(info));
}

QString DbError::busyMessage(const QString& path) {
    return QStringLiteral("The database is in use by another program; try again in a moment. "
                          "If %1 stays in use, close the other program first.")
        .arg(QFileInfo(path).fileName());
}

QString DbError::unreadableMessage(const QString& path) {
    return QStringLiteral("Ledgerline may not read the file %1. Check the file's permissions.")
        .arg(QFileInfo(path).fileName());
}

DbError DbError::fromCode(int code, const QString& raw, const QString& path) {
    const QString file = QFileInfo(path).fileName();
    switch (code) {
    case SQLITE_READONLY_DBMOVED:
        return moved(QFileInfo(path));
    case SQLITE_READONLY_ROLLBACK:
    case SQLITE_READONLY_DIRECTORY:
        // A change was cut short by a crash and only a writer can undo it. Nothing is
        // lost: the journal beside the file still holds what the change overwrote.
        return DbError(QStringLiteral("The file %1 was left unfinished when Ledgerline or the "
                                      "computer stopped during a change, and Ledgerline may not "
                                      "write to it or its folder to undo that change. Let "
                                      "Ledgerline write to %1 and its folder, then try again.")
                           .arg(file),
                       Reason::ReadOnly);
    default:
        break;
    }
    switch (code & 0xff) {
    case SQLITE_CORRUPT:
        return DbError(damagedMessage(path), Reason::Damaged);
    case SQLITE_NOTADB:
        return DbError(
            QStringLiteral("The file %1 is damaged or is not a Ledgerline database.").arg(file),
            Reason::NotADatabase);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbError(busyMessage(path), Reason::Busy);
    default:
        return fromEngine(raw, path);
    }
}

DbError DbError::fromEngine(const QString& raw, const QString& path) {
    const QFileInfo info(path);
    const QString file = info.fileName();
    const QString lower = raw.toLower();

    if (lower.contains("malformed") || lower.contains("corrupt"))
        return DbError(damagedMessage(path), Reason::Damaged);
    if (lower.contains("not a database") || lower.contains("disk image"))
        return DbError(
            QStringLiteral("The file %1 is damaged or is not a Ledgerline database.").arg(file),
            Reason::NotADatabase);
    if ((lower.contains("readonly") || lower.contains("read-only")) && !info.exists())
        return moved(info);
    if (lower.contains("readonly") || lower.contains("read-only")) {
        // A change needs a journal beside the file: a writable file in a folder Ledgerline
        // may not write in cannot be changed either, and the file is not what to look at.
        if (info.isWritable() && !QFileInfo(info.absolutePath()).isWritable())
            return DbError(QStringLiteral("Ledgerline may not write in the folder %2 that holds "
                                          "%1, so it cannot save changes to %1. Let Ledgerline "
                                          "write in that folder, then try again.")
                               .arg(file, folderOf(info)),
                           Reason::ReadOnly);
        return DbError(
            QStringLiteral("The file %1 is read-only, so Ledgerline cannot save changes to it.")
                .arg(file),
            Reason::ReadOnly);
    }
    if (lower.contains("disk is full") || lower.contains("database or disk is full"))
        return DbError(
            QStringLiteral("The disk is full, so Ledgerline cannot save changes to %1.").arg(file),
            Reason::DiskFull);
    if (lower.contains("locked") || lower.contains("busy"))
        return DbError(busyMessage(path), Reason::Busy);
    if (lower.contains("permission denied"))
        return DbError(unreadableMessage(path), Reason::NoPermission);
    if (lower.contains("unable to open") || lower.contains("cannot open")) {
        // The engine says the same for a file it may not read and one that is gone.
        if (info.exists() && !info.isReadable())
            return DbError(unreadableMessage(path), Reason::NoPermission);
        return DbError(QStringLiteral("Ledgerline cannot open the file %1.").arg(file));
    }

    static const QRegularExpression table(QStringLiteral("no such table: (\\S+)"));
    if (auto m = table.match(raw); m.hasMatch())
        return DbError(
            QStringLiteral("The file %1 has no table %2, so it is not a Ledgerline database.")
                .arg(file, m.captured(1)),
            Reason::NotADatabase);
    static const QRegularExpression column(QStringLiteral("no such column: (\\S+)"));
    if (auto m = column.match(raw); m.hasMatch())
        return DbError(
            QStringLiteral("The file %1 has no field %2, so it is not a Ledgerline database.")
                .arg(file, m.captured(1)),
            Reason::NotADatabase);
    // Every whole-number field carries a check constraint named after the field.
    static const QRegularExpression check(
        QStringLiteral("CHECK constraint failed: \"?([^\"]+)\"?"));
    if (auto m = check.match(raw); m.hasMatch())
        return DbError(QStringLiteral("%1 must be a whole number.").arg(m.captured(1).trimmed()));

    return DbError(QStringLiteral("Ledgerline could not use the file %1: %2").arg(file, raw));
}
