#pragma once

#include "core/platform/PreparedQuery.h"

#include <QHash>
#include <QMap>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>
#include <unordered_map>

class Database;

/// A table, or the rows of a table that match a condition, walked in natural order
/// (ascending row identity, which is `ID` where the table has one).
///
/// Moves cost the same whatever the size of the table: the record set keeps only the
/// identity of its current row and asks the database for the neighbour. A field read
/// always returns what is stored now, so two record sets on one table see each other's
/// updates and the last update wins. Null (an invalid QVariant) is distinct from the
/// empty text. Writes follow edit (or addNew), setValue, update.
///
/// A forward walk reads the next rows ahead in growing batches, so that a long walk does
/// not pay one query per row; what was read ahead is used only while neither this program
/// nor any other has changed the file since.
class RecordSet {
public:
    /// The whole table.
    RecordSet(std::shared_ptr<Database> db, QString table);
    /// The rows for which `condition` (SQL with `?` placeholders) holds; every value the
    /// user typed goes into `binds`, never into the condition text.
    RecordSet(std::shared_ptr<Database> db, QString table, QString condition, QVariantList binds);
    ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    const std::shared_ptr<Database>& database() const { return m_db; }
    const QString& table() const { return m_table; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    /// Moves to the row with this identity if it belongs to the record set.
    bool moveTo(qint64 id);

    /// Where the record set stands: kept before work that may be undone, so that the
    /// record set can go back there without asking the database (which may be the very
    /// thing that failed).
    struct Position {
        qint64 id = 0;
        bool bof = true;
        bool eof = true;
        bool deleted = false;
    };
    Position position() const { return {m_id, m_bof, m_eof, m_deleted}; }
    /// Goes back to a position kept before; any pending edit is dropped.
    void restore(const Position& position);

    /// Before the first row (after a movePrevious from the first, or when empty).
    bool bof() const { return m_bof; }
    /// After the last row (after a moveNext from the last, or when empty).
    bool eof() const { return m_eof; }
    bool hasCurrent() const { return !m_bof && !m_eof && !m_deleted; }
    qint64 currentId() const { return m_id; }

    /// Rows in the record set now.
    qint64 recordCount() const;

    /// The stored value of a field of the current row (the pending value while editing).
    QVariant value(const QString& field) const;
    bool isNull(const QString& field) const { return value(field).isNull(); }
    /// Every field of the current row as stored now, in one read. With `asShown` (the row
    /// is read to be shown to the user, who may then change it) the row's version is noted
    /// on the server: an edit stored later is refused (DbError::Reason::Changed) when
    /// another desk changed or deleted the row meanwhile.
    QSqlRecord record(bool asShown = false) const;
    /// The row version noted by the last record(true) of the current row; nothing on a
    /// file, or when the row has not been read to be shown since the last move.
    std::optional<qint64> seenVersion() const { return m_seenVersion; }
    /// Forgets the noted version: the next update stores over whatever is there.
    void forgetSeenVersion() { m_seenVersion.reset(); }

    void edit();
    void addNew();
    void setValue(const QString& field, const QVariant& value);
    /// Stores the pending values. After addNew the new row becomes the current row. On
    /// failure nothing is stored, the pending values are dropped, and DbError is thrown;
    /// an edit of a row that no longer exists (deleted meanwhile by another program) is
    /// such a failure, with the reason DbError::Reason::Gone.
    void update();
    void cancelUpdate();
    bool editing() const { return m_mode != Mode::None; }

    /// Deletes the current row; there is no current row until the next move.
    void remove();

    /// Runs the query again and moves to the first row.
    void refresh();

private:
    enum class Mode { None, Edit, Add };

    bool step(const QString& sql, const QVariantList& binds);
    void forgetAhead();
    /// Whether what was read ahead is still what is stored.
    bool aheadIsCurrent() const;
    /// The current row as read ahead, when that is still what is stored; else null.
    const QVariantList* rowReadAhead() const;
    QString whereClause(const QString& extra) const;
    void requireCurrent() const;
    PreparedQuery& prepared(const QString& sql) const;

    std::shared_ptr<Database> m_db;
    QString m_table;
    QString m_condition;
    QVariantList m_binds;

    qint64 m_id = 0;
    bool m_bof = true;
    bool m_eof = true;
    bool m_deleted = false;

    Mode m_mode = Mode::None;
    QMap<QString, QVariant> m_pending;
    // The rows after the current one (and the current row), read ahead while the user
    // walks forward. Valid only for the database generation and the file's change counter
    // they were read at; without a counter, only the identities are used.
    struct Row {
        qint64 id;
        QVariantList values;
    };
    QList<Row> m_ahead;
    QVariantList m_current;
    quint64 m_aheadGeneration = 0;
    std::optional<quint32> m_aheadCounter;
    int m_aheadBatch = 1;
    QStringList m_columns;          // of the rows read ahead
    QHash<QString, int> m_columnAt; // by name

    mutable std::unordered_map<QString, std::unique_ptr<PreparedQuery>> m_statements; // by SQL
    mutable std::optional<qint64> m_seenVersion;
    QString m_rowId; // how the engine names a row's identity
    mutable std::optional<bool> m_versioned;
    bool isVersioned() const;
    bool rowExists() const;
};
