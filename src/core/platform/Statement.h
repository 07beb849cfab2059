#pragma once

#include <QByteArrayView>
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
    /// Binds UTF-8 text without copying it: the bytes must stay as they are until the
    /// statement has been stepped. For statements run very many times (an import).
    void bindUtf8(int index, QByteArrayView utf8);
    void bindInt64(int index, qint64 value);
    void bindNull(int index);
    /// Runs to the next row: true when there is one, false when done. Throws DbError.
    bool step();
    /// Makes the statement ready to run again (and lets go of its read lock).
    void reset();

    int columnCount() const;
    QString columnName(int index) const;
    /// The value of a column of the current row: whole numbers as qlonglong, text as QString,
    /// Null as an invalid QVariant.
    QVariant column(int index) const;
    bool columnIsNull(int index) const;
    bool columnIsInteger(int index) const;
    /// A column of the current row as UTF-8 text (numbers in decimal), valid until the next
    /// step or reset: for reading very many rows (an export) without a copy per value.
    QByteArrayView columnUtf8(int index) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_path;
};
