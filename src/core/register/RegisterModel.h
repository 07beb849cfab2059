#pragma once

#include "core/register/RegisterQuery.h"
#include "core/register/RegisterTotals.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <memory>
#include <optional>

class Database;

/// The register: every check of a database (never the template record) in a table of
/// number, date, payee (payer in a DRAFT database), amount, how it prints, when it was
/// printed and whether it is void.
///
/// Rows are read from the database as the view reaches them, a page at a time: the model
/// keeps where each page starts and the contents of the last few pages shown, never the
/// whole table, so a million checks open as fast as a dozen. Columns sort; a filter
/// narrows the rows; totals() counts and adds up the rows shown.
class RegisterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Column = CheckKeys::Column;
    /// Rows read at a time.
    static constexpr int kPage = 200;
    /// Pages whose contents are kept; the others are read again when shown.
    static constexpr int kKeptPages = 12;
    /// The ID of a row's check, for the data role Qt::UserRole.
    static constexpr int kIdRole = Qt::UserRole;

    /// Opens the register of the check database at `path`, in check number order. Throws
    /// DbError when it cannot be read.
    explicit RegisterModel(const QString& path, QObject* parent = nullptr);
    ~RegisterModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    /// Orders the rows by a column and shows them from the first. These three throw DbError
    /// when the rows cannot be read; the register is then empty.
    void order(Column column, Qt::SortOrder order);
    void setFilter(const RegisterFilter& filter);
    /// Reads the rows again from the first, as the database holds them now.
    void refresh();

    const RegisterFilter& filter() const { return m_filter; }
    Column sortColumn() const { return m_column; }
    Qt::SortOrder sortOrder() const { return m_order; }
    CheckDb::Kind kind() const { return m_kind; }

    /// The row of the check with this ID among the pages whose contents are kept, or -1.
    int rowOf(qint64 id) const;
    /// The ID of the check in a row; 0 when it cannot be read.
    qint64 idAt(int row) const;

    RegisterTotals& totals() { return m_totals; }

    /// The column captions, "Payee" or "Payer" by the kind of database.
    static QString caption(Column column, CheckDb::Kind kind);

signals:
    /// Rows the view asked for (scrolling on, or back to rows read before) could not be
    /// read; they show empty. Sent once the view's request has returned.
    void readFailed(const QString& why);

private:
    struct Page {
        std::optional<RegisterAnchor> after; ///< where the page starts; none for the first
        int rows = 0;
    };
    const RegisterRow* rowAt(int row) const;
    /// Keeps the contents of `page` as the most recently used, letting go of the oldest.
    void keep(int page) const;
    void tellLater(const QString& why) const;
    void reread();
    /// Reads the next page; false at the end of the rows or when reading failed.
    bool readPage();

    std::shared_ptr<Database> m_db;
    CheckDb::Kind m_kind = CheckDb::Kind::Check;
    Column m_column = Column::Number;
    Qt::SortOrder m_order = Qt::AscendingOrder;
    RegisterFilter m_filter;
    std::unique_ptr<RegisterQuery> m_query;
    QList<Page> m_pages;
    int m_rows = 0;
    bool m_atEnd = true;
    std::optional<RegisterAnchor> m_lastRow;
    // The contents of recently shown pages, by page number, with the order they were used in.
    mutable QHash<int, QList<RegisterRow>> m_kept;
    mutable QList<int> m_recent;
    mutable bool m_failing = false; // a failure is being told: one message, not one a row
    RegisterTotals m_totals;
};
