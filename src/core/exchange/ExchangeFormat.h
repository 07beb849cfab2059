#pragma once

#include <QString>
#include <QStringList>

/// The comma-delimited exchange file: which fields of a check record it carries, in order.
/// Text fields are written quoted, `Check` and `Amount` as plain numbers.
namespace ExchangeFormat {

/// The file both exports write, in the program folder.
inline const QString kExportFile = QStringLiteral("EXPORT.TXT");

/// A full record: every check field but the dates, comments, print flags and ID.
inline const QStringList kFullRecord = {
    QStringLiteral("BusinessName"), QStringLiteral("FirstName"), QStringLiteral("LastName"),
    QStringLiteral("Address"),      QStringLiteral("City"),      QStringLiteral("State"),
    QStringLiteral("Zip"),          QStringLiteral("Phone"),     QStringLiteral("PayTo"),
    QStringLiteral("Check"),        QStringLiteral("Amount"),    QStringLiteral("Bank"),
    QStringLiteral("BankCity"),     QStringLiteral("BankState"), QStringLiteral("ABA"),
    QStringLiteral("Account"),      QStringLiteral("For"),       QStringLiteral("BusinessType"),
};

/// A field of the record as the messages name it to the user: as the field, but for the
/// routing and account numbers and the memo ("BankRouting", "BankAccount", "Memo").
inline QString shownName(const QString& field) {
    if (field == QLatin1String("ABA"))
        return QStringLiteral("BankRouting");
    if (field == QLatin1String("Account"))
        return QStringLiteral("BankAccount");
    if (field == QLatin1String("For"))
        return QStringLiteral("Memo");
    return field;
}

/// A customer record: the name, address and phone at the head of the full record.
inline const QStringList kCustomerRecord = kFullRecord.mid(0, 8);

inline const QString kCheckField = QStringLiteral("Check");
inline const QString kAmountField = QStringLiteral("Amount");

} // namespace ExchangeFormat
