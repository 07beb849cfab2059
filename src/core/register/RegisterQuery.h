#pragma once

#include "core/databases/CheckDb.h"
#include "core/databases/CheckKeys.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>
#include <utility>

class Database;

/// What the register is narrowed to: checks whose number, payee (payer), amount or memo
/// contains a text, and whose date lies from one day to another. An empty text and an
/// invalid date narrow nothing.
struct RegisterFilter {
    QString text;
    QDate from;
    QDate to;

    bool narrows() const { return !text.isEmpty() || from.isValid() || to.isValid(); }
    bool operator==(const RegisterFilter&) const = default;

    /// Why dates typed as the first and last day cannot narrow the register, in words for
    /// the user; empty when they can. An empty box narrows nothing.
    static QString datesProblem(const QString& from, const QString& to);
    /// The filter for what was typed, once datesProblem() has nothing to say.
    static RegisterFilter typed(const QString& text, const QString& from, const QString& to);
};

/// One check as the register lists it.
struct RegisterRow {
    qint64 id = 0;
    QVariant number; ///< Null for a check without a number
    QString date;
    QString party;   ///< the payee, or in a DRAFT database the payer
    QVariant amount; ///< as stored
    QString print;   ///< the stored print option
    QString printed;
    QString voidDate; ///< empty unless the check is void
    QString voidReason;
    QVariant key; ///< the value the rows are ordered by
};

/// Where a page of rows starts: after the row with this sort value and ID.
struct RegisterAnchor {
    QVariant key;
    qint64 id = 0;
};

/// The checks of a database (never the template record) in the register's order, read a
/// page at a time: each page starts after the last row of the one before (keyset paging),
/// so that reading a page costs the same at the start of a million checks and at its end.
///
/// The database keeps an index for every column the register sorts by. Which index serves
/// a narrowed view depends on how many checks match: walking the sort order and skipping
/// what does not match is fastest when most checks match, finding the matches first and
/// sorting them when few do. The query guesses which it is from a sample of the table and
/// a bounded count of the dates asked for, before the first page.
class RegisterQuery {
public:
    using Column = CheckKeys::Column;

    RegisterQuery(std::shared_ptr<Database> db, CheckDb::Kind kind, Column column,
                  Qt::SortOrder order, RegisterFilter filter);

    /// Up to `limit` rows after `after` (from the first row when there is none).
    QList<RegisterRow> page(const std::optional<RegisterAnchor>& after, int limit);

    /// The rows of the register (template left out, filter applied) as an SQL condition
    /// with its bound values, for counting and adding them up.
    struct Selection {
        QString condition;
        QVariantList binds;
        /// True when the rows are few and found through an index: count them in one go.
        /// Otherwise the condition uses no index, so that it may be counted a range of IDs
        /// at a time.
        bool atOnce = false;
    };
    Selection selection() const;

    const std::shared_ptr<Database>& database() const { return m_db; }

    /// The lowest and the highest ID of the table (the template's and the last check's).
    static std::pair<qint64, qint64> idSpan(Database& db);

private:
    enum class Plan {
        SortOrder,  ///< walk the index of the sort column, skip what does not match
        DatesFirst, ///< find the dates asked for through their index, then sort
        Scan,       ///< read the whole table, then sort the few that match
    };
    void choosePlan();
    /// The filter's terms: `indexedDates` lets the engine use the date index.
    QString filterSql(bool indexedDates, QVariantList& binds) const;
    QString textSql(QVariantList& binds) const;
    QString datesSql(bool indexed, QVariantList& binds) const;

    std::shared_ptr<Database> m_db;
    CheckDb::Kind m_kind;
    Column m_column;
    Qt::SortOrder m_order;
    RegisterFilter m_filter;
    bool m_hasVoid = false;
    Plan m_plan = Plan::SortOrder;
};
