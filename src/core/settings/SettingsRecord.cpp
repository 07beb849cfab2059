#include "core/settings/SettingsRecord.h"

#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/platform/Statement.h"
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
    // One statement reads every type: a walk of the record set would take the file's lock
    // again for every move and every read, which with thousands of types holds up the
    // data-entry screen for seconds.
    const auto& db = m_types->database();
    Statement rows(db->handle(),
                   QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                       .arg(Database::quote(SettingsDb::kProductType),
                            Database::quote(SettingsDb::kProductTypeTable)),
                   db->path());
    QStringList types;
    for (bool first = true; rows.step(); first = false) {
        // A first row without a value means there are no product types.
        if (first && rows.columnIsNull(0))
            return {};
        // A row without a name (one the setup screen added and never named) is no product
        // type: shown, it would be a blank entry that empties the memo when chosen.
        if (const QString type = rows.column(0).toString(); !type.isEmpty())
            types << type;
    }
    return types;
}
