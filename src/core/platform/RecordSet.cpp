#include "core/platform/RecordSet.h"

#include "core/platform/Database.h"
#include "core/platform/DbError.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

RecordSet::RecordSet(std::shared_ptr<Database> db, QString table)
    : RecordSet(std::move(db), std::move(table), QString(), {}) {}

RecordSet::RecordSet(std::shared_ptr<Database> db, QString table, QString condition,
                     QVariantList binds)
    : m_db(std::move(db)), m_table(std::move(table)), m_condition(std::move(condition)),
      m_binds(std::move(binds)) {
    if (!m_db->hasTable(m_table))
        throw DbError(QStringLiteral("The file %1 has no table %2.")
                          .arg(m_db->path().section(QLatin1Char('/'), -1), m_table));
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

Statement& RecordSet::prepared(const QString& sql) const {
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements
                 .emplace(sql, std::make_unique<Statement>(m_db->handle(), sql, m_db->path()))
                 .first;
    return *it->second;
}

bool RecordSet::step(const QString& sql, const QVariantList& extraBinds) {
    forgetAhead();
    m_mode = Mode::None;
    m_pending.clear();
    // The moves run again and again: each keeps its prepared statement.
    Statement& q = prepared(sql);
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
    const QString sql = QStringLiteral("SELECT rowid FROM %1%2 ORDER BY rowid LIMIT 1")
                            .arg(Database::quote(m_table), whereClause({}));
    if (!step(sql, {})) {
        m_bof = m_eof = true;
        m_deleted = false;
    }
}

void RecordSet::moveLast() {
    const QString sql = QStringLiteral("SELECT rowid FROM %1%2 ORDER BY rowid DESC LIMIT 1")
                            .arg(Database::quote(m_table), whereClause({}));
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
        QStringLiteral("SELECT rowid, * FROM %1%2 ORDER BY rowid LIMIT ?")
            .arg(Database::quote(m_table), whereClause(QStringLiteral("rowid > ?")));
    Statement& q = prepared(sql);
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
        QStringLiteral("SELECT rowid FROM %1%2 ORDER BY rowid DESC LIMIT 1")
            .arg(Database::quote(m_table), whereClause(QStringLiteral("rowid < ?")));
    if (!step(sql, {m_id})) {
        m_bof = true;
        m_deleted = false;
    }
}

bool RecordSet::moveTo(qint64 id) {
    const QString sql =
        QStringLiteral("SELECT rowid FROM %1%2")
            .arg(Database::quote(m_table), whereClause(QStringLiteral("rowid = ?")));
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
    Statement& q = prepared(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                .arg(Database::quote(field), Database::quote(m_table)));
    q.bind(1, m_id);
    const bool found = q.step();
    const QVariant result = found ? q.column(0) : QVariant();
    q.reset();
    if (!found)
        throw DbError(QStringLiteral("The current record has been deleted."));
    return result;
}

QSqlRecord RecordSet::record() const {
    requireCurrent();
    if (const QVariantList* row = rowReadAhead()) {
        QSqlRecord result;
        for (int i = 0; i < m_columns.size(); ++i) {
            const QVariant& v = row->at(i);
            QSqlField field(m_columns.at(i), v.metaType());
            field.setValue(v);
            result.append(field);
        }
        return result;
    }
    Statement& q =
        prepared(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(Database::quote(m_table)));
    q.bind(1, m_id);
    const bool found = q.step();
    QSqlRecord result;
    if (found) {
        for (int i = 0; i < q.columnCount(); ++i) {
            const QVariant v = q.column(i);
            QSqlField field(q.columnName(i), v.metaType());
            field.setValue(v);
            result.append(field);
        }
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
        values << m_id;
        const QSqlQuery q = m_db->exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                           .arg(Database::quote(m_table), sets.join(", ")),
                                       values);
        // Another program may have deleted the row while it was shown here; an update that
        // reaches no row has stored nothing, and must say so.
        if (q.numRowsAffected() == 0)
            throw DbError(QStringLiteral("This record no longer exists: it was deleted while "
                                         "it was shown. What was entered for it was not stored."),
                          DbError::Reason::Gone);
        return;
    }

    QSqlQuery q =
        names.isEmpty()
            ? m_db->exec(
                  QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Database::quote(m_table)))
            : m_db->exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                             .arg(Database::quote(m_table), names.join(QStringLiteral(", ")),
                                  QStringList(names.size(), QStringLiteral("?")).join(", ")),
                         values);
    forgetAhead();
    m_id = q.lastInsertId().toLongLong();
    m_bof = m_eof = m_deleted = false;
}

void RecordSet::remove() {
    requireCurrent();
    m_mode = Mode::None;
    m_pending.clear();
    m_db->exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Database::quote(m_table)),
               {m_id});
    m_deleted = true;
}

void RecordSet::refresh() {
    moveFirst();
}
