#include "core/databases/CheckDb.h"

#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/ServerLocation.h"

#include <QDir>
#include <QFileInfo>

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

QList<TableDef> CheckDb::schema() {
    return {accountTable(), headerTable()};
}

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

CheckDb::Kind CheckDb::kind(RecordSet& header) {
    header.moveFirst();
    const QString type = header.value(QStringLiteral("AccountType")).toString();
    if (type == kDraftType)
        return Kind::Draft;
    if (type == kCheckType)
        return Kind::Check;
    return Kind::Other;
}

QString CheckDb::problem(const QString& path) {
    if (ServerLocation::is(path)) {
        const QString name = ServerLocation::displayName(path);
        try {
            auto db = Database::open(path);
            const QString missing = TableSchema::firstMissing(*db, schema());
            if (!missing.isEmpty())
                return QStringLiteral("%1 is not a Ledgerline check database: it lacks %2.")
                    .arg(name, missing);
            RecordSet header(db, kHeader);
            if (header.eof())
                return QStringLiteral("%1 is damaged: it has no database header.").arg(name);
        } catch (const DbError& e) {
            return e.message();
        }
        return {};
    }
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists())
        return QStringLiteral("The database %1 cannot be found in %2.")
            .arg(name, QDir::toNativeSeparators(info.absolutePath()));
    if (!info.isFile())
        return QStringLiteral("%1 is not a database file.").arg(name);
    if (!info.isReadable())
        return QStringLiteral(
                   "Ledgerline may not read the database %1. Check the file's permissions.")
            .arg(name);
    if (!info.isWritable())
        return QStringLiteral("The database %1 is read-only, so Ledgerline could not save your "
                              "checks in it. Make the file writable, then choose it again.")
            .arg(name);
    try {
        auto db = Database::open(path, Database::Mode::ReadOnly);
        const QString missing = TableSchema::firstMissing(*db, schema());
        if (!missing.isEmpty())
            return QStringLiteral("%1 is not a Ledgerline check database: it lacks %2. The file "
                                  "has not been changed.")
                .arg(name, missing);
        RecordSet header(db, kHeader);
        if (header.eof())
            return QStringLiteral("%1 is damaged: it has no database header. The file has not "
                                  "been changed.")
                .arg(name);
    } catch (const DbError& e) {
        switch (e.reason()) {
        case DbError::Reason::Busy:
        case DbError::Reason::Damaged:
        case DbError::Reason::NoPermission:
        case DbError::Reason::ReadOnly:
            // Worth another try, or a sound file with a known way back: say exactly that.
            return e.message();
        default:
            return QStringLiteral("%1 is damaged or is not a Ledgerline check database. The "
                                  "file has not been changed.")
                .arg(name);
        }
    }
    return {};
}
