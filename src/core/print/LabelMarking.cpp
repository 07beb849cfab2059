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
    db->transaction([&] {
        db->exec(QStringLiteral("UPDATE \"Account\" SET \"LabelPrint\" = CASE WHEN \"Print\" IN "
                                "(?, ?) THEN ? ELSE \"LabelPrint\" END, \"LPrinted\" = ? WHERE %1")
                     .arg(db->isOneOf(QStringLiteral("\"ID\""))),
                 {PrintOption::kOnce, PrintOption::kNever, YesNo::False, today, db->idList(ids)});
    });
}
