#include "core/databases/ServerDatabases.h"

#include "core/databases/DatabaseFiles.h"
#include "core/entry/AmountText.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/PreparedQuery.h"
#include "core/platform/RecordSet.h"
#include "core/platform/ServerLocation.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

// A database moved back to a file stays on the server under this name, out of the list.
const QString kMovedPrefix = QStringLiteral("moved: ");
// Rows go to the other side this many at a time, in one statement each.
constexpr int kBatch = 200;

bool taken(Database& server, const QString& name) {
    QSqlQuery q = server.exec(
        QStringLiteral("SELECT 1 FROM information_schema.schemata WHERE lower(schema_name) = "
                       "lower(?)"),
        {name});
    return q.next();
}

/// Makes the schema `name` with the tables of a check database, and the server's own parts
/// of them: the row version every change counts up, and the matcher searches use. The
/// connection's search path is set to it for the rest of the transaction.
void makeSchema(Database& server, const QString& name) {
    const QString schema = Database::quote(name);
    server.exec(QStringLiteral("CREATE SCHEMA %1").arg(schema));
    server.exec(QStringLiteral("SET LOCAL search_path TO %1").arg(schema));
    for (const TableDef& t : CheckDb::schema())
        server.exec(t.createSql(true));
    server.exec(QStringLiteral(
        "CREATE FUNCTION ledgerline_contains(haystack text, needle text) RETURNS boolean "
        "LANGUAGE sql IMMUTABLE AS 'SELECT strpos(lower(haystack), lower(needle)) > 0'"));
    // A stored amount in whole cents, read as the program reads amounts ("$1,234.5" is
    // 123450); Null for a text that is no amount. Sums of amounts add these.
    server.exec(QStringLiteral(
        "CREATE FUNCTION ledgerline_cents(amount text) RETURNS bigint LANGUAGE plpgsql "
        "IMMUTABLE AS $$ DECLARE m text[]; whole text; cents text; BEGIN "
        "m := regexp_match(amount, "
        "'^[ \t]*(-\\$?|\\$-?)?([0-9]*|[1-9][0-9]{0,2}(,[0-9]{3})+)(\\.([0-9]*))?[ \t]*$'); "
        "IF m IS NULL OR (m[2] = '' AND coalesce(m[5], '') = '') THEN RETURN NULL; END IF; "
        "IF substr(coalesce(m[5], ''), 3) !~ '^0*$' THEN RETURN NULL; END IF; "
        "whole := ltrim(replace(m[2], ',', ''), '0'); "
        "IF length(whole) > %1 THEN RETURN NULL; END IF; "
        "cents := rpad(substr(coalesce(m[5], ''), 1, 2), 2, '0'); "
        "RETURN (CASE WHEN position('-' in coalesce(m[1], '')) > 0 THEN -1 ELSE 1 END) * "
        "CAST(coalesce(nullif(whole, ''), '0') || cents AS bigint); END $$")
                    .arg(AmountText::kMaxWholeDigits));
    server.exec(QStringLiteral(
        "CREATE FUNCTION ledgerline_count_change() RETURNS trigger LANGUAGE plpgsql AS "
        "$$BEGIN NEW.\"RowVersion\" := OLD.\"RowVersion\" + 1; RETURN NEW; END$$"));
    for (const TableDef& t : CheckDb::schema())
        server.exec(QStringLiteral("CREATE TRIGGER ledgerline_row_version BEFORE UPDATE ON %1 "
                                   "FOR EACH ROW EXECUTE FUNCTION ledgerline_count_change()")
                        .arg(Database::quote(t.name)));
}

QString cleanName(const QString& typed) {
    const QString name = typed.trimmed();
    if (!DatabaseFiles::isValidName(name))
        throw DbError(QStringLiteral("The database name must be 1 to 36 letters, numbers and "
                                     "spaces."));
    return name;
}

/// The fields of `table` both sides have, quoted, in the table's order.
QStringList sharedFields(Database& from, const TableDef& table) {
    const QStringList present = from.fieldNames(table.name);
    QStringList out;
    for (const FieldDef& f : table.fields)
        if (present.contains(f.name, Qt::CaseInsensitive))
            out << Database::quote(f.name);
    return out;
}

/// Copies every row of `table` from one database to the other, identities included; the
/// target's transaction is the caller's. A table without a counter of its own (the
/// header) takes its identity from the file's row numbers on its way to the server. Returns
/// the highest identity copied.
qint64 copyRows(Database& from, Database& to, const TableDef& table) {
    QStringList written = sharedFields(from, table);
    QStringList read = written;
    if (!written.contains(QStringLiteral("\"ID\""))) {
        read.prepend(from.rowId());
        written.prepend(QStringLiteral("\"ID\""));
    }
    const std::unique_ptr<PreparedQuery> rows = from.prepare(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
            .arg(read.join(QStringLiteral(", ")), Database::quote(table.name), from.rowId()));
    const QString tuple =
        QLatin1Char('(') + QStringList(written.size(), QStringLiteral("?")).join(", ") + ')';
    qint64 highest = 0;
    QVariantList values;
    int batched = 0;
    const auto flush = [&] {
        if (batched == 0)
            return;
        to.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                    .arg(Database::quote(table.name), written.join(QStringLiteral(", ")),
                         QStringList(batched, tuple).join(QStringLiteral(", "))),
                values);
        values.clear();
        batched = 0;
    };
    while (rows->step()) {
        for (int i = 0; i < written.size(); ++i)
            values << rows->column(i);
        highest = std::max(highest, rows->column(0).toLongLong());
        if (++batched == kBatch)
            flush();
    }
    rows->reset();
    flush();
    return highest;
}

} // namespace

QStringList ServerDatabases::list() {
    auto server = Database::openServer();
    QSqlQuery q = server->exec(
        QStringLiteral("SELECT table_schema FROM information_schema.tables WHERE table_name IN "
                       "(?, ?) AND table_schema NOT LIKE ? GROUP BY table_schema HAVING count(*) "
                       "= 2 ORDER BY lower(table_schema)"),
        {CheckDb::kAccount, CheckDb::kHeader, kMovedPrefix + QLatin1Char('%')});
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}

QString ServerDatabases::create(const QString& typed, const QString& description,
                                CheckDb::Kind kind) {
    const QString name = cleanName(typed);
    auto server = Database::openServer();
    if (taken(*server, name))
        throw DbError(QStringLiteral("A database named %1 is on the server already.").arg(name));
    server->transaction([&] {
        makeSchema(*server, name);
        server->exec(QStringLiteral("INSERT INTO %1 (\"ID\") VALUES (1)")
                         .arg(Database::quote(CheckDb::kAccount)));
        server->exec(QStringLiteral("INSERT INTO %1 (\"AccountType\", \"Description\") VALUES "
                                    "(?, ?)")
                         .arg(Database::quote(CheckDb::kHeader)),
                     {kind == CheckDb::Kind::Draft ? CheckDb::kDraftType : CheckDb::kCheckType,
                      description});
        server->exec(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, 'ID'), 1)"),
                     {Database::quote(name) + '.' + Database::quote(CheckDb::kAccount)});
    });
    return ServerLocation::of(name);
}

QString ServerDatabases::moveFromFile(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.completeBaseName();
    if (const QString problem = CheckDb::problem(path); !problem.isEmpty())
        throw DbError(problem);
    auto file = Database::open(path);
    auto server = Database::openServer();
    if (taken(*server, name))
        throw DbError(QStringLiteral("A database named %1 is on the server already, so %2 was "
                                     "not moved.")
                          .arg(name, info.fileName()));
    // The file is held while it is copied: nothing typed meanwhile can be left behind.
    file->transaction([&] {
        server->transaction([&] {
            makeSchema(*server, name);
            for (const TableDef& t : CheckDb::schema()) {
                const qint64 highest = copyRows(*file, *server, t);
                server->exec(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, 'ID'), ?)"),
                             {Database::quote(name) + '.' + Database::quote(t.name),
                              std::max<qint64>(highest, 1)});
            }
        });
    });
    file.reset();
    const QString kept = path + QStringLiteral(".moved");
    if (QFile::exists(kept) || !QFile::rename(path, kept))
        throw DbError(QStringLiteral("%1 is now on the server as %2, but the file could not be "
                                     "put aside as %3: move or delete the file yourself, so that "
                                     "no one goes on entering checks in it.")
                          .arg(info.fileName(), name, QFileInfo(kept).fileName()));
    return ServerLocation::of(name);
}

QString ServerDatabases::moveToFile(const QString& location, const QDir& folder) {
    const QString name = ServerLocation::name(location);
    auto server = Database::open(location);
    RecordSet header(server, CheckDb::kHeader);
    const CheckDb::Kind kind = CheckDb::kind(header);
    const QString description = header.value(QStringLiteral("Description")).toString();
    const QString fileName = DatabaseFiles::create(folder, name, description, kind);
    const QString path = folder.filePath(fileName);
    try {
        auto file = Database::open(path);
        file->transaction([&] {
            // The new file's own template and header make way for the server's rows.
            for (const TableDef& t : CheckDb::schema()) {
                file->exec(QStringLiteral("DELETE FROM %1").arg(Database::quote(t.name)));
                if (t.name == CheckDb::kAccount)
                    copyRows(*server, *file, t);
            }
            // The header has no identity of its own in a file.
            QStringList fields = sharedFields(*server, CheckDb::headerTable());
            const std::unique_ptr<PreparedQuery> read =
                server->prepare(QStringLiteral("SELECT %1 FROM %2")
                                    .arg(fields.join(", "), Database::quote(CheckDb::kHeader)));
            while (read->step()) {
                QVariantList values;
                for (int i = 0; i < fields.size(); ++i)
                    values << read->column(i);
                file->exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(Database::quote(CheckDb::kHeader), fields.join(", "),
                                    QStringList(fields.size(), QStringLiteral("?")).join(", ")),
                           values);
            }
            read->reset();
        });
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    server.reset();
    auto root = Database::openServer();
    QString aside = kMovedPrefix + name;
    if (taken(*root, aside))
        aside += QDateTime::currentDateTime().toString(QStringLiteral(" yyyy-MM-dd HH.mm.ss"));
    root->exec(QStringLiteral("ALTER SCHEMA %1 RENAME TO %2")
                   .arg(Database::quote(name), Database::quote(aside)));
    return fileName;
}
