#pragma once

#include <QList>
#include <QString>
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

/// After the user confirmed that the checks printed, in one transaction (all or nothing):
/// each one-time check of `once` still set to "Once" is set to "Never", dated `Printed`
/// today and given the print note; each check of `monthly` still set to "Monthly" is dated,
/// given the print note and renumbered. In a DRAFT database a draft's number goes up by
/// one; in a CHECK database the checks take the numbers after the higher of the last
/// check's number and the header's LastCheck, which is then the last number handed out.
/// A number above 999900 starts again at 101. Throws DbError, having changed nothing.
void markConfirmed(const std::shared_ptr<Database>& db, const QList<qint64>& once,
                   const QList<qint64>& monthly, const QString& today);

/// The next number after `number`: numbers above 999900 start again at 101.
constexpr long long nextNumber(long long number) {
    return number + 1 > 999900 ? 101 : number + 1;
}

} // namespace CheckMarking
