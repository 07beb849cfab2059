#pragma once

#include "core/platform/TableSchema.h"

#include <QString>

/// A check database (*.mdb): table `Account`, one row per check, whose first row (ID 1) is
/// the template record; and table `Properties`, the one-row database header.
namespace CheckDb {

inline const QString kTemplateFile = QStringLiteral("template.ref");
inline const QString kAccount = QStringLiteral("Account");
inline const QString kHeader = QStringLiteral("Properties");

/// The check record: every field of table `Account`, in column order.
TableDef accountTable();
/// The database header: table `Properties` of a check database.
TableDef headerTable();
QList<TableDef> schema();

/// Writes the empty check database that new databases are copied from: the template
/// record (ID 1, every other field Null) and one header row. Fails if the file exists.
void createTemplate(const QString& path);

} // namespace CheckDb

class Database;
class RecordSet;

namespace CheckDb {

/// The two kinds of check database, told apart by the header's `AccountType`.
enum class Kind { Check, Draft, Other };

inline const QString kCheckType = QStringLiteral("Check");
inline const QString kDraftType = QStringLiteral("Draft");

/// The kind of database, read afresh from the header record set each time.
Kind kind(RecordSet& header);

/// Why the file at `path` cannot be used as a check database (missing, read-only, not
/// SQLite, damaged, or a database of another program), in one message that names the
/// file; empty when it can. Only reads the file.
QString problem(const QString& path);

} // namespace CheckDb
