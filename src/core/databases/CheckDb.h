#pragma once

#include "core/platform/TableSchema.h"

#include <QSqlRecord>
#include <QString>
#include <memory>

/// A check database (*.mdb): table `Account`, one row per check, whose first row (ID 1) is
/// the template record; and table `Properties`, the one-row database header.
namespace CheckDb {

inline const QString kTemplateFile = QStringLiteral("template.ref");
inline const QString kAccount = QStringLiteral("Account");
inline const QString kHeader = QStringLiteral("Properties");
/// The template record's ID: the first row, never a check.
constexpr qint64 kTemplateId = 1;
/// When a check was voided ("m/d/yyyy") and why; Null for a check that is not void.
inline const QString kVoidDate = QStringLiteral("VoidDate");
inline const QString kVoidReason = QStringLiteral("VoidReason");

/// The check record: every field of table `Account`, in column order.
TableDef accountTable();
/// The database header: table `Properties` of a check database.
TableDef headerTable();
QList<TableDef> schema();
/// The fields of `Account` that databases made by earlier versions lack: the void date
/// and reason. Such a database is still a check database; bringUpToDate() adds them.
QList<FieldDef> laterFields();

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

/// Adds what a database made by an earlier version lacks (the void fields, the indexes the
/// register sorts by), all in one transaction; does nothing to a database that has them.
/// Throws DbError when the database cannot be written; it then stays as it was and works
/// as before, without voids.
void bringUpToDate(const std::shared_ptr<Database>& db);

/// True when the database has the void fields.
bool hasVoidFields(Database& db);
/// SQL that holds for every check that is not void ("1 = 1" in a database without the
/// void fields, where no check can be void).
QString notVoid(Database& db);
/// True when the check `row` (every field, as RecordSet::record() reads it) is void.
bool isVoid(const QSqlRecord& row);

/// Why the file at `path` cannot be used as a check database (missing, read-only, not
/// SQLite, damaged, or a database of another program), in one message that names the
/// file; empty when it can. Only reads the file.
QString problem(const QString& path);

} // namespace CheckDb
