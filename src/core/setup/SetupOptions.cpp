#include "core/setup/SetupOptions.h"

#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/settings/SettingsDb.h"

SetupOptions::SetupOptions(const QString& settingsPath)
    : m_settings(
          std::make_unique<RecordSet>(Database::open(settingsPath), SettingsDb::kSettingsTable)) {
    if (!m_settings->hasCurrent())
        throw DbError(QStringLiteral("The settings file %1 has no settings record.")
                          .arg(SettingsDb::kFileName));
}

SetupOptions::~SetupOptions() = default;

QString SetupOptions::tranCode() const {
    return m_settings->value(SettingsDb::kTranCode).toString();
}

bool SetupOptions::backupAtExit() const {
    return TableSchema::isYes(m_settings->value(SettingsDb::kBackupAtExit));
}

void SetupOptions::store(const QString& tranCode, bool backupAtExit) {
    m_settings->moveFirst();
    m_settings->edit();
    m_settings->setValue(SettingsDb::kTranCode, tranCode);
    m_settings->setValue(SettingsDb::kBackupAtExit, backupAtExit ? YesNo::True : YesNo::False);
    m_settings->update();
}
