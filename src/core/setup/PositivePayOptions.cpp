#include "core/setup/PositivePayOptions.h"

#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/settings/SettingsDb.h"

PositivePayOptions::PositivePayOptions(const QString& settingsPath)
    : m_db(Database::open(settingsPath)) {}

PositivePayOptions::~PositivePayOptions() = default;

PositivePayFormat PositivePayOptions::format() {
    PositivePayFormat format = PositivePayFormat::defaults();
    RecordSet settings(m_db, SettingsDb::kSettingsTable);
    if (!settings.hasCurrent())
        return format;
    // Only fields the table has are read: SQLite would take the quoted name of a missing
    // one for a text of its own.
    const QStringList present = m_db->fieldNames(SettingsDb::kSettingsTable);
    const auto stored = [&](const QString& field) {
        return present.contains(field, Qt::CaseInsensitive) ? settings.value(field) : QVariant();
    };
    if (const QVariant columns = stored(SettingsDb::kPayColumns); !columns.isNull())
        format.columns = PositivePayFormat::fromText(columns.toString());
    if (const QString dates = stored(SettingsDb::kPayDates).toString();
        PositivePayFormat::kDateFormats.contains(dates))
        format.dateFormat = dates;
    if (const QVariant cents = stored(SettingsDb::kPayCents); !cents.isNull())
        format.cents = TableSchema::isYes(cents);
    if (const QVariant voids = stored(SettingsDb::kPayVoids); !voids.isNull())
        format.voids = TableSchema::isYes(voids);
    return format;
}

void PositivePayOptions::store(const PositivePayFormat& format) {
    m_db->transaction([&] {
        const QStringList present = m_db->fieldNames(SettingsDb::kSettingsTable);
        for (const FieldDef& field : SettingsDb::laterFields())
            if (!present.contains(field.name, Qt::CaseInsensitive))
                m_db->exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                               .arg(Database::quote(SettingsDb::kSettingsTable),
                                    TableSchema::columnSql(field)));
        RecordSet settings(m_db, SettingsDb::kSettingsTable);
        if (!settings.hasCurrent())
            throw DbError(QStringLiteral("The settings file %1 has no settings record.")
                              .arg(SettingsDb::kFileName));
        settings.edit();
        settings.setValue(SettingsDb::kPayColumns, PositivePayFormat::toText(format.columns));
        settings.setValue(SettingsDb::kPayDates, format.dateFormat);
        settings.setValue(SettingsDb::kPayCents, format.cents ? YesNo::True : YesNo::False);
        settings.setValue(SettingsDb::kPayVoids, format.voids ? YesNo::True : YesNo::False);
        settings.update();
    });
}
