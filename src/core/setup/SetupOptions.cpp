#include "core/setup/SetupOptions.h"

#include "core/entry/MicrText.h"
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
    // The tran code prints in the MICR line of deposit tickets, after the account number.
    if (!MicrText::fits(MicrText::Field::TranCode, tranCode))
        throw DbError(QStringLiteral("The tran code must be %1, as the MICR line of deposit "
                                     "tickets prints it; \"%2\" was not stored.")
                          .arg(MicrText::allowed(MicrText::Field::TranCode), tranCode));
    m_settings->moveFirst();
    m_settings->edit();
    m_settings->setValue(SettingsDb::kTranCode, tranCode);
    m_settings->setValue(SettingsDb::kBackupAtExit, backupAtExit ? YesNo::True : YesNo::False);
    m_settings->update();
}
