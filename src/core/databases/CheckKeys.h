#pragma once

#include "core/databases/CheckDb.h"

#include <QList>
#include <QString>

/// The SQL expressions by which checks are ordered and narrowed: what the register sorts
/// on and the dates it filters by. They live in one place because the database keeps an
/// index on each, and an index serves a query only when the query repeats its expression
/// word for word.
///
/// Every expression is plain SQL and never Null, so that rows can be paged by (key, ID).
/// Where the SQL differs between engines (reading a date out of its text, a text read as a
/// number), that is said here and nowhere else.
namespace CheckKeys {

/// The columns of the register, in the order it shows them.
enum class Column { Number, Date, Party, Amount, Print, Printed, Void };
constexpr int kColumns = 7;

/// A stored date "m/d/yyyy" as the whole number yyyymmdd, which orders and compares as the
/// dates do; 0 for anything else (an empty field, "Dec 7", "12/7/26", a month 13).
/// `onServer`: the expression is for a database on the server (likewise below).
QString date(const QString& field, bool onServer = false);
/// The check number; checks without one come first.
QString number();
/// The amount as a number, for ordering only (never for sums): a text that is no number
/// counts as 0.
QString amount(bool onServer = false);
/// Who the check is to (a CHECK database: the payee) or from (a DRAFT database: the
/// customer's business name, else first and last name), letter case aside.
QString party(CheckDb::Kind kind, bool onServer = false);
/// The key of a register column.
QString of(Column column, CheckDb::Kind kind, bool onServer = false);
/// The text the register shows for the party: party() without its collation.
QString partyText(CheckDb::Kind kind);

/// The same expression, in a form no index serves: for a query that should read the table
/// rather than walk an index. (SQLite leaves an index aside for "+expression"; an engine
/// that plans by statistics needs no such hint and gets the expression as it is.)
QString unindexed(const QString& expression, bool onServer = false);

struct Index {
    QString name;
    QString expression;
};
/// The indexes a check database of this kind keeps for its register.
QList<Index> indexes(CheckDb::Kind kind, bool onServer = false);

} // namespace CheckKeys
