#include "core/settings/ServerSettings.h"

#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"

namespace {

const QString kTable = QStringLiteral("Server");

TableDef serverTable() {
    return {kTable,
            {{QStringLiteral("Host"), FieldKind::Text},
             {QStringLiteral("Port"), FieldKind::Long},
             {QStringLiteral("DatabaseName"), FieldKind::Text},
             {QStringLiteral("UserName"), FieldKind::Text}}};
}

} // namespace

ServerSettings ServerSettings::read(const QString& path) {
    auto db = Database::open(path);
    ServerSettings s;
    if (!db->hasTable(kTable))
        return s;
    RecordSet row(db, kTable);
    if (!row.hasCurrent())
        return s;
    s.host = row.value(QStringLiteral("Host")).toString().trimmed();
    s.port = row.value(QStringLiteral("Port")).isNull()
                 ? 5432
                 : int(row.value(QStringLiteral("Port")).toLongLong());
    s.database = row.value(QStringLiteral("DatabaseName")).toString().trimmed();
    s.user = row.value(QStringLiteral("UserName")).toString().trimmed();
    return s;
}

QString ServerSettings::portProblem(const QString& typed) {
    bool ok = false;
    const int port = typed.trimmed().toInt(&ok);
    if (ok && port >= 1 && port <= 65535)
        return {};
    return QStringLiteral("The port must be a number from 1 to 65535 (most servers use 5432); "
                          "\"%1\" was not stored.")
        .arg(typed);
}

void ServerSettings::store(const QString& path, const ServerSettings& settings) {
    if (const QString problem = portProblem(QString::number(settings.port)); !problem.isEmpty())
        throw DbError(problem);
    auto db = Database::open(path);
    db->transaction([&] {
        // An older settings file gains the table the first time a server is set up.
        if (!db->hasTable(kTable))
            db->exec(serverTable().createSql());
        RecordSet row(db, kTable);
        if (row.hasCurrent())
            row.edit();
        else
            row.addNew();
        row.setValue(QStringLiteral("Host"), settings.host.trimmed());
        row.setValue(QStringLiteral("Port"), settings.port);
        row.setValue(QStringLiteral("DatabaseName"), settings.database.trimmed());
        row.setValue(QStringLiteral("UserName"), settings.user.trimmed());
        row.update();
    });
}
