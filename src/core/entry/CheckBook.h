#pragma once

#include "core/databases/CheckDb.h"
#include "core/entry/FieldEntry.h"

#include <QHash>
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <memory>
#include <optional>

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

/// What File - Goto First Check shows beside the template's own boxes.
struct FirstCheckOptions {
    QString printOption;           ///< the print option's text; empty: it keeps what it shows
    QString productType;           ///< the product type's text, a blank for none
    std::optional<bool> labelTick; ///< the label box's tick; none: it keeps its tick
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

    /// Every field of the current check as stored now; an empty record when there is none.
    QSqlRecord current();

    /// Stores what the user typed into the current check in one update: each text as its
    /// field takes it, and the label flag when the user changed it. Every text is checked
    /// first: one its field cannot take throws FieldRefused, and then nothing is stored.
    /// A check that no longer exists (deleted meanwhile elsewhere) throws DbError with the
    /// reason Gone, saying that what was entered was not stored; so does a database that
    /// has vanished.
    void commit(const QList<FieldEntry::Typed>& typed, std::optional<bool> labelPrint = {});
    /// Stores these values, already as their fields take them, into the current check in
    /// one update; a check or database that is gone throws DbError as commit() does.
    void store(const QList<std::pair<QString, QVariant>>& values);

    /// Moves to the next (previous) check of the view. Running off the end leaves the last
    /// (first) check current and returns false; a move that fails throws DbError and leaves
    /// the view where it was.
    bool moveNext();
    bool movePrevious();

    /// The print option chosen by its caption: its code goes into `Print`. A caption that
    /// is not one of the list's stores nothing. Throws DbError when it cannot be stored.
    void choosePrintOption(const QString& caption);
    /// The product type chosen: stored in `BusinessType` and, replacing the memo, in `For`.
    /// Throws DbError when it cannot be stored.
    void chooseProductType(const QString& type);

    /// Makes the template record current and tells what the selectors show for it: the
    /// template's own words for "Monthly", and its `LPrint` flag as the label tick. When
    /// the template cannot be read, throws DbError and the view stays where it was.
    FirstCheckOptions gotoFirstCheck();

    /// True when the database file was moved, renamed or deleted while it was open:
    /// nothing can be stored in it any more.
    bool vanished() const;

    /// The kind of database, read afresh from the header.
    CheckDb::Kind kind();
    /// The window caption: "Check Database: " or "Draft Database: " and the description.
    QString caption();

    /// True when the template's BusinessName, FirstName and PayTo are all Null.
    bool templateIsEmpty();
    /// Gives an undated template today's date.
    void dateTemplate(const Clock& clock);

    /// Reads the template's defaults. In any database but a DRAFT database the template's
    /// label flag is turned off. Leaves the view on its last record. Each step goes on past
    /// a failure of another, as loading the screen does.
    TemplateCache loadTemplate();

    /// Adds a numbered, dated check filled from the template by database kind and makes
    /// it current, in one transaction (a savepoint inside another). When any step fails it
    /// throws DbError: then no check was added, no number handed out, and the view is on
    /// the check it was on. Under a search filter the new check belongs to the view until
    /// the view is replaced, whether it matches or not, so that Next and Previous come back
    /// to it.
    void newCheck(const Clock& clock);

    /// Deletes the current check (never the template, ID 1) and shows the one before it;
    /// when it was the first of the view, the view's new first one; when the view is left
    /// empty, all checks. A check that was printed or is void is never deleted: that
    /// throws DbError and changes nothing.
    void deleteCurrent();
    bool currentIsTemplate();
    /// True when the current check has been printed: it carries the date of a print run.
    bool currentIsPrinted();
    /// True when the current check is void.
    bool currentIsVoid();
    /// The current check as messages name it: "check #1043", or "this check".
    QString currentName();

    /// Voids the current check in one update: today's date and the reason are stored, and
    /// it prints "Never" from now on. The template, a void check and an empty reason are
    /// refused with DbError, as is a database that cannot take the void fields; nothing
    /// is stored then.
    void voidCurrent(const QString& reason, const Clock& clock);

    /// Makes the check with this ID current, showing all checks when the view leaves it
    /// out; false (and the view unchanged) when there is no such check.
    bool showCheck(qint64 id);

    /// Narrows the view to the checks for which `condition` holds; false (and the view
    /// unchanged) when none does.
    bool filter(const QString& condition, const QVariantList& binds);
    /// Narrows the view to the checks whose `field` contains `text`, letter case ignored;
    /// false (and the view unchanged) when none does.
    bool search(const QString& field, const QString& text);
    /// All checks again, the template record current.
    void viewAll();
    bool filtered() const { return !m_condition.isEmpty(); }

private:
    bool walk(bool forward);
    /// Throws DbError saying the current check is void, followed by `consequence`.
    void refuseIfVoid(const QString& consequence);
    void requireFile() const;
    std::unique_ptr<RecordSet> view() const;
    /// The template's texts (empty for Null) and label flag, read afresh from the template.
    TemplateCache templateDefaults();
    /// Turns the template's label flag off, in any database but a DRAFT database.
    void clearTemplateLabel();
    /// What the selectors show for the current check, the template.
    FirstCheckOptions firstCheckOptions();

    std::shared_ptr<Database> m_db;
    std::unique_ptr<RecordSet> m_records;
    std::unique_ptr<RecordSet> m_header;
    std::unique_ptr<RecordSet> m_all; // the unfiltered table: template first, last check last
    QString m_condition;
    QVariantList m_binds;
    QVariantList m_added; // checks made under the filter in force, which stay in its view
};
