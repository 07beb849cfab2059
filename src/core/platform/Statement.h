#pragma once

#include "core/platform/PreparedQuery.h"

#include <QByteArrayView>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

/// One prepared SQLite statement, kept for reuse. Record sets move and read through these
/// directly: a move or a read is then a bind, a step and a reset.
class Statement : public PreparedQuery {
public:
    /// Prepares `sql` on the connection; throws DbError naming the file at `path`.
    Statement(sqlite3* db, const QString& sql, const QString& path);
    ~Statement() override;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    /// Binds a value to the parameter at `index` (from 1). Null binds Null.
    void bind(int index, const QVariant& value) override;
    /// Binds UTF-8 text without copying it: the bytes must stay as they are until the
    /// statement has been stepped. For statements run very many times (an import).
    void bindUtf8(int index, QByteArrayView utf8) override;
    void bindInt64(int index, qint64 value) override;
    void bindNull(int index) override;
    /// Runs to the next row: true when there is one, false when done. Throws DbError.
    bool step() override;
    /// Makes the statement ready to run again (and lets go of its read lock).
    void reset() override;

    int columnCount() const override;
    QString columnName(int index) const override;
    /// The value of a column of the current row: whole numbers as qlonglong, text as QString,
    /// Null as an invalid QVariant.
    QVariant column(int index) const override;
    bool columnIsNull(int index) const override;
    bool columnIsInteger(int index) const override;
    /// A column of the current row as UTF-8 text (numbers in decimal), valid until the next
    /// step or reset: for reading very many rows (an export) without a copy per value.
    QByteArrayView columnUtf8(int index) const override;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_path;
};
