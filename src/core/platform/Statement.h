#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

/// One prepared SQLite statement, kept for reuse. Record sets move and read through these
/// directly: a move or a read is then a bind, a step and a reset.
class Statement {
public:
    /// Prepares `sql` on the connection; throws DbError naming the file at `path`.
    Statement(sqlite3* db, const QString& sql, const QString& path);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    /// Binds a value to the parameter at `index` (from 1). Null binds Null.
    void bind(int index, const QVariant& value);
    /// Runs to the next row: true when there is one, false when done. Throws DbError.
    bool step();
    /// Makes the statement ready to run again (and lets go of its read lock).
    void reset();

    int columnCount() const;
    QString columnName(int index) const;
    /// The value of a column of the current row: whole numbers as qlonglong, text as QString,
    /// Null as an invalid QVariant.
    QVariant column(int index) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_path;
};
