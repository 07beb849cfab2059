#pragma once

#include "core/databases/CheckDb.h"

#include <QDir>
#include <QString>
#include <QStringList>

/// Check databases on the database server, beside the files of the program folder: each is
/// a schema of the server's database holding the same two tables as a file, with a row
/// identity and a row version on every row. Every desk that reaches the server sees them.
namespace ServerDatabases {

/// The names of the check databases on the server, sorted as the chooser lists them.
/// Throws DbError when the server cannot be reached.
QStringList list();

/// Makes the check database `name` on the server, with its template record and its header
/// stamped (`AccountType`, `Description`), and returns its location. Blanks around the
/// name are dropped. Throws DbError when the name is not valid or taken, or the server
/// refuses; nothing is left behind.
QString create(const QString& name, const QString& description, CheckDb::Kind kind);

/// Moves the file database at `path` to the server, every row with its identity, every
/// field, the numbers and the header, in one transaction; the file is then renamed
/// "<name>.mdb.moved", kept but no longer listed. Returns the server location. Throws
/// DbError; on failure nothing is on the server and the file is as it was.
QString moveFromFile(const QString& path);

/// Moves the server database at `location` into a new file of `folder`, the same way; on
/// the server it is then renamed "moved: <name>", kept but no longer listed. Returns the
/// file name. Throws DbError; on failure no file is left and the server is as it was.
QString moveToFile(const QString& location, const QDir& folder);

} // namespace ServerDatabases
