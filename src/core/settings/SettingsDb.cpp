#include "core/settings/SettingsDb.h"

#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/register/PositivePay.h"
#include "core/settings/Password.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <iterator>

QList<TableDef> SettingsDb::schema() {
    return {
        {kSettingsTable,
         {
             {kVerticalStart, FieldKind::Long},
             {kHorizontalStart, FieldKind::Long},
             {kQuickenCheckStock, FieldKind::YesNo},
             {kPrint2Checks, FieldKind::YesNo},
             {kPlainPaper, FieldKind::YesNo},
             {kTranCode, FieldKind::Text},
             {kBackupAtExit, FieldKind::YesNo},
             {kInsuranceSiteId, FieldKind::Text},
             {kAboutLine[0], FieldKind::Text},
             {kAboutLine[1], FieldKind::Text},
             {kAboutLine[2], FieldKind::Text},
             {kPayColumns, FieldKind::Text},
             {kPayDates, FieldKind::Text},
             {kPayCents, FieldKind::YesNo},
             {kPayVoids, FieldKind::YesNo},
         }},
        {kPasswordTable, {{kPassword, FieldKind::Text}}},
        {kProductTypeTable,
         {
             {QStringLiteral("ID"), FieldKind::Counter},
             {kProductType, FieldKind::Text},
         }},
    };
}

QList<FieldDef> SettingsDb::laterFields() {
    return {{kPayColumns, FieldKind::Text},
            {kPayDates, FieldKind::Text},
            {kPayCents, FieldKind::YesNo},
            {kPayVoids, FieldKind::YesNo}};
}

void SettingsDb::createShipped(const QString& path) {
    auto db = Database::create(path);
    db->transaction([&] {
        TableSchema::create(*db, schema());

        RecordSet settings(db, kSettingsTable);
        settings.addNew();
        settings.setValue(kVerticalStart, 200);
        settings.setValue(kHorizontalStart, 525);
        // A new user most likely has standard 88 mm laser check stock, three to a sheet,
        // and is safest with a backup of the database at every exit.
        settings.setValue(kQuickenCheckStock, YesNo::True);
        settings.setValue(kPrint2Checks, YesNo::False);
        settings.setValue(kPlainPaper, YesNo::False);
        settings.setValue(kTranCode, QString(""));
        settings.setValue(kBackupAtExit, YesNo::True);
        settings.setValue(kInsuranceSiteId, QString(""));
        const PositivePayFormat pay = PositivePayFormat::defaults();
        settings.setValue(kPayColumns, PositivePayFormat::toText(pay.columns));
        settings.setValue(kPayDates, pay.dateFormat);
        settings.setValue(kPayCents, pay.cents ? YesNo::True : YesNo::False);
        settings.setValue(kPayVoids, pay.voids ? YesNo::True : YesNo::False);
        settings.setValue(
            kAboutLine[0],
            QStringLiteral("Ledgerline writes and prints your own checks and drafts."));
        settings.setValue(
            kAboutLine[1],
            QStringLiteral("Laser check stock with three checks to a sheet works best."));
        settings.setValue(
            kAboutLine[2],
            QStringLiteral("Ask your office supply dealer for MICR laser check stock."));
        settings.update();

        RecordSet password(db, kPasswordTable);
        password.addNew();
        password.setValue(kPassword, Password::hash(QString::fromLatin1(Password::kDefault)));
        password.update();

        RecordSet types(db, kProductTypeTable);
        for (const char* type : {"General Merchandise", "Services", "Repairs", "Subscription",
                                 "Consulting", "Other"}) {
            types.addNew();
            types.setValue(kProductType, QString::fromLatin1(type));
            types.update();
        }
    });
}

namespace {

// What start-up insists on: the tables and fields the program reads. The check-insurance
// site ID is read by nothing, an About line that is missing is shown empty, and missing
// positive-pay choices read as the usual layout.
QList<TableDef> readByTheProgram() {
    QList<TableDef> tables = SettingsDb::schema();
    const QList<FieldDef> later = SettingsDb::laterFields();
    for (TableDef& table : tables)
        table.fields.removeIf([&](const FieldDef& f) {
            return f.name == SettingsDb::kInsuranceSiteId ||
                   std::find(std::begin(SettingsDb::kAboutLine), std::end(SettingsDb::kAboutLine),
                             f.name) != std::end(SettingsDb::kAboutLine) ||
                   std::any_of(later.cbegin(), later.cend(),
                               [&](const FieldDef& l) { return l.name == f.name; });
        });
    return tables;
}

} // namespace

QString SettingsDb::problem(const QString& path) {
    const QFileInfo info(path);
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    const QString tail = QStringLiteral(
        " Nothing has been changed. Copy PC.OVL from your Ledgerline installation into that "
        "folder, then start Ledgerline again.");
    if (!info.exists())
        return QStringLiteral("Ledgerline cannot start: its settings file %1 is missing from the "
                              "program folder %2.")
                   .arg(info.fileName(), folder) +
               tail;
    if (!info.isReadable())
        return QStringLiteral("Ledgerline cannot start: it may not read its settings file %1 in "
                              "the program folder %2. Check the file's permissions; nothing has "
                              "been changed.")
            .arg(info.fileName(), folder);
    try {
        auto db = Database::open(path, Database::Mode::ReadOnly);
        const QString missing = TableSchema::firstMissing(*db, readByTheProgram());
        if (!missing.isEmpty())
            return QStringLiteral("Ledgerline cannot start: its settings file %1 in the program "
                                  "folder %2 lacks %3.")
                       .arg(info.fileName(), folder, missing) +
                   tail;
        RecordSet settings(db, kSettingsTable);
        RecordSet password(db, kPasswordTable);
        if (settings.eof() || password.eof())
            return QStringLiteral("Ledgerline cannot start: its settings file %1 in the program "
                                  "folder %2 has no %3 record.")
                       .arg(info.fileName(), folder,
                            settings.eof() ? QStringLiteral("settings")
                                           : QStringLiteral("password")) +
                   tail;
    } catch (const DbError& e) {
        switch (e.reason()) {
        case DbError::Reason::Busy:
        case DbError::Reason::NoPermission:
        case DbError::Reason::ReadOnly:
            // The file may well be sound: no reason to replace it.
            return QStringLiteral("Ledgerline cannot start. ") + e.message();
        default:
            return QStringLiteral("Ledgerline cannot start: its settings file %1 in the program "
                                  "folder %2 is damaged or is not a Ledgerline settings file.")
                       .arg(info.fileName(), folder) +
                   tail;
        }
    }
    return {};
}
