#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;

/// The kinds of value a field holds. Whole-number kinds refuse anything but whole
/// numbers (or Null) at the database itself.
enum class FieldKind {
    Counter, ///< automatic row number, never handed out twice
    Long,    ///< whole number
    Small,   ///< small whole number flag
    YesNo,   ///< Boolean: True is stored as -1, False as 0, Null counts as False
    Text,
    Memo,   ///< multi-line text
    Amount, ///< dollars and cents kept exactly as written (decimal text)
};

/// How a Yes/No field stores its two values.
namespace YesNo {
constexpr int True = -1;
constexpr int False = 0;
} // namespace YesNo

struct FieldDef {
    QString name;
    FieldKind kind;
};

struct TableDef {
    QString name;
    QList<FieldDef> fields;

    /// The statement that makes the table in a file, or on the server (`onServer`), where
    /// every table also gets a row identity "ID" (when it has no counter of its own) and a
    /// "RowVersion" that counts the changes of each row.
    QString createSql(bool onServer = false) const;
    const FieldDef* field(const QString& name) const;
};

namespace TableSchema {
/// The definition of one column, as CREATE TABLE and ALTER TABLE ... ADD COLUMN take it.
QString columnSql(const FieldDef& field, bool onServer = false);
/// Creates every table in `db` (inside the caller's transaction if there is one).
void create(Database& db, const QList<TableDef>& tables);
/// The first table or field of `tables` that `db` lacks, in words ("table A",
/// "field ENTER of table A"); empty when nothing is missing. Names match as the database
/// engine matches them: letter case aside.
QString firstMissing(Database& db, const QList<TableDef>& tables);
/// The most characters a value of a Text field (255) or a Memo field (65,535) may have;
/// 0 for the kinds with no such limit.
qsizetype mostCharacters(FieldKind kind);
/// True when a stored Yes/No value counts as Yes.
bool isYes(const QVariant& value);
} // namespace TableSchema
