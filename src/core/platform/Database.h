#pragma once

#include "core/platform/ServerLocation.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>

class PreparedQuery;
struct sqlite3;

/// One open database: a file (SQLite), or a check database on the database server
/// (PostgreSQL), whose location ("server:Shop") stands where a file's path stands. Every
/// record set on the same database shares one connection, so what one writes the others
/// read at once. The database must already exist: opening never creates one.
///
/// What differs between the two engines stays in here and in the record set: how a row is
/// identified, how a transaction starts and takes its locks, how a list of rows is bound,
/// how the engine's failures are put in words. Rules and screens never ask which engine
/// they talk to, but where a fast path is worth it (a file's backup, an import).
class Database {
public:
    enum class Mode { ReadWrite, ReadOnly };
    enum class Engine { File, Server };

    /// How the server is reached: the settings and the password, asked for when a server
    /// database is first opened.
    class ServerAccess {
    public:
        virtual ~ServerAccess() = default;
        /// The login to use, asking the user where needed; nothing when they decline.
        virtual std::optional<ServerLogin> login() = 0;
        /// The server refused this login: a password kept for it must not be offered again.
        virtual void refused(const ServerLogin& login) = 0;
        /// The server took this login.
        virtual void accepted(const ServerLogin&) {}
    };
    /// Sets how the program reaches its server; without it, server databases cannot open.
    static void setServerAccess(ServerAccess* access);
    static ServerAccess* serverAccess();

    /// Opens (or shares) the connection to an existing file, or to the server database at a
    /// server location. Throws DbError with a readable message when the file is missing or
    /// is not a database, or the server cannot be reached.
    static std::shared_ptr<Database> open(const QString& path, Mode mode = Mode::ReadWrite);
    /// Opens a connection to the server's database itself, outside any check database: for
    /// listing, creating and removing them. Throws DbError.
    static std::shared_ptr<Database> openServer();

    /// Creates a new, empty database file; fails if the file exists.
    static std::shared_ptr<Database> create(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }
    Engine engine() const { return m_engine; }
    bool onServer() const { return m_engine == Engine::Server; }
    QSqlDatabase connection() const;
    /// A file's own handle, for the work that goes straight to SQLite (a backup, a fast
    /// import or export). Throws DbError for a server database.
    sqlite3* handle() const;

    /// Prepares a statement to be run many times (record set moves and reads).
    std::unique_ptr<PreparedQuery> prepare(const QString& sql) const;

    /// Runs one statement with bound values; throws DbError on failure.
    QSqlQuery exec(const QString& sql, const QVariantList& binds = {});

    /// The column that identifies a row in every table: SQLite's rowid, the server's "ID".
    QString rowId() const;
    /// Adds a row to `table` with these quoted field names and values, and returns its
    /// identity. Throws DbError.
    qint64 insert(const QString& table, const QStringList& quotedNames, const QVariantList& values);
    /// A condition that `column` is one of a list of row identities bound as one value
    /// (idList()), whatever their number.
    QString isOneOf(const QString& column) const;
    QVariant idList(const QList<qint64>& ids) const;
    /// Inside a transaction: holds the rows of `table` for this connection until it ends,
    /// so that two desks never hand out one check number. A file's transaction holds the
    /// whole file already.
    void lockRows(const QString& table);
    /// The same for the rows of `table` with these identities alone.
    void lockRows(const QString& table, const QList<qint64>& ids);
    /// How the user knows this database: "Shop.mdb", "Shop (on the server)".
    QString displayName() const { return ServerLocation::displayName(m_path); }

    /// Runs `work` in one transaction: all of it is stored, or none of it. Called inside
    /// another transaction it is a savepoint: when `work` fails, only its own changes are
    /// undone and the failure goes on to the outer work, which decides.
    void transaction(const std::function<void()>& work);

    /// True when a table of this name exists, letter case aside, as SQL finds it.
    bool hasTable(const QString& table);
    /// True when an index of this name exists, letter case aside.
    bool hasIndex(const QString& index);

    /// True when the file was moved, renamed or deleted since it was opened, or the
    /// connection to the server was lost: nothing written from here on would reach it.
    bool hasMoved() const;

    /// Grows with every statement run through exec(), which is how every change reaches the
    /// file: what a record set read ahead is stale once it differs.
    quint64 generation() const { return m_generation; }
    /// The file's change counter, which every program that changes the file advances when
    /// it commits: what was read while it had this value is still what is stored. Read
    /// straight from the file, without a transaction. Nothing when it cannot be read, or
    /// the file is in write-ahead mode, where the counter does not follow every change, and
    /// never on a server.
    std::optional<quint32> changeCounter() const;
    /// A count that moves whenever another connection (this program's or any other's)
    /// commits a change to the file, and never for this connection's own changes: equal
    /// counts mean nothing was changed by anyone else in between. Nothing on a server.
    std::optional<qint64> othersVersion();
    QStringList fieldNames(const QString& table);

    /// Quotes a table or field name for SQL (names like "1", "Check" or "For").
    static QString quote(const QString& name);

private:
    Database(QString path, QString connectionName, Engine engine);
    static std::shared_ptr<Database> openConnection(const QString& path, Mode mode, bool create);
    static std::shared_ptr<Database> openServerConnection(const QString& location);

    QString m_path;
    Engine m_engine;
    QString m_connectionName;
    int m_transactionDepth = 0;
    quint64 m_generation = 0;
};
