#include "core/platform/ServerQuery.h"

#include "core/platform/DbError.h"

#include <QSqlError>
#include <QSqlRecord>

ServerQuery::ServerQuery(const QSqlDatabase& db, const QString& sql, QString path)
    : m_query(db), m_path(std::move(path)) {
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql))
        throw DbError::fromSql(m_query.lastError(), m_path);
}

void ServerQuery::bind(int index, const QVariant& value) {
    m_query.bindValue(index - 1, value);
}

bool ServerQuery::step() {
    if (!m_executed) {
        if (!m_query.exec())
            throw DbError::fromSql(m_query.lastError(), m_path);
        m_executed = true;
    }
    if (m_query.next())
        return true;
    if (m_query.lastError().isValid())
        throw DbError::fromSql(m_query.lastError(), m_path);
    return false;
}

void ServerQuery::reset() {
    m_query.finish();
    m_executed = false;
}

int ServerQuery::columnCount() const {
    return m_query.record().count();
}

QString ServerQuery::columnName(int index) const {
    return m_query.record().fieldName(index);
}

QVariant ServerQuery::column(int index) const {
    const QVariant v = m_query.value(index);
    if (v.isNull())
        return {};
    // Whole numbers come as qlonglong from either engine.
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::Short:
        return QVariant(v.toLongLong());
    default:
        return v;
    }
}
