#include "core/setup/ProductTypeList.h"

#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/settings/SettingsDb.h"

#include <QSqlQuery>

namespace {
const QString kName = QStringLiteral("BusinessType");
}

ProductTypeList::ProductTypeList(const QString& settingsPath)
    : m_db(Database::open(settingsPath)),
      m_rows(std::make_unique<RecordSet>(m_db, SettingsDb::kProductTypeTable)) {}

ProductTypeList::~ProductTypeList() = default;

bool ProductTypeList::hasCurrent() const {
    return m_rows->hasCurrent();
}

qint64 ProductTypeList::currentId() const {
    return m_rows->hasCurrent() ? m_rows->currentId() : 0;
}

QVariant ProductTypeList::name() const {
    return m_rows->hasCurrent() ? m_rows->value(kName) : QVariant();
}

qint64 ProductTypeList::position() const {
    if (!m_rows->hasCurrent())
        return 0;
    QSqlQuery q = m_db->exec(QStringLiteral("SELECT count(*) FROM %1 WHERE rowid <= ?")
                                 .arg(Database::quote(SettingsDb::kProductTypeTable)),
                             {m_rows->currentId()});
    return q.next() ? q.value(0).toLongLong() : 0;
}

qint64 ProductTypeList::count() const {
    return m_rows->recordCount();
}

void ProductTypeList::moveFirst() {
    m_rows->moveFirst();
}

void ProductTypeList::movePrevious() {
    m_rows->movePrevious();
    if (m_rows->bof())
        m_rows->moveFirst();
}

void ProductTypeList::moveNext() {
    m_rows->moveNext();
    if (m_rows->eof())
        m_rows->moveLast();
}

void ProductTypeList::moveLast() {
    m_rows->moveLast();
}

void ProductTypeList::rename(const QString& name) {
    if (!m_rows->hasCurrent())
        return;
    const QVariant stored = m_rows->value(kName);
    const QVariant wanted = name.isEmpty() ? QVariant() : QVariant(name);
    if (stored.isNull() == wanted.isNull() && stored.toString() == name)
        return;
    m_rows->edit();
    m_rows->setValue(kName, wanted);
    m_rows->update();
}

void ProductTypeList::addNew() {
    m_rows->addNew();
    m_rows->update();
    m_rows->moveLast();
}

bool ProductTypeList::removeCurrent() {
    if (!m_rows->hasCurrent() || m_rows->currentId() == kFirstId)
        return false;
    m_rows->remove();
    m_rows->refresh();
    return true;
}
