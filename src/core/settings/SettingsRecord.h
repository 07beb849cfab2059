#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class RecordSet;

/// The settings record of the settings file (its single `Properties` row) and the product
/// types kept beside it. Every read goes to the file, so a change made elsewhere counts.
class SettingsRecord {
public:
    /// Opens the settings file at `path`; throws DbError when it cannot be opened.
    explicit SettingsRecord(const QString& path);
    ~SettingsRecord();

    /// One of the three About lines, `index` 1 to 3; empty when it is Null or the settings
    /// file has no such field.
    QString aboutLine(int index);

    /// True when the user wants a backup copy of the current database at exit; an empty
    /// flag counts as No.
    bool backupAtExit();

    /// The product types in table order, for the product type selector; rows without a
    /// name are left out. None at all when the table is empty or its first row holds no
    /// type: the selector is then hidden.
    QStringList productTypes();

private:
    std::unique_ptr<RecordSet> m_record;
    std::unique_ptr<RecordSet> m_types;
};
