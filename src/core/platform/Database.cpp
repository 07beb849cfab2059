#include "core/platform/Database.h"

#include "core/entry/AmountText.h"
#include "core/platform/CrashRecovery.h"
#include "core/platform/DbError.h"
#include "core/platform/ServerQuery.h"
#include "core/platform/Statement.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <sqlite3.h>

namespace {

struct Registry {
    QHash<QString, std::weak_ptr<Database>> open;
    int next = 0;
    Database::ServerAccess* server = nullptr;
};

Registry& registry() {
    static Registry r;
    return r;
}

QString keyFor(const QString& path) {
    if (ServerLocation::is(path))
        return path;
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

/// ledgerline_contains(haystack, needle): true when the text contains the needle, letter
/// case ignored for every alphabet; Null when the haystack is Null.
void containsFunction(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    // The folded needle is kept with the statement, so it is folded once per query.
    auto* needle = static_cast<QString*>(sqlite3_get_auxdata(context, 1));
    if (!needle) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(args[1]));
        needle = new QString(QString::fromUtf8(text, sqlite3_value_bytes(args[1])).toCaseFolded());
        sqlite3_set_auxdata(context, 1, needle, [](void* p) { delete static_cast<QString*>(p); });
        needle = static_cast<QString*>(sqlite3_get_auxdata(context, 1));
        if (!needle) {
            sqlite3_result_error_nomem(context);
            return;
        }
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    const QString haystack = QString::fromUtf8(text, sqlite3_value_bytes(args[0]));
    sqlite3_result_int(context, haystack.toCaseFolded().contains(*needle) ? 1 : 0);
}

/// ledgerline_cents(amount): a stored amount in whole cents, exactly as AmountText reads it;
/// Null for anything that is not an amount in dollars and cents. Sums of amounts add these.
void centsFunction(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    const auto cents = AmountText::cents(QByteArrayView(text, sqlite3_value_bytes(args[0])));
    if (cents)
        sqlite3_result_int64(context, *cents);
    else
        sqlite3_result_null(context);
}

sqlite3* rawHandle(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

void registerFunctions(const QSqlDatabase& db, const QString& path) {
    // Without it every search would fail later with words the user cannot act on.
    sqlite3* raw = rawHandle(db);
    if (!raw)
        throw DbError(QStringLiteral("The database engine is not available."));
    const struct {
        const char* name;
        int arguments;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    } functions[] = {{"ledgerline_contains", 2, containsFunction},
                     {"ledgerline_cents", 1, centsFunction}};
    for (const auto& f : functions) {
        const int rc = sqlite3_create_function_v2(
            raw, f.name, f.arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
            nullptr, f.function, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw DbError::fromCode(rc, QString::fromUtf8(sqlite3_errstr(rc)), path);
    }
}

} // namespace

Database::Database(QString path, QString connectionName, Engine engine)
    : m_path(std::move(path)), m_engine(engine), m_connectionName(std::move(connectionName)) {}

void Database::setServerAccess(ServerAccess* access) {
    registry().server = access;
}

Database::ServerAccess* Database::serverAccess() {
    return registry().server;
}

Database::~Database() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    auto& reg = registry();
    for (auto it = reg.open.begin(); it != reg.open.end();) {
        if (it.value().expired())
            it = reg.open.erase(it);
        else
            ++it;
    }
}

std::shared_ptr<Database> Database::open(const QString& path, Mode mode) {
    if (ServerLocation::is(path)) {
        // The server keeps its own journal and takes no read-only connections of ours: a
        // database there is always opened the one way.
        if (auto shared = registry().open.value(path).lock())
            return shared;
        auto db = openServerConnection(path);
        registry().open.insert(path, db);
        return db;
    }
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(QStringLiteral("The file %1 cannot be found in %2.")
                          .arg(info.fileName(), info.absolutePath()));
    if (!info.isFile())
        throw DbError(QStringLiteral("%1 is not a file.").arg(info.fileName()));

    if (mode == Mode::ReadWrite) {
        auto& reg = registry();
        if (auto shared = reg.open.value(keyFor(path)).lock())
            return shared;
    } else {
        // A read-only connection cannot undo a change a crash cut short; it would call the
        // file damaged.
        CrashRecovery::rollBack(path);
    }
    return openConnection(path, mode, false);
}

std::shared_ptr<Database> Database::create(const QString& path) {
    if (QFileInfo::exists(path))
        throw DbError(
            QStringLiteral("The file %1 already exists.").arg(QFileInfo(path).fileName()));
    return openConnection(path, Mode::ReadWrite, true);
}

std::shared_ptr<Database> Database::openConnection(const QString& path, Mode mode, bool create) {
    auto& reg = registry();
    const QString name = QStringLiteral("ledgerline-%1").arg(++reg.next);
    std::shared_ptr<Database> result(
        new Database(QFileInfo(path).absoluteFilePath(), name, Engine::File));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // A URI lets SQLite refuse to create a missing file ("mode=rw") or to write ("mode=ro").
        const QString modeText = create                   ? QStringLiteral("rwc")
                                 : mode == Mode::ReadOnly ? QStringLiteral("ro")
                                                          : QStringLiteral("rw");
        const QString encoded =
            QString::fromUtf8(QUrl::toPercentEncoding(result->m_path, QByteArrayLiteral("/")));
        db.setDatabaseName(QStringLiteral("file:%1?mode=%2").arg(encoded, modeText));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            throw DbError::fromSql(db.lastError(), path);
        registerFunctions(db, path);
    }

    // The first read of the schema is where SQLite notices a file that is not a database.
    result->exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (mode == Mode::ReadWrite) {
        // SQLite answers with the mode in force. A file that another program keeps in
        // write-ahead mode stays so until that program lets go; SQLite is as safe with it,
        // and a backup copies such a file page by page.
        result->exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        result->exec(QStringLiteral("PRAGMA synchronous=FULL"));
        reg.open.insert(keyFor(result->m_path), result);
    }
    return result;
}

std::shared_ptr<Database> Database::openServer() {
    return openServerConnection(QString());
}

std::shared_ptr<Database> Database::openServerConnection(const QString& location) {
    auto& reg = registry();
    const QString shown = location.isEmpty() ? QStringLiteral("the database server")
                                             : ServerLocation::displayName(location);
    if (!reg.server)
        throw DbError(QStringLiteral("Ledgerline has no database server set up, so %1 cannot be "
                                     "opened. Set the server up in File - Program Setup.")
                          .arg(shown));
    const std::optional<ServerLogin> login = reg.server->login();
    if (!login)
        throw DbError(QStringLiteral("No password was given for the database server, so %1 was "
                                     "not opened.")
                          .arg(shown),
                      DbError::Reason::NoPermission);
    const QString name = QStringLiteral("ledgerline-%1").arg(++reg.next);
    std::shared_ptr<Database> result(new Database(location, name, Engine::Server));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        if (!db.isValid())
            throw DbError(QStringLiteral("The database server cannot be reached: Ledgerline's "
                                         "driver for it (libqt6sql6-psql) is not installed."));
        db.setHostName(login->host);
        db.setPort(login->port);
        db.setDatabaseName(login->database);
        db.setUserName(login->user);
        db.setPassword(login->password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        if (!db.open()) {
            const DbError failure = DbError::fromSql(db.lastError(), location);
            if (failure.reason() == DbError::Reason::NoPermission)
                reg.server->refused(*login);
            throw failure;
        }
    }
    reg.server->accepted(*login);
    // A row another desk holds is waited for as long as a file held by another program.
    result->exec(QStringLiteral("SET lock_timeout = '5s'"));
    result->exec(QStringLiteral("SET client_min_messages = warning"));
    if (!location.isEmpty()) {
        const QString schema = ServerLocation::name(location);
        QSqlQuery found = result->exec(
            QStringLiteral("SELECT 1 FROM information_schema.schemata WHERE schema_name = ?"),
            {schema});
        if (!found.next())
            throw DbError(
                QStringLiteral("There is no database %1 on the database server.").arg(schema),
                DbError::Reason::NotADatabase);
        result->exec(QStringLiteral("SET search_path TO %1").arg(quote(schema)));
    }
    return result;
}

QSqlDatabase Database::connection() const {
    return QSqlDatabase::database(m_connectionName, false);
}

std::unique_ptr<PreparedQuery> Database::prepare(const QString& sql) const {
    if (m_engine == Engine::Server)
        return std::make_unique<ServerQuery>(connection(), sql, m_path);
    return std::make_unique<Statement>(handle(), sql, m_path);
}

QString Database::rowId() const {
    return m_engine == Engine::Server ? QStringLiteral("\"ID\"") : QStringLiteral("rowid");
}

qint64 Database::insert(const QString& table, const QStringList& quotedNames,
                        const QVariantList& values) {
    const QString into = quote(table);
    const QString what =
        quotedNames.isEmpty()
            ? QStringLiteral("DEFAULT VALUES")
            : QStringLiteral("(%1) VALUES (%2)")
                  .arg(quotedNames.join(QStringLiteral(", ")),
                       QStringList(quotedNames.size(), QStringLiteral("?")).join(", "));
    if (m_engine == Engine::Server) {
        QSqlQuery q =
            exec(QStringLiteral("INSERT INTO %1 %2 RETURNING \"ID\"").arg(into, what), values);
        return q.next() ? q.value(0).toLongLong() : 0;
    }
    return exec(QStringLiteral("INSERT INTO %1 %2").arg(into, what), values)
        .lastInsertId()
        .toLongLong();
}

QString Database::isOneOf(const QString& column) const {
    return m_engine == Engine::Server
               ? QStringLiteral("%1 = ANY (CAST(? AS bigint[]))").arg(column)
               : QStringLiteral("%1 IN (SELECT value FROM json_each(?))").arg(column);
}

QVariant Database::idList(const QList<qint64>& ids) const {
    QStringList parts;
    parts.reserve(ids.size());
    for (qint64 id : ids)
        parts << QString::number(id);
    const QString joined = parts.join(QLatin1Char(','));
    // An array literal for the server, a JSON array for SQLite's json_each.
    return m_engine == Engine::Server ? QLatin1Char('{') + joined + QLatin1Char('}')
                                      : QLatin1Char('[') + joined + QLatin1Char(']');
}

void Database::lockRows(const QString& table) {
    if (m_engine == Engine::Server)
        exec(QStringLiteral("SELECT 1 FROM %1 FOR UPDATE").arg(quote(table)));
}

void Database::lockRows(const QString& table, const QList<qint64>& ids) {
    if (m_engine == Engine::Server)
        exec(QStringLiteral("SELECT 1 FROM %1 WHERE %2 FOR UPDATE")
                 .arg(quote(table), isOneOf(QStringLiteral("\"ID\""))),
             {idList(ids)});
}

sqlite3* Database::handle() const {
    sqlite3* raw = rawHandle(connection());
    if (!raw)
        throw DbError(QStringLiteral("The database engine is not available."));
    return raw;
}

std::optional<qint64> Database::othersVersion() {
    if (m_engine == Engine::Server)
        return std::nullopt;
    QSqlQuery q = exec(QStringLiteral("PRAGMA data_version"));
    if (!q.next())
        return std::nullopt;
    return q.value(0).toLongLong();
}

std::optional<quint32> Database::changeCounter() const {
    // A server keeps no counter of the whole database a desk could read.
    if (m_engine == Engine::Server)
        return std::nullopt;
    // The header as SQLite's own file object reads it: a handle of our own on the file
    // would drop SQLite's locks when closed.
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(handle(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        !file || !file->pMethods)
        return std::nullopt;
    // Offset 18: the format versions, 2 in write-ahead mode; offset 24: the counter.
    unsigned char header[10];
    if (file->pMethods->xRead(file, header, int(sizeof header), 18) != SQLITE_OK ||
        header[0] == 2 || header[1] == 2)
        return std::nullopt;
    return quint32(header[6]) << 24 | quint32(header[7]) << 16 | quint32(header[8]) << 8 |
           quint32(header[9]);
}

QSqlQuery Database::exec(const QString& sql, const QVariantList& binds) {
    ++m_generation;
    QSqlQuery query(connection());
    if (m_engine == Engine::Server && binds.isEmpty()) {
        // The server prepares only queries and changes of rows; everything else (a new
        // table, a transaction's start) is sent as it stands.
        if (!query.exec(sql))
            throw DbError::fromSql(query.lastError(), m_path);
        return query;
    }
    if (!query.prepare(sql))
        throw DbError::fromSql(query.lastError(), m_path);
    for (const QVariant& value : binds)
        query.addBindValue(value);
    if (!query.exec())
        throw DbError::fromSql(query.lastError(), m_path);
    return query;
}

void Database::transaction(const std::function<void()>& work) {
    // The outermost call is the transaction; a nested call is a savepoint inside it, so a
    // failure of the inner work undoes only that work and the outer work decides what
    // becomes of the rest.
    const int depth = m_transactionDepth + 1;
    const QString savepoint = QStringLiteral("ledgerline_%1").arg(depth);
    // A file's writer takes the whole file at once; the server locks row by row as the
    // work reaches them (lockRows() for the rows that hand out numbers).
    const QString begin =
        m_engine == Engine::Server ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
    exec(depth == 1 ? begin : QStringLiteral("SAVEPOINT ") + savepoint);
    m_transactionDepth = depth;
    try {
        work();
        exec(depth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE ") + savepoint);
        m_transactionDepth = depth - 1;
    } catch (...) {
        m_transactionDepth = depth - 1;
        // The failure that brought us here is the one to report, so the rollback's own
        // result is not; what a record set read ahead is stale after it.
        ++m_generation;
        QSqlQuery rollback(connection());
        if (depth == 1) {
            rollback.exec(QStringLiteral("ROLLBACK"));
        } else {
            rollback.exec(QStringLiteral("ROLLBACK TO ") + savepoint);
            rollback.exec(QStringLiteral("RELEASE ") + savepoint);
        }
        throw;
    }
}

bool Database::hasTable(const QString& table) {
    if (m_engine == Engine::Server) {
        QSqlQuery q = exec(QStringLiteral("SELECT 1 FROM information_schema.tables WHERE "
                                          "table_schema = current_schema() AND lower(table_name) = "
                                          "lower(?)"),
                           {table});
        return q.next();
    }
    // As SQLite finds a table: letter case aside.
    QSqlQuery q = exec(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"),
        {table});
    return q.next();
}

bool Database::hasIndex(const QString& index) {
    if (m_engine == Engine::Server) {
        QSqlQuery q = exec(QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = "
                                          "current_schema() AND lower(indexname) = lower(?)"),
                           {index});
        return q.next();
    }
    QSqlQuery q = exec(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='index' AND name=? COLLATE NOCASE"),
        {index});
    return q.next();
}

bool Database::hasMoved() const {
    if (m_engine == Engine::Server) {
        // A connection the server dropped answers nothing more.
        QSqlQuery probe(connection());
        return !probe.exec(QStringLiteral("SELECT 1"));
    }
    int moved = 0;
    if (sqlite3_file_control(handle(), "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK)
        return !QFileInfo::exists(m_path);
    return moved != 0;
}

QStringList Database::fieldNames(const QString& table) {
    QStringList names;
    QSqlQuery q = m_engine == Engine::Server
                      ? exec(QStringLiteral(
                                 "SELECT column_name FROM information_schema.columns WHERE "
                                 "table_schema = current_schema() AND lower(table_name) = lower(?) "
                                 "ORDER BY ordinal_position"),
                             {table})
                      : exec(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    while (q.next())
        names << q.value(0).toString();
    return names;
}

QString Database::quote(const QString& name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}
