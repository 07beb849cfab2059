#pragma once

#include <QString>
#include <exception>

class QSqlError;

/// A database or file failure with a message fit to show the user as it stands.
class DbError : public std::exception {
public:
    /// What kind of trouble it is, for the few callers that answer differently: a file in
    /// use is worth another try, a damaged one is not; a record that is Gone was deleted by
    /// another program while it was shown, one Changed was changed by another desk; a
    /// database Lost is one whose server connection broke.
    enum class Reason {
        Other,
        Busy,
        Damaged,
        NotADatabase,
        NoPermission,
        ReadOnly,
        DiskFull,
        Gone,
        Changed,
        Lost
    };

    explicit DbError(QString message, Reason reason = Reason::Other);

    /// Turns an engine error on the file at `path` (or the server location) into words a
    /// shop owner can act on.
    static DbError fromSql(const QSqlError& error, const QString& path);
    /// The same for the database server: `location` is the server database, or empty for
    /// the server's own.
    static DbError fromServer(const QSqlError& error, const QString& location);
    /// What the user is told when the connection to the server of the database at
    /// `location` broke.
    static QString lostMessage(const QString& location);
    /// The same for the engine's own words.
    static DbError fromEngine(const QString& raw, const QString& path);
    /// The same for one of the engine's result codes (extended codes give the finer
    /// reasons, such as a crash left to repair in a file that may not be written).
    static DbError fromCode(int code, const QString& raw, const QString& path);

    /// Words for a damaged file from a layer that knows the file better than its name
    /// tells: the message for the file at `path`, or an empty text to leave it to the
    /// general words.
    using DamageWording = QString (*)(const QString& path);
    /// Sets those words; the check databases give theirs, which name the backup copy.
    static void setDamageWording(DamageWording wording);
    /// What the user is told about the damaged file at `path`.
    static QString damagedMessage(const QString& path);
    /// What the user is told when the file opened at `path` is no longer there.
    static QString movedMessage(const QString& path);
    /// What the user is told when another program holds the file at `path`.
    static QString busyMessage(const QString& path);
    /// What the user is told when the file at `path` may not be read.
    static QString unreadableMessage(const QString& path);

    const QString& message() const noexcept { return m_message; }
    Reason reason() const noexcept { return m_reason; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    Reason m_reason;
    QByteArray m_utf8;
};
