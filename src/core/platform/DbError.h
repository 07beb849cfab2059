#pragma once

#include <QString>
#include <exception>

class QSqlError;

/// A database or file failure with a message fit to show the user as it stands.
class DbError : public std::exception {
public:
    explicit DbError(QString message);

    /// Turns an engine error on the file at `path` into words a shop owner can act on.
    static DbError fromSql(const QSqlError& error, const QString& path);
    /// The same for the engine's own words.
    static DbError fromEngine(const QString& raw, const QString& path);

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
