#include "core/settings/SettingsRecord.h"

#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/settings/SettingsDb.h"

SettingsRecord::SettingsRecord(const QString& path) {
    auto db = Database::open(path);
    m_record = std::make_unique<RecordSet>(db, SettingsDb::kSettingsTable);
    m_types = std::make_unique<RecordSet>(db, SettingsDb::kProductTypeTable);
}

SettingsRecord::~SettingsRecord() = default;

QString SettingsRecord::aboutLine(int index) {
    if (index < 1 || index > 3)
        return {};
    // A settings file may lack an About line. The engine would read the quoted name of a
    // missing column as a text of its own and show the field's name, so only a field the
    // table has is read.
    const QString field = SettingsDb::kAboutLine[index - 1];
    if (!m_record->database()
             ->fieldNames(SettingsDb::kSettingsTable)
             .contains(field, Qt::CaseInsensitive))
        return {};
    m_record->moveFirst();
    return m_record->value(field).toString();
}

bool SettingsRecord::backupAtExit() {
    m_record->moveFirst();
    return TableSchema::isYes(m_record->value(SettingsDb::kBackupAtExit));
}

QStringList SettingsRecord::productTypes() {
    QStringList types;
    m_types->moveFirst();
    if (m_types->eof() || m_types->isNull(SettingsDb::kProductType))
        return types;
    // A row without a name (one the setup screen added and never named) is no product type:
    // shown, it would be a blank entry that empties the memo when chosen.
    for (; !m_types->eof(); m_types->moveNext())
        if (const QString type = m_types->value(SettingsDb::kProductType).toString();
            !type.isEmpty())
            types << type;
    return types;
}
