#include "core/print/LabelMarking.h"

#include "core/entry/PrintOption.h"
#include "core/platform/Database.h"
#include "core/platform/TableSchema.h"

#include <QStringList>
#include <QVariant>

void LabelMarking::markConfirmed(const std::shared_ptr<Database>& db, const QList<qint64>& ids,
                                 const QString& today) {
    if (ids.isEmpty())
        return;
    QStringList parts;
    for (qint64 id : ids)
        parts << QString::number(id);
    const QString idList = QLatin1Char('[') + parts.join(QLatin1Char(',')) + QLatin1Char(']');
    db->transaction([&] {
        db->exec(QStringLiteral("UPDATE \"Account\" SET \"LabelPrint\" = CASE WHEN \"Print\" IN "
                                "(?, ?) THEN ? ELSE \"LabelPrint\" END, \"LPrinted\" = ? WHERE "
                                "\"ID\" IN (SELECT value FROM json_each(?))"),
                 {PrintOption::kOnce, PrintOption::kNever, YesNo::False, today, idList});
    });
}
