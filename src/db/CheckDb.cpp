#include "db/CheckDb.h"

#include "platform/Database.h"
#include "platform/RecordSet.h"

TableDef CheckDb::accountTable() {
    return {kAccount,
            {
                {QStringLiteral("ID"), FieldKind::Counter},
                {QStringLiteral("BusinessName"), FieldKind::Text},
                {QStringLiteral("FirstName"), FieldKind::Text},
                {QStringLiteral("LastName"), FieldKind::Text},
                {QStringLiteral("Address"), FieldKind::Text},
                {QStringLiteral("City"), FieldKind::Text},
                {QStringLiteral("State"), FieldKind::Text},
                {QStringLiteral("Zip"), FieldKind::Text},
                {QStringLiteral("Phone"), FieldKind::Text},
                {QStringLiteral("PayTo"), FieldKind::Text},
                {QStringLiteral("Check"), FieldKind::Long},
                {QStringLiteral("Amount"), FieldKind::Amount},
                {QStringLiteral("Bank"), FieldKind::Text},
                {QStringLiteral("BankCity"), FieldKind::Text},
                {QStringLiteral("BankState"), FieldKind::Text},
                {QStringLiteral("ABA"), FieldKind::Text},
                {QStringLiteral("Account"), FieldKind::Text},
                {QStringLiteral("For"), FieldKind::Text},
                {QStringLiteral("Date"), FieldKind::Text},
                {QStringLiteral("Comments"), FieldKind::Memo},
                {QStringLiteral("Print"), FieldKind::Text},
                {QStringLiteral("LabelPrint"), FieldKind::YesNo},
                {QStringLiteral("LPrint"), FieldKind::Small},
                {QStringLiteral("Printed"), FieldKind::Text},
                {QStringLiteral("LPrinted"), FieldKind::Text},
                {QStringLiteral("BusinessType"), FieldKind::Text},
            }};
}

TableDef CheckDb::headerTable() {
    return {kHeader,
            {
                {QStringLiteral("AccountType"), FieldKind::Text},
                {QStringLiteral("Description"), FieldKind::Text},
                {QStringLiteral("LastCheck"), FieldKind::Long},
            }};
}

QList<TableDef> CheckDb::schema() { return {accountTable(), headerTable()}; }

void CheckDb::createTemplate(const QString& path) {
    auto db = Database::create(path);
    db->transaction([&] {
        TableSchema::create(*db, schema());
        RecordSet account(db, kAccount);
        account.addNew();
        account.update();
        RecordSet header(db, kHeader);
        header.addNew();
        header.update();
    });
}
