#include "core/register/RegisterModel.h"

#include "core/entry/PrintOption.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"

#include <QFont>

namespace {

using Column = CheckKeys::Column;

Column columnAt(int section) {
    return Column(qBound(0, section, CheckKeys::kColumns - 1));
}

QString voidSince(const RegisterRow& row) {
    return QStringLiteral("Void since %1: %2").arg(row.voidDate, row.voidReason);
}

} // namespace

RegisterModel::RegisterModel(const QString& path, QObject* parent)
    : QAbstractTableModel(parent), m_db(Database::open(path)) {
    RecordSet header(m_db, CheckDb::kHeader);
    m_kind = CheckDb::kind(header);
    reread();
}

RegisterModel::~RegisterModel() = default;

QString RegisterModel::caption(Column column, CheckDb::Kind kind) {
    switch (column) {
    case Column::Number:
        return QStringLiteral("Check #");
    case Column::Date:
        return QStringLiteral("Date");
    case Column::Party:
        return kind == CheckDb::Kind::Draft ? QStringLiteral("Payer") : QStringLiteral("Payee");
    case Column::Amount:
        return QStringLiteral("Amount");
    case Column::Print:
        return QStringLiteral("Prints");
    case Column::Printed:
        return QStringLiteral("Printed");
    case Column::Void:
        return QStringLiteral("Void");
    }
    return {};
}

int RegisterModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int RegisterModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : CheckKeys::kColumns;
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return caption(columnAt(section), m_kind);
}

const RegisterRow* RegisterModel::rowAt(int row) const {
    if (row < 0 || row >= m_rows)
        return nullptr;
    const int page = row / kPage;
    if (!m_kept.contains(page)) {
        // A page shown before whose contents were let go: read again from where it starts.
        QList<RegisterRow> rows;
        try {
            rows = m_query->page(m_pages[page].after, m_pages[page].rows);
        } catch (const DbError& e) {
            tellLater(e.message());
            return nullptr;
        }
        m_kept.insert(page, rows);
    }
    keep(page);
    const QList<RegisterRow>& rows = m_kept[page];
    const int at = row % kPage;
    // Checks deleted meanwhile by another program leave a page short: its last rows show
    // empty until the register is read again.
    return at < rows.size() ? &rows.at(at) : nullptr;
}

void RegisterModel::keep(int page) const {
    m_recent.removeOne(page);
    m_recent.append(page);
    while (m_recent.size() > kKeptPages)
        m_kept.remove(m_recent.takeFirst());
}

void RegisterModel::tellLater(const QString& why) const {
    // Told once the view's request has returned, and once however many rows failed.
    if (m_failing)
        return;
    m_failing = true;
    auto* self = const_cast<RegisterModel*>(this);
    QMetaObject::invokeMethod(
        self,
        [self, why] {
            self->m_failing = false;
            emit self->readFailed(why);
        },
        Qt::QueuedConnection);
}

QVariant RegisterModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Column column = columnAt(index.column());
    if (role == Qt::TextAlignmentRole)
        return column == Column::Number || column == Column::Amount
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::FontRole && role != Qt::ToolTipRole &&
        role != Qt::AccessibleTextRole && role != kIdRole)
        return {};
    const RegisterRow* row = rowAt(index.row());
    if (!row)
        return {};
    const bool isVoid = !row->voidDate.isEmpty();
    switch (role) {
    case kIdRole:
        return row->id;
    case Qt::FontRole: {
        if (!isVoid)
            return {};
        QFont struck;
        struck.setStrikeOut(true);
        return struck;
    }
    case Qt::ToolTipRole:
        return isVoid ? voidSince(*row) : QVariant();
    default:
        break;
    }
    QString text;
    switch (column) {
    case Column::Number:
        text = row->number.toString();
        break;
    case Column::Date:
        text = row->date;
        break;
    case Column::Party:
        text = row->party;
        break;
    case Column::Amount: {
        // An amount shows in dollars and cents; one that is none shows as it is stored.
        const QString stored = row->amount.toString();
        const auto cents = AmountText::cents(stored);
        text = cents ? AmountText::fromCents(*cents, true) : stored;
        break;
    }
    case Column::Print:
        text = PrintOption::caption(row->print).trimmed();
        break;
    case Column::Printed:
        text = row->printed;
        break;
    case Column::Void:
        text = row->voidDate;
        break;
    }
    // A screen reader hears that a check is void in every cell, not only in the last one,
    // since the strike-through says so only to the eye.
    if (role == Qt::AccessibleTextRole && isVoid)
        return column == Column::Void ? voidSince(*row) : text + QStringLiteral(" (void)");
    return text;
}

bool RegisterModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !m_atEnd;
}

void RegisterModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || m_atEnd)
        return;
    try {
        readPage();
    } catch (const DbError& e) {
        // Reading stops here; the rows read so far stay, and the user is told why.
        m_atEnd = true;
        tellLater(e.message());
    }
}

bool RegisterModel::readPage() {
    const QList<RegisterRow> rows = m_query->page(m_lastRow, kPage);
    m_atEnd = rows.size() < kPage;
    if (rows.isEmpty())
        return false;
    const int page = int(m_pages.size());
    const bool resetting = m_rows == 0;
    if (!resetting)
        beginInsertRows({}, m_rows, m_rows + int(rows.size()) - 1);
    m_pages.append({m_lastRow, int(rows.size())});
    m_kept.insert(page, rows);
    keep(page);
    m_rows += int(rows.size());
    m_lastRow = RegisterAnchor{rows.last().key, rows.last().id};
    if (!resetting)
        endInsertRows();
    return true;
}

void RegisterModel::reread() {
    beginResetModel();
    m_pages.clear();
    m_kept.clear();
    m_recent.clear();
    m_rows = 0;
    m_lastRow.reset();
    m_atEnd = true;
    try {
        m_query = std::make_unique<RegisterQuery>(m_db, m_kind, m_column, m_order, m_filter);
        readPage();
    } catch (...) {
        m_query.reset();
        m_rows = 0;
        m_pages.clear();
        m_kept.clear();
        m_recent.clear();
        m_atEnd = true;
        m_totals.stop();
        endResetModel();
        throw;
    }
    endResetModel();
    m_totals.start(*m_query);
}

void RegisterModel::order(Column column, Qt::SortOrder order) {
    m_column = column;
    m_order = order;
    reread();
}

void RegisterModel::setFilter(const RegisterFilter& filter) {
    m_filter = filter;
    reread();
}

void RegisterModel::refresh() {
    reread();
}

int RegisterModel::rowOf(qint64 id) const {
    for (auto it = m_kept.cbegin(); it != m_kept.cend(); ++it)
        for (int i = 0; i < it->size(); ++i)
            if (it->at(i).id == id)
                return it.key() * kPage + i;
    return -1;
}

qint64 RegisterModel::idAt(int row) const {
    const RegisterRow* r = rowAt(row);
    return r ? r->id : 0;
}
