#pragma once

#include "core/platform/PreparedQuery.h"

#include <QSqlQuery>

/// A statement prepared on the database server through Qt's driver.
class ServerQuery : public PreparedQuery {
public:
    /// Prepares `sql` on the connection; throws DbError naming the database at `path`.
    ServerQuery(const QSqlDatabase& db, const QString& sql, QString path);

    void bind(int index, const QVariant& value) override;
    bool step() override;
    void reset() override;
    int columnCount() const override;
    QString columnName(int index) const override;
    QVariant column(int index) const override;

private:
    QSqlQuery m_query;
    QString m_path;
    bool m_executed = false;
};
