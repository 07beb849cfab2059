#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class Database;
class RecordSet;

/// The product types offered on the data-entry screen (table `BusinessType` of the settings
/// database), walked in table order as the setup screen's arrows walk them. The first
/// product type (ID 1) can be renamed but never deleted.
class ProductTypeList {
public:
    static constexpr qint64 kFirstId = 1;

    /// Opens the list in the settings database at `settingsPath`, on its first row.
    explicit ProductTypeList(const QString& settingsPath);
    ~ProductTypeList();

    /// False only when the list has no rows at all.
    bool hasCurrent() const;
    qint64 currentId() const;
    /// The name of the current product type; Null for a row without one.
    QVariant name() const;
    /// Where the current row stands in the list (from 1), and how many rows there are.
    qint64 position() const;
    qint64 count() const;

    /// The arrows of the navigation bar. Next on the last row and Previous on the first
    /// stay where they are.
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();

    /// Stores a new name for the current product type; the empty name stores Null. Stores
    /// nothing when the name is the one stored.
    void rename(const QString& name);

    /// Appends an empty product type and makes it current.
    void addNew();

    /// Deletes the current product type and goes back to the first; returns false, having
    /// changed nothing, when the current one is the first product type (ID 1) or the list
    /// is empty.
    bool removeCurrent();

private:
    std::shared_ptr<Database> m_db;
    std::unique_ptr<RecordSet> m_rows;
};
