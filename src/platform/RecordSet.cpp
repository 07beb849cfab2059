#include "platform/RecordSet.h"

#include "platform/Database.h"
#include "platform/DbError.h"

#include <QSqlError>
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

RecordSet::~RecordSet() { m_readers.clear(); }

QString RecordSet::whereClause(const QString& extra) const {
    QStringList parts;
    if (!m_condition.isEmpty())
        parts << QStringLiteral("(%1)").arg(m_condition);
    if (!extra.isEmpty())
        parts << extra;
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(" AND ");
}

bool RecordSet::step(const QString& sql, const QVariantList& extraBinds) {
    m_mode = Mode::None;
    m_pending.clear();
    QSqlQuery q = m_db->exec(sql, m_binds + extraBinds);
    if (!q.next())
        return false;
    m_id = q.value(0).toLongLong();
    m_bof = m_eof = m_deleted = false;
    return true;
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

void RecordSet::moveNext() {
    if (m_eof)
        return;
    if (m_bof) {
        moveFirst();
        return;
    }
    const QString sql = QStringLiteral("SELECT rowid FROM %1%2 ORDER BY rowid LIMIT 1")
                            .arg(Database::quote(m_table), whereClause(QStringLiteral("rowid > ?")));
    if (!step(sql, {m_id})) {
        m_eof = true;
        m_deleted = false;
    }
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
    const QString sql = QStringLiteral("SELECT rowid FROM %1%2")
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
    auto it = m_readers.find(field);
    if (it == m_readers.end()) {
        QSqlQuery q(m_db->connection());
        if (!q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                           .arg(Database::quote(field), Database::quote(m_table))))
            throw DbError::fromSql(q.lastError(), m_db->path());
        it = m_readers.insert(field, q);
    }
    QSqlQuery& q = it.value();
    q.bindValue(0, m_id);
    if (!q.exec())
        throw DbError::fromSql(q.lastError(), m_db->path());
    if (!q.next()) {
        q.finish();
        throw DbError(QStringLiteral("The current record has been deleted."));
    }
    QVariant result = q.value(0);
    q.finish();
    return result;
}

QSqlRecord RecordSet::record() const {
    requireCurrent();
    QSqlQuery q = m_db->exec(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(Database::quote(m_table)),
                             {m_id});
    if (!q.next())
        throw DbError(QStringLiteral("The current record has been deleted."));
    return q.record();
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
        m_db->exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                       .arg(Database::quote(m_table), sets.join(QStringLiteral(", "))),
                   values);
        return;
    }

    QSqlQuery q =
        names.isEmpty()
            ? m_db->exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Database::quote(m_table)))
            : m_db->exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                             .arg(Database::quote(m_table), names.join(QStringLiteral(", ")),
                                  QStringList(names.size(), QStringLiteral("?")).join(", ")),
                         values);
    m_id = q.lastInsertId().toLongLong();
    m_bof = m_eof = m_deleted = false;
}

void RecordSet::remove() {
    requireCurrent();
    m_mode = Mode::None;
    m_pending.clear();
    m_db->exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Database::quote(m_table)), {m_id});
    m_deleted = true;
}

void RecordSet::refresh() { moveFirst(); }
