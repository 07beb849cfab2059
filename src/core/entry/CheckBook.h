#pragma once

#include "core/databases/CheckDb.h"

#include <QHash>
#include <QString>
#include <QVariantList>
#include <memory>

class Clock;
class Database;
class RecordSet;

/// The defaults new checks take from the template record: its texts (empty for Null) and
/// its label flag as text ("0" when unset).
struct TemplateCache {
    QHash<QString, QString> texts;
    QString labelPrint = QStringLiteral("0");
    QString text(const QString& field) const { return texts.value(field); }
};

/// The checks of one check database as the data-entry screen walks them: the record set
/// of the view (all checks, or those a search filter selects), the database header and
/// the template record. Numbering, the template rules and deletion live here.
class CheckBook {
public:
    /// The fields New copies from the template of a CHECK database.
    static const QStringList kPayerFields;

    /// Opens the view (all checks) and the header of the database file at `path`.
    explicit CheckBook(const QString& path);
    ~CheckBook();

    RecordSet& records() { return *m_records; }
    RecordSet& header() { return *m_header; }
    const std::shared_ptr<Database>& database() const { return m_db; }

    /// The kind of database, read afresh from the header.
    CheckDb::Kind kind();
    /// The window caption: "Check Database: " or "Draft Database: " and the description.
    QString caption();

    /// True when the template's BusinessName, FirstName and PayTo are all Null.
    bool templateIsEmpty();
    /// Gives an undated template today's date.
    void dateTemplate(const Clock& clock);

    /// Reads the template's defaults. In any database but a DRAFT database the template's
    /// label flag is turned off. Leaves the view on its last record.
    TemplateCache loadTemplate();

    /// Adds a numbered, dated check filled from the template by database kind and makes
    /// it current. Every step after the append goes on past a failure.
    void newCheck(const Clock& clock);

    /// Deletes the current check (never the template, ID 1) and shows the one before it;
    /// when it was the first of the view, the view's new first one; when the view is left
    /// empty, all checks.
    void deleteCurrent();
    bool currentIsTemplate();

    /// Narrows the view to the checks for which `condition` holds; false (and the view
    /// unchanged) when none does.
    bool filter(const QString& condition, const QVariantList& binds);
    /// All checks again, the template record current.
    void viewAll();
    bool filtered() const { return !m_condition.isEmpty(); }

private:
    void reopen();

    std::shared_ptr<Database> m_db;
    std::unique_ptr<RecordSet> m_records;
    std::unique_ptr<RecordSet> m_header;
    std::unique_ptr<RecordSet> m_all; // the unfiltered table: template first, last check last
    QString m_condition;
    QVariantList m_binds;
};
