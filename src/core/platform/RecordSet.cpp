#include "core/platform/RecordSet.h"

#include "core/platform/Database.h"
#include "core/platform/DbError.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

namespace {
// The field that counts the changes of a row on the server.
const QString kRowVersion = QStringLiteral("RowVersion");
} // namespace

RecordSet::RecordSet(std::shared_ptr<Database> db, QString table)
    : RecordSet(std::move(db), std::move(table), QString(), {}) {}

RecordSet::RecordSet(std::shared_ptr<Database> db, QString table, QString condition,
                     QVariantList binds)
    : m_db(std::move(db)), m_table(std::move(table)), m_condition(std::move(condition)),
      m_binds(std::move(binds)), m_rowId(m_db->rowId()) {
    if (!m_db->hasTable(m_table))
        throw DbError(
            QStringLiteral("The file %1 has no table %2.").arg(m_db->displayName(), m_table));
    moveFirst();
}

RecordSet::~RecordSet() = default;

QString RecordSet::whereClause(const QString& extra) const {
    QStringList parts;
    if (!m_condition.isEmpty())
        parts << QStringLiteral("(%1)").arg(m_condition);
    if (!extra.isEmpty())
        parts << extra;
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(" AND ");
}

PreparedQuery& RecordSet::prepared(const QString& sql) const {
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.emplace(sql, m_db->prepare(sql)).first;
    return *it->second;
}

bool RecordSet::step(const QString& sql, const QVariantList& extraBinds) {
    forgetAhead();
    m_mode = Mode::None;
    m_pending.clear();
    m_seenVersion.reset();
    // The moves run again and again: each keeps its prepared statement.
    PreparedQuery& q = prepared(sql);
    int i = 1;
    for (const QVariant& v : m_binds)
        q.bind(i++, v);
    for (const QVariant& v : extraBinds)
        q.bind(i++, v);
    bool found = false;
    try {
        found = q.step();
        if (found) {
            m_id = q.column(0).toLongLong();
            m_bof = m_eof = m_deleted = false;
        }
    } catch (...) {
        q.reset();
        throw;
    }
    q.reset();
    return found;
}

void RecordSet::moveFirst() {
    const QString sql = QStringLiteral("SELECT %3 FROM %1%2 ORDER BY %3 LIMIT 1")
                            .arg(Database::quote(m_table), whereClause({}), m_rowId);
    if (!step(sql, {})) {
        m_bof = m_eof = true;
        m_deleted = false;
    }
}

void RecordSet::moveLast() {
    const QString sql = QStringLiteral("SELECT %3 FROM %1%2 ORDER BY %3 DESC LIMIT 1")
                            .arg(Database::quote(m_table), whereClause({}), m_rowId);
    if (!step(sql, {})) {
        m_bof = m_eof = true;
        m_deleted = false;
    }
}

void RecordSet::forgetAhead() {
    m_ahead.clear();
    m_current.clear();
    m_aheadBatch = 1;
}

bool RecordSet::aheadIsCurrent() const {
    // A change this program made shows in the generation, one by any program in the
    // file's change counter: a read of it costs far less than a read of the row.
    return m_aheadGeneration == m_db->generation() &&
           (!m_aheadCounter || m_db->changeCounter() == m_aheadCounter);
}

const QVariantList* RecordSet::rowReadAhead() const {
    if (m_current.isEmpty() || !m_aheadCounter || m_deleted || !aheadIsCurrent())
        return nullptr;
    return &m_current;
}

void RecordSet::moveNext() {
    if (m_eof)
        return;
    if (m_bof) {
        moveFirst();
        return;
    }
    m_mode = Mode::None;
    m_pending.clear();
    m_seenVersion.reset();
    if (!m_ahead.isEmpty() && aheadIsCurrent()) {
        Row next = m_ahead.takeFirst();
        m_id = next.id;
        m_current = std::move(next.values);
        m_deleted = false;
        return;
    }
    // Walking on: read the next rows in batches that double up to 256, so a single Next
    // scans no further than the next match. The counter is read first: a change that
    // comes between makes the rows look older than they are, never newer.
    m_ahead.clear();
    m_current.clear();
    const std::optional<quint32> counter = m_db->changeCounter();
    const QString sql =
        QStringLiteral("SELECT %3, * FROM %1%2 ORDER BY %3 LIMIT ?")
            .arg(Database::quote(m_table), whereClause(m_rowId + QStringLiteral(" > ?")), m_rowId);
    PreparedQuery& q = prepared(sql);
    int i = 1;
    for (const QVariant& v : m_binds)
        q.bind(i++, v);
    q.bind(i++, m_id);
    q.bind(i, m_aheadBatch);
    QList<Row> rows;
    try {
        const int columns = q.columnCount();
        if (m_columns.size() != columns - 1) {
            m_columns.clear();
            m_columnAt.clear();
            for (int c = 1; c < columns; ++c) {
                m_columns << q.columnName(c);
                m_columnAt.insert(m_columns.constLast(), c - 1);
            }
        }
        while (q.step()) {
            Row row{q.column(0).toLongLong(), {}};
            // Without a counter nothing tells when the values go stale: only the identities
            // are kept.
            if (counter) {
                row.values.reserve(columns - 1);
                for (int c = 1; c < columns; ++c)
                    row.values << q.column(c);
            }
            rows << std::move(row);
        }
    } catch (...) {
        q.reset();
        throw;
    }
    q.reset();
    const int batch = std::min(m_aheadBatch * 2, 256);
    if (rows.isEmpty()) {
        m_eof = true;
        m_deleted = false;
        return;
    }
    Row first = rows.takeFirst();
    m_id = first.id;
    m_current = std::move(first.values);
    m_bof = m_eof = m_deleted = false;
    m_ahead = std::move(rows);
    m_aheadBatch = batch;
    m_aheadGeneration = m_db->generation();
    m_aheadCounter = counter;
}

void RecordSet::movePrevious() {
    if (m_bof)
        return;
    if (m_eof) {
        moveLast();
        return;
    }
    const QString sql =
        QStringLiteral("SELECT %3 FROM %1%2 ORDER BY %3 DESC LIMIT 1")
            .arg(Database::quote(m_table), whereClause(m_rowId + QStringLiteral(" < ?")), m_rowId);
    if (!step(sql, {m_id})) {
        m_bof = true;
        m_deleted = false;
    }
}

bool RecordSet::moveTo(qint64 id) {
    const QString sql =
        QStringLiteral("SELECT %3 FROM %1%2")
            .arg(Database::quote(m_table), whereClause(m_rowId + QStringLiteral(" = ?")), m_rowId);
    const bool wasBof = m_bof, wasEof = m_eof, wasDeleted = m_deleted;
    const qint64 oldId = m_id;
    if (step(sql, {id}))
        return true;
    m_id = oldId;
    m_bof = wasBof;
    m_eof = wasEof;
    m_deleted = wasDeleted;
    return false;
}

void RecordSet::restore(const Position& position) {
    forgetAhead();
    m_mode = Mode::None;
    m_pending.clear();
    m_seenVersion.reset();
    m_id = position.id;
    m_bof = position.bof;
    m_eof = position.eof;
    m_deleted = position.deleted;
}

qint64 RecordSet::recordCount() const {
    QSqlQuery q = m_db->exec(
        QStringLiteral("SELECT count(*) FROM %1%2").arg(Database::quote(m_table), whereClause({})),
        m_binds);
    return q.next() ? q.value(0).toLongLong() : 0;
}

void RecordSet::requireCurrent() const {
    if (!hasCurrent())
        throw DbError(QStringLiteral("There is no current record."));
}

QVariant RecordSet::value(const QString& field) const {
    if (m_mode != Mode::None) {
        auto it = m_pending.constFind(field);
        if (it != m_pending.constEnd())
            return it.value();
        if (m_mode == Mode::Add)
            return QVariant();
    }
    requireCurrent();
    if (const QVariantList* row = rowReadAhead()) {
        // A name the row does not hold as it stands goes to the database, which judges it.
        if (auto at = m_columnAt.constFind(field); at != m_columnAt.constEnd())
            return row->at(*at);
    }
    PreparedQuery& q =
        prepared(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                     .arg(Database::quote(field), Database::quote(m_table), m_rowId));
    q.bind(1, m_id);
    const bool found = q.step();
    const QVariant result = found ? q.column(0) : QVariant();
    q.reset();
    if (!found)
        throw DbError(QStringLiteral("The current record has been deleted."));
    return result;
}

QSqlRecord RecordSet::record(bool asShown) const {
    requireCurrent();
    const auto noteShown = [&](const QSqlRecord& shown) {
        if (asShown && shown.contains(kRowVersion))
            m_seenVersion = shown.value(kRowVersion).toLongLong();
    };
    if (const QVariantList* row = rowReadAhead()) {
        QSqlRecord result;
        for (int i = 0; i < m_columns.size(); ++i) {
            const QVariant& v = row->at(i);
            QSqlField field(m_columns.at(i), v.metaType());
            field.setValue(v);
            result.append(field);
        }
        noteShown(result);
        return result;
    }
    PreparedQuery& q = prepared(
        QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(Database::quote(m_table), m_rowId));
    q.bind(1, m_id);
    const bool found = q.step();
    QSqlRecord result;
    if (found) {
        result = q.row();
        noteShown(result);
    }
    q.reset();
    if (!found)
        throw DbError(QStringLiteral("The current record has been deleted."));
    return result;
}

void RecordSet::edit() {
    requireCurrent();
    m_mode = Mode::Edit;
    m_pending.clear();
}

void RecordSet::addNew() {
    m_mode = Mode::Add;
    m_pending.clear();
}

void RecordSet::setValue(const QString& field, const QVariant& value) {
    if (m_mode == Mode::None)
        throw DbError(QStringLiteral("A field was changed outside of an edit."));
    m_pending.insert(field, value);
}

void RecordSet::cancelUpdate() {
    m_mode = Mode::None;
    m_pending.clear();
}

void RecordSet::update() {
    if (m_mode == Mode::None)
        throw DbError(QStringLiteral("There is no edit to store."));
    const Mode mode = m_mode;
    const QMap<QString, QVariant> pending = std::exchange(m_pending, {});
    m_mode = Mode::None;

    QStringList names;
    QVariantList values;
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        names << Database::quote(it.key());
        values << it.value();
    }

    if (mode == Mode::Edit) {
        requireCurrent();
        if (names.isEmpty())
            return;
        QStringList sets;
        for (const QString& n : names)
            sets << n + QStringLiteral(" = ?");
        QString where = m_rowId + QStringLiteral(" = ?");
        values << m_id;
        // On the server every change of a row counts up its version (the server sees to it,
        // whoever changes the row); a change made from what was read at an older version
        // would overwrite another desk's work unseen.
        const bool versioned = isVersioned();
        const std::optional<qint64> seen = m_seenVersion;
        if (versioned && seen) {
            where += QStringLiteral(" AND %1 = ?").arg(Database::quote(kRowVersion));
            values << *seen;
        }
        const QSqlQuery q = m_db->exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                           .arg(Database::quote(m_table), sets.join(", "), where),
                                       values);
        if (q.numRowsAffected() == 0) {
            // Another program may have deleted the row while it was shown here; an update
            // that reaches no row has stored nothing, and must say so.
            if (!versioned || !seen || !rowExists())
                throw DbError(QStringLiteral("This record no longer exists: it was deleted "
                                             "while it was shown. What was entered for it was "
                                             "not stored."),
                              DbError::Reason::Gone);
            throw DbError(QStringLiteral("This record was changed by another desk while it was "
                                         "shown here. What was entered for it was not stored."),
                          DbError::Reason::Changed);
        }
        if (versioned && seen)
            m_seenVersion = *seen + 1;
        return;
    }

    const qint64 id = m_db->insert(m_table, names, values);
    forgetAhead();
    m_id = id;
    m_bof = m_eof = m_deleted = false;
}

void RecordSet::remove() {
    requireCurrent();
    m_mode = Mode::None;
    m_pending.clear();
    m_db->exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(Database::quote(m_table), m_rowId),
               {m_id});
    m_deleted = true;
    m_seenVersion.reset();
}

bool RecordSet::isVersioned() const {
    if (!m_versioned)
        m_versioned = m_db->onServer() && m_db->fieldNames(m_table).contains(kRowVersion);
    return *m_versioned;
}

bool RecordSet::rowExists() const {
    PreparedQuery& q = prepared(
        QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(Database::quote(m_table), m_rowId));
    q.bind(1, m_id);
    const bool found = q.step();
    q.reset();
    return found;
}

void RecordSet::refresh() {
    moveFirst();
}
