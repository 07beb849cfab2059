#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>

struct sqlite3;

/// One open database file. Every record set on the same file shares one connection, so
/// what one writes the others read at once. The file must already exist: opening never
/// creates one.
class Database {
public:
    enum class Mode { ReadWrite, ReadOnly };

    /// Opens (or shares) the connection to an existing file. Throws DbError with a
    /// readable message when the file is missing or is not a database.
    static std::shared_ptr<Database> open(const QString& path, Mode mode = Mode::ReadWrite);

    /// Creates a new, empty database file; fails if the file exists.
    static std::shared_ptr<Database> create(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }
    QSqlDatabase connection() const;
    /// The engine's own handle of this connection, for prepared statements that are run
    /// many times (record set moves and reads).
    sqlite3* handle() const;

    /// Runs one statement with bound values; throws DbError on failure.
    QSqlQuery exec(const QString& sql, const QVariantList& binds = {});

    /// Runs `work` in one transaction: all of it is stored, or none of it. Called inside
    /// another transaction it is a savepoint: when `work` fails, only its own changes are
    /// undone and the failure goes on to the outer work, which decides.
    void transaction(const std::function<void()>& work);

    /// True when a table of this name exists, letter case aside, as SQL finds it.
    bool hasTable(const QString& table);
    /// True when an index of this name exists, letter case aside.
    bool hasIndex(const QString& index);

    /// True when the file was moved, renamed or deleted since it was opened: nothing
    /// written from here on would reach the file under its name.
    bool hasMoved() const;

    /// Grows with every statement run through exec(), which is how every change reaches the
    /// file: what a record set read ahead is stale once it differs.
    quint64 generation() const { return m_generation; }
    QStringList fieldNames(const QString& table);

    /// Quotes a table or field name for SQL (names like "1", "Check" or "For").
    static QString quote(const QString& name);

private:
    Database(QString path, QString connectionName);
    static std::shared_ptr<Database> openConnection(const QString& path, Mode mode, bool create);

    QString m_path;
    QString m_connectionName;
    int m_transactionDepth = 0;
    quint64 m_generation = 0;
};
