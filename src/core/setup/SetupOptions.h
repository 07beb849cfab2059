#pragma once

#include <QString>
#include <memory>

class RecordSet;

/// The installation's setup values in the settings record: the tran code the bank wants on
/// deposit tickets, and whether leaving by File - Exit makes a backup of the database.
class SetupOptions {
public:
    /// Opens the settings record of the settings database at `settingsPath`.
    explicit SetupOptions(const QString& settingsPath);
    ~SetupOptions();

    QString tranCode() const;
    /// A Null flag counts as no backup.
    bool backupAtExit() const;

    /// Stores both values in one update of the settings record. A tran code the MICR line
    /// cannot print is refused (DbError) and nothing is stored.
    void store(const QString& tranCode, bool backupAtExit);

private:
    std::unique_ptr<RecordSet> m_settings;
};
