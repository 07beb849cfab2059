#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSqlField>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

/// One statement prepared on a database and kept for reuse, whatever engine runs it: bind
/// the values, step through the rows, read the columns, reset to run it again. Record sets
/// move and read through these, and the import and export run very many rows through one.
class PreparedQuery {
public:
    virtual ~PreparedQuery() = default;

    /// Binds a value to the parameter at `index` (from 1). Null binds Null.
    virtual void bind(int index, const QVariant& value) = 0;
    /// Binds UTF-8 text; a file's statement takes it without copying, so the bytes must stay
    /// as they are until the statement has been stepped.
    virtual void bindUtf8(int index, QByteArrayView utf8) {
        bind(index, QString::fromUtf8(utf8.data(), utf8.size()));
    }
    virtual void bindInt64(int index, qint64 value) { bind(index, QVariant(value)); }
    virtual void bindNull(int index) { bind(index, QVariant()); }
    /// Runs to the next row: true when there is one, false when done. Throws DbError.
    virtual bool step() = 0;
    /// Makes the statement ready to run again.
    virtual void reset() = 0;

    virtual int columnCount() const = 0;
    virtual QString columnName(int index) const = 0;
    /// The value of a column of the current row: whole numbers as qlonglong, text as
    /// QString, Null as an invalid QVariant.
    virtual QVariant column(int index) const = 0;
    virtual bool columnIsNull(int index) const { return column(index).isNull(); }
    virtual bool columnIsInteger(int index) const {
        return column(index).typeId() == QMetaType::LongLong;
    }
    /// Every column of the current row, by name.
    QSqlRecord row() const {
        QSqlRecord result;
        for (int i = 0; i < columnCount(); ++i) {
            const QVariant v = column(i);
            QSqlField field(columnName(i), v.metaType());
            field.setValue(v);
            result.append(field);
        }
        return result;
    }
    /// A column of the current row as UTF-8 text (numbers in decimal), valid until the next
    /// step or reset.
    virtual QByteArrayView columnUtf8(int index) const {
        if (m_utf8.size() <= index)
            m_utf8.resize(index + 1);
        m_utf8[index] = column(index).toString().toUtf8();
        return m_utf8[index];
    }

private:
    mutable QList<QByteArray> m_utf8;
};
