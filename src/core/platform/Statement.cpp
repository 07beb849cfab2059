#include "core/platform/Statement.h"

#include "core/platform/DbError.h"

#include <sqlite3.h>

Statement::Statement(sqlite3* db, const QString& sql, const QString& path)
    : m_db(db), m_path(path) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &m_stmt, nullptr) != SQLITE_OK) {
        const QString why = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw DbError::fromEngine(why, path);
    }
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, text.constData(), sqlite3_uint64(text.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        throw DbError::fromEngine(QString::fromUtf8(sqlite3_errmsg(m_db)), m_path);
}

void Statement::bindUtf8(int index, QByteArrayView utf8) {
    // A null pointer would bind Null; the empty text is bound as empty.
    const char* data = utf8.data() ? utf8.data() : "";
    if (sqlite3_bind_text64(m_stmt, index, data, sqlite3_uint64(utf8.size()), SQLITE_STATIC,
                            SQLITE_UTF8) != SQLITE_OK)
        throw DbError::fromEngine(QString::fromUtf8(sqlite3_errmsg(m_db)), m_path);
}

void Statement::bindInt64(int index, qint64 value) {
    if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK)
        throw DbError::fromEngine(QString::fromUtf8(sqlite3_errmsg(m_db)), m_path);
}

void Statement::bindNull(int index) {
    if (sqlite3_bind_null(m_stmt, index) != SQLITE_OK)
        throw DbError::fromEngine(QString::fromUtf8(sqlite3_errmsg(m_db)), m_path);
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString why = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(m_stmt);
    throw DbError::fromEngine(why, m_path);
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int index) const {
    return QString::fromUtf8(sqlite3_column_name(m_stmt, index));
}

QVariant Statement::column(int index) const {
    switch (sqlite3_column_type(m_stmt, index)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, index));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, index));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, index)));
    }
    case SQLITE_NULL:
        return QVariant();
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, index)));
    }
    }
}

bool Statement::columnIsNull(int index) const {
    return sqlite3_column_type(m_stmt, index) == SQLITE_NULL;
}

bool Statement::columnIsInteger(int index) const {
    return sqlite3_column_type(m_stmt, index) == SQLITE_INTEGER;
}

QByteArrayView Statement::columnUtf8(int index) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index));
    return QByteArrayView(text, sqlite3_column_bytes(m_stmt, index));
}
