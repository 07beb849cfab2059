#include "core/print/CheckMarking.h"

#include "core/databases/CheckDb.h"
#include "core/entry/PrintOption.h"
#include "core/platform/Database.h"
#include "core/platform/PreparedQuery.h"
#include "core/platform/RecordSet.h"
#include "core/print/CheckFace.h"

#include <QSet>
#include <QStringList>

namespace {

const QString kCheck = QStringLiteral("Check");
const QString kComments = QStringLiteral("Comments");
const QString kPrint = QStringLiteral("Print");
const QString kPrinted = QStringLiteral("Printed");
const QString kLastCheck = QStringLiteral("LastCheck");
const QString kId = QStringLiteral("ID");
const QString kDate = QStringLiteral("Date");

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

QStringList CheckMarking::markConfirmed(const std::shared_ptr<Database>& db, const Printed& printed,
                                        const QString& today) {
    QStringList changed;
    db->transaction([&] {
        changed.clear();
        const QList<qint64>& monthly = printed.monthly;
        const QList<qint64> all = printed.once + monthly;
        if (all.isEmpty())
            return;
        // New numbers are handed out under the header's lock: a desk making a new check
        // meanwhile waits for these. The header first, as every desk takes it, then the
        // printed rows, so that no other desk changes one between the look and the marking.
        if (!monthly.isEmpty())
            db->lockRows(CheckDb::kHeader);
        db->lockRows(CheckDb::kAccount, all);
        RecordSet header(db, CheckDb::kHeader);
        const CheckDb::Kind kind = CheckDb::kind(header);

        // Which printed checks still read as they printed. When no one else has changed the
        // file since it was read to print, all of them do; otherwise one look at their rows.
        const QSet<qint64> everyTime(monthly.cbegin(), monthly.cend());
        QSet<qint64> asPrinted;
        const std::optional<qint64> othersVersion = db->othersVersion();
        if (othersVersion && othersVersion == printed.othersVersion) {
            asPrinted = QSet<qint64>(all.cbegin(), all.cend());
        } else {
            const auto rows = db->prepare(QStringLiteral("SELECT * FROM \"Account\" WHERE %1")
                                              .arg(db->isOneOf(QStringLiteral("\"ID\""))));
            rows->bind(1, db->idList(all));
            QStringList names;
            QHash<QString, QVariant> values;
            while (rows->step()) {
                if (names.isEmpty())
                    for (int i = 0; i < rows->columnCount(); ++i)
                        names << rows->columnName(i);
                for (int i = 0; i < names.size(); ++i)
                    values.insert(names[i], rows->column(i));
                CheckFace::Check check(values, kind);
                const qint64 id = check.value(kId).toLongLong();
                // A check printed every time showed the run's date, whatever its row says.
                check.date = everyTime.contains(id) ? QVariant(today) : check.value(kDate);
                if (CheckFace::fingerprint(check) == printed.faces.value(id))
                    asPrinted.insert(id);
            }
            rows->reset();
        }
        QList<qint64> once;
        for (qsizetype i = 0; i < printed.once.size(); ++i) {
            if (asPrinted.contains(printed.once[i]))
                once << printed.once[i];
            else
                changed << printed.onceNumbers.value(i);
        }
        for (qsizetype i = 0; i < monthly.size(); ++i)
            if (!asPrinted.contains(monthly[i]))
                changed << printed.monthlyNumbers.value(i);

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

        RecordSet account(db, CheckDb::kAccount);
        // Never a number handed out before: start after the higher of the last check's
        // number and the last number the header records.
        account.moveLast();
        long long running =
            qMax(account.value(kCheck).toLongLong(), header.value(kLastCheck).toLongLong());
        bool renumbered = false;
        for (qint64 id : monthly) {
            if (!asPrinted.contains(id) || !account.moveTo(id) ||
                account.value(kPrint).toString() != PrintOption::kMonthly)
                continue;
            const QVariant number = account.value(kCheck);
            account.edit();
            account.setValue(kPrinted, today);
            account.setValue(
                kComments,
                withNote(printNote(number, account.value(QStringLiteral("Amount")), today),
                         account.value(kComments)));
            if (kind == CheckDb::Kind::Draft) {
                // A draft carries the customer's own check number; one without stays without.
                if (!number.isNull())
                    account.setValue(kCheck, nextNumber(number.toLongLong()));
            } else if (kind == CheckDb::Kind::Check) {
                running = nextNumber(running);
                account.setValue(kCheck, running);
                renumbered = true;
            }
            account.update();
        }
        if (renumbered) {
            header.moveFirst();
            header.edit();
            header.setValue(kLastCheck, running);
            header.update();
        }
    });
    return changed;
}
