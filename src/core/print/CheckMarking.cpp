#include "core/print/CheckMarking.h"

#include "core/databases/CheckDb.h"
#include "core/entry/PrintOption.h"
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"

#include <QStringList>

namespace {

const QString kCheck = QStringLiteral("Check");
const QString kComments = QStringLiteral("Comments");
const QString kPrint = QStringLiteral("Print");
const QString kPrinted = QStringLiteral("Printed");
const QString kLastCheck = QStringLiteral("LastCheck");

QString withNote(const QString& note, const QVariant& comments) {
    return note + QStringLiteral("\r\n") + comments.toString();
}

} // namespace

QString CheckMarking::printNote(const QVariant& check, const QVariant& amount,
                                const QString& today) {
    return QStringLiteral("Printed this check as #") + check.toString() + QStringLiteral(" For $") +
           amount.toString() + QStringLiteral(" on ") + today + QStringLiteral("  ");
}

void CheckMarking::dateChecks(const std::shared_ptr<Database>& db, const QList<qint64>& ids,
                              const QString& today) {
    if (ids.isEmpty())
        return;
    // The rows of a job are bound as one value: one statement changes all of them, whatever
    // their number.
    db->exec(QStringLiteral("UPDATE \"Account\" SET \"Date\" = ? WHERE %1")
                 .arg(db->isOneOf(QStringLiteral("\"ID\""))),
             {today, db->idList(ids)});
}

void CheckMarking::markConfirmed(const std::shared_ptr<Database>& db, const QList<qint64>& once,
                                 const QList<qint64>& monthly, const QString& today) {
    db->transaction([&] {
        if (!once.isEmpty())
            // The same note printNote() builds, for every one-time check in one statement.
            db->exec(QStringLiteral(
                         "UPDATE \"Account\" SET \"Print\" = ?, \"Printed\" = ?, \"Comments\" = "
                         "'Printed this check as #' || coalesce(CAST(\"Check\" AS text), '') || "
                         "' For $' || coalesce(\"Amount\", '') || ' on ' || ? || '  ' || ? || "
                         "coalesce(\"Comments\", '') WHERE %1 AND \"Print\" = ?")
                         .arg(db->isOneOf(QStringLiteral("\"ID\""))),
                     {PrintOption::kNever, today, today, QStringLiteral("\r\n"), db->idList(once),
                      PrintOption::kOnce});
        if (monthly.isEmpty())
            return;

        // New numbers are handed out under the header's lock: a desk making a new check
        // meanwhile waits for these.
        db->lockRows(CheckDb::kHeader);
        RecordSet header(db, CheckDb::kHeader);
        const CheckDb::Kind kind = CheckDb::kind(header);
        RecordSet rows(db, CheckDb::kAccount);
        // Never a number handed out before: start after the higher of the last check's
        // number and the last number the header records.
        rows.moveLast();
        long long running =
            qMax(rows.value(kCheck).toLongLong(), header.value(kLastCheck).toLongLong());
        bool renumbered = false;
        for (qint64 id : monthly) {
            if (!rows.moveTo(id) || rows.value(kPrint).toString() != PrintOption::kMonthly)
                continue;
            const QVariant number = rows.value(kCheck);
            rows.edit();
            rows.setValue(kPrinted, today);
            rows.setValue(kComments,
                          withNote(printNote(number, rows.value(QStringLiteral("Amount")), today),
                                   rows.value(kComments)));
            if (kind == CheckDb::Kind::Draft) {
                // A draft carries the customer's own check number; one without stays without.
                if (!number.isNull())
                    rows.setValue(kCheck, nextNumber(number.toLongLong()));
            } else if (kind == CheckDb::Kind::Check) {
                running = nextNumber(running);
                rows.setValue(kCheck, running);
                renumbered = true;
            }
            rows.update();
        }
        if (renumbered) {
            header.moveFirst();
            header.edit();
            header.setValue(kLastCheck, running);
            header.update();
        }
    });
}
