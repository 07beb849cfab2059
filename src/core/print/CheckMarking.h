#pragma once

#include <optional>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class Database;

/// What a check job writes into the check database once its checks have printed.
namespace CheckMarking {

/// The first line a confirmed print puts in front of a check's comments:
/// "Printed this check as #1043 For $250.00 on 3/3/2001" and two blanks. The number is the
/// check's number before any renumbering; Null parts are empty.
QString printNote(const QVariant& check, const QVariant& amount, const QString& today);

/// Gives the checks that print every time and have just printed (`ids`) today's date, the
/// date printed on them. One statement: all of them or none.
void dateChecks(const std::shared_ptr<Database>& db, const QList<qint64>& ids,
                const QString& today);

/// The checks a check job printed, by kind, in the order printed: their rows, their numbers
/// as printed ("#1043", or "without a number") to name them to the user, and the
/// fingerprint of each face as printed (CheckFace::fingerprint) by row.
struct Printed {
    QList<qint64> once;
    QList<qint64> monthly;
    QStringList onceNumbers;
    QStringList monthlyNumbers;
    QHash<qint64, QByteArray> faces;
    /// Database::othersVersion() while the checks were read to print.
    std::optional<qint64> othersVersion;
};

/// After the user confirmed that the checks printed, in one transaction (all or nothing):
/// each one-time check of `printed.once` still set to "Once" is set to "Never", dated
/// `Printed` today and given the print note; each check of `printed.monthly` still set to
/// "Monthly" is dated, given the print note and renumbered. In a DRAFT database a draft's
/// number goes up by one; in a CHECK database the checks take the numbers after the higher
/// of the last check's number and the header's LastCheck, which is then the last number
/// handed out. A number above 999900 starts again at 101.
///
/// Only what is on paper is marked: a check changed since it printed (another desk or
/// program changed what its face shows) or deleted meanwhile is left as it is. Returns their
/// numbers as printed; empty when every check read as it printed. On the server the printed
/// rows are held until the marking is stored. Throws DbError, having changed nothing.
QStringList markConfirmed(const std::shared_ptr<Database>& db, const Printed& printed,
                          const QString& today);

/// The next number after `number`: numbers above 999900 start again at 101.
constexpr long long nextNumber(long long number) {
    return number + 1 > 999900 ? 101 : number + 1;
}

} // namespace CheckMarking
