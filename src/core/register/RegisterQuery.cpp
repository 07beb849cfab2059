#include "core/register/RegisterQuery.h"

#include "core/entry/AmountText.h"
#include "core/entry/SearchFilter.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QStringList>

namespace {

// The sample the plan is guessed from: this many stretches of consecutive rows, spread
// over the table, each this long.
constexpr int kSampleStretches = 16;
constexpr qint64 kSampleRows = 256;
// Up to this many checks of the dates asked for are found through the date index and
// sorted; more are met on the way along the sort order.
constexpr qint64 kFewDates = 50'000;
// Walking the sort order pays while at least one check in this many matches.
constexpr qint64 kSparse = 50;

QString q(const char* name) {
    return Database::quote(QString::fromLatin1(name));
}

int dateNumber(const QDate& d) {
    return d.year() * 10000 + d.month() * 100 + d.day();
}

} // namespace

QString RegisterFilter::datesProblem(const QString& from, const QString& to) {
    for (const QString& typed : {from, to})
        if (!typed.trimmed().isEmpty() && !Clock::dateFromText(typed).isValid())
            return QStringLiteral("\"%1\" is not a date. Type dates as m/d/yyyy, such as "
                                  "12/7/2026.")
                .arg(typed.trimmed());
    const QDate first = Clock::dateFromText(from);
    const QDate last = Clock::dateFromText(to);
    if (first.isValid() && last.isValid() && first > last)
        return QStringLiteral("The first date, %1, is after the last, %2: no check lies between.")
            .arg(Clock::dateText(first), Clock::dateText(last));
    return {};
}

RegisterFilter RegisterFilter::typed(const QString& text, const QString& from, const QString& to) {
    return {text.trimmed(), Clock::dateFromText(from), Clock::dateFromText(to)};
}

RegisterQuery::RegisterQuery(std::shared_ptr<Database> db, CheckDb::Kind kind, Column column,
                             Qt::SortOrder order, RegisterFilter filter)
    : m_db(std::move(db)), m_kind(kind), m_column(column), m_order(order),
      m_filter(std::move(filter)) {
    m_hasVoid = CheckDb::hasVoidFields(*m_db);
    choosePlan();
}

std::pair<qint64, qint64> RegisterQuery::idSpan(Database& db) {
    // Two queries: the engine finds a lowest or a highest at once, both together only by
    // reading every row.
    const QString sql = QStringLiteral("SELECT %1(%2) FROM %3");
    const QString id = q("ID");
    const QString table = Database::quote(CheckDb::kAccount);
    QSqlQuery low = db.exec(sql.arg(QStringLiteral("min"), id, table));
    QSqlQuery high = db.exec(sql.arg(QStringLiteral("max"), id, table));
    return {low.next() ? low.value(0).toLongLong() : 0,
            high.next() ? high.value(0).toLongLong() : 0};
}

QString RegisterQuery::textSql(QVariantList& binds) const {
    if (m_filter.text.isEmpty())
        return {};
    // Each field is asked only when it can hold the text: a check number has digits alone,
    // an amount digits and the marks of money. Every field asked costs time on every row.
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    static const QRegularExpression money(QStringLiteral("^[-$0-9.,]+$"));
    QStringList fields{QStringLiteral("For")};
    if (digits.match(m_filter.text).hasMatch())
        fields << QStringLiteral("Check");
    if (money.match(m_filter.text).hasMatch())
        fields << QStringLiteral("Amount");
    if (m_kind == CheckDb::Kind::Draft)
        fields << QStringLiteral("BusinessName") << QStringLiteral("FirstName")
               << QStringLiteral("LastName");
    else
        fields << QStringLiteral("PayTo");
    QStringList terms;
    for (const QString& field : fields) {
        const SearchFilter::Query match = SearchFilter::contains(field, m_filter.text, m_db->onServer());
        terms << match.condition;
        binds << match.binds;
    }
    // An amount typed as people write it ("$1,234.50") finds the amount as it is stored.
    if (const auto plain = AmountText::normalise(m_filter.text); plain && *plain != m_filter.text) {
        const SearchFilter::Query match = SearchFilter::contains(QStringLiteral("Amount"), *plain, m_db->onServer());
        terms << match.condition;
        binds << match.binds;
    }
    return QLatin1Char('(') + terms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

QString RegisterQuery::datesSql(bool indexed, QVariantList& binds) const {
    if (!m_filter.from.isValid() && !m_filter.to.isValid())
        return {};
    // The stored dates are texts ("12/7/2026"), which neither sort nor compare as dates:
    // they are compared as the whole numbers yyyymmdd that CheckKeys::date() makes of them,
    // in which a text that is no date is 0 and so outside every range.
    QString key = CheckKeys::date(QStringLiteral("Date"), m_db->onServer());
    if (!indexed)
        key = CheckKeys::unindexed(key, m_db->onServer());
    const int from = m_filter.from.isValid() ? dateNumber(m_filter.from) : 1;
    const int to = m_filter.to.isValid() ? dateNumber(m_filter.to) : 99999999;
    binds << from << to;
    return key + QStringLiteral(" BETWEEN ? AND ?");
}

QString RegisterQuery::filterSql(bool indexedDates, QVariantList& binds) const {
    // The template record is no check. The text comes before the dates: it is the cheaper
    // test, and the first to fail ends the test of a row.
    QStringList terms{QStringLiteral("%1 <> %2").arg(q("ID")).arg(CheckDb::kTemplateId)};
    if (const QString text = textSql(binds); !text.isEmpty())
        terms << text;
    if (const QString dates = datesSql(indexedDates, binds); !dates.isEmpty())
        terms << dates;
    return terms.join(QStringLiteral(" AND "));
}

RegisterQuery::Selection RegisterQuery::selection() const {
    Selection s;
    s.atOnce = m_plan == Plan::DatesFirst;
    s.condition = filterSql(s.atOnce, s.binds);
    return s;
}

void RegisterQuery::choosePlan() {
    m_plan = Plan::SortOrder;
    const bool dates = m_filter.from.isValid() || m_filter.to.isValid();
    const bool text = !m_filter.text.isEmpty();
    // Unnarrowed, and dates alone in date order, are walks along one index.
    if (!m_filter.narrows() || (m_column == Column::Date && !text))
        return;

    const QString table = Database::quote(CheckDb::kAccount);
    const auto [first, last] = idSpan(*m_db);
    // IDs are handed out one after the other, so their span is about the number of checks.
    double expected = double(last - first + 1);

    if (dates) {
        QVariantList binds;
        const QString range = datesSql(true, binds);
        binds << kFewDates + 1;
        QSqlQuery count = m_db->exec(
            QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM %1 WHERE %2 LIMIT ?) AS found")
                .arg(table, range),
            binds);
        const qint64 found = count.next() ? count.value(0).toLongLong() : 0;
        if (found <= kFewDates) {
            // Few enough to sort whatever the text: the dates' index finds them.
            m_plan = Plan::DatesFirst;
            return;
        }
        expected = double(found);
    }

    if (text) {
        // The share of checks the text matches, from stretches spread over the table.
        QVariantList binds;
        const QString match = textSql(binds);
        const QString sql = QStringLiteral("SELECT count(*), count(CASE WHEN %1 THEN 1 END) FROM "
                                           "%2 WHERE %3 > ? AND %3 <= ?")
                                .arg(match, table, q("ID"));
        qint64 seen = 0, hits = 0;
        const qint64 step = qMax<qint64>(kSampleRows, (last - first) / kSampleStretches);
        for (qint64 start = first - 1; start < last; start += step) {
            QSqlQuery sample = m_db->exec(sql, binds + QVariantList{start, start + kSampleRows});
            if (sample.next()) {
                seen += sample.value(0).toLongLong();
                hits += sample.value(1).toLongLong();
            }
        }
        expected = seen > 0 ? expected * double(hits) / double(seen) : 0;
    }
    const double total = double(last - first + 1);
    if (expected * kSparse < total)
        m_plan = Plan::Scan;
}

QList<RegisterRow> RegisterQuery::page(const std::optional<RegisterAnchor>& after, int limit) {
    // Walking the sort order uses the sort column's index; the other plans leave it aside
    // and sort what they found.
    const bool walk = m_plan == Plan::SortOrder;
    QString key = CheckKeys::of(m_column, m_kind, m_db->onServer());
    if (!walk)
        key = CheckKeys::unindexed(key, m_db->onServer());
    const bool up = m_order == Qt::AscendingOrder;

    QVariantList binds;
    // While walking the sort order, the dates are tested on each row rather than through
    // their index, which would take the walk away from the sort order; unless the order is
    // the date's own, whose index gives the range in order.
    const bool indexedDates = m_plan == Plan::DatesFirst || (walk && m_column == Column::Date);
    QString where = filterSql(indexedDates, binds);
    if (after) {
        // The rows after the anchor: a greater key, or the same key and a greater ID. The
        // first term alone bounds the walk along the index.
        const QString more = up ? QStringLiteral(">") : QStringLiteral("<");
        where += QStringLiteral(" AND %1 %2= ? AND (%1 %2 ? OR %3 %2 ?)").arg(key, more, q("ID"));
        binds << after->key << after->key << after->id;
    }
    const QString direction = up ? QStringLiteral("ASC") : QStringLiteral("DESC");
    const QString voids = m_hasVoid
                              ? QStringLiteral("%1, %2").arg(Database::quote(CheckDb::kVoidDate),
                                                             Database::quote(CheckDb::kVoidReason))
                              : QStringLiteral("NULL, NULL");
    const QString sql =
        QStringLiteral("SELECT %1, %2, %3, %4, %5, %6, %7, %8, %9 FROM %10 WHERE %11 "
                       "ORDER BY %2 %12, %1 %12 LIMIT ?")
            .arg(q("ID"), key, q("Check"), q("Date"), CheckKeys::partyText(m_kind), q("Amount"),
                 q("Print"), q("Printed"), voids)
            .arg(Database::quote(CheckDb::kAccount), where, direction);
    binds << limit;

    QList<RegisterRow> rows;
    QSqlQuery query = m_db->exec(sql, binds);
    while (query.next()) {
        RegisterRow row;
        row.id = query.value(0).toLongLong();
        row.key = query.value(1);
        row.number = query.value(2);
        row.date = query.value(3).toString();
        row.party = query.value(4).toString();
        row.amount = query.value(5);
        row.print = query.value(6).toString();
        row.printed = query.value(7).toString();
        row.voidDate = query.value(8).toString();
        row.voidReason = query.value(9).toString();
        rows.append(row);
    }
    return rows;
}
