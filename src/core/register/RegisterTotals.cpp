#include "core/register/RegisterTotals.h"

#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/register/RegisterQuery.h"

#include <QLocale>
#include <QSqlQuery>

namespace {

// Each stretch is sized to take about this long, so that the screen answers meanwhile.
constexpr qint64 kStretchMs = 20;
constexpr qint64 kFirstStretch = 16'384;
constexpr qint64 kShortestStretch = 1'024;
constexpr qint64 kLongestStretch = 1 << 20;
// Amounts are added as two sums, billions of cents and the rest, each of which fits a
// 64-bit whole number however many checks there are.
constexpr qint64 kSplit = 1'000'000'000;

QString number(qint64 n) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(n);
}

} // namespace

QString RegisterSummary::text() const {
    QString line =
        checks == 1 ? QStringLiteral("1 check") : number(checks) + QStringLiteral(" checks");
    if (voided > 0)
        line += QStringLiteral(" (%1 void)").arg(number(voided));
    line += voided > 0 ? QStringLiteral(", total without the void ones $")
                       : QStringLiteral(", total $");
    line += AmountText::fromCents(total, true);
    if (notAmounts == 1)
        line += QStringLiteral("; 1 amount is not a number and is left out");
    else if (notAmounts > 1)
        line +=
            QStringLiteral("; %1 amounts are not numbers and are left out").arg(number(notAmounts));
    return line;
}

RegisterTotals::RegisterTotals(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &RegisterTotals::countSome);
}

RegisterTotals::~RegisterTotals() = default;

void RegisterTotals::start(const RegisterQuery& query) {
    m_timer.stop();
    m_db = query.database();
    const RegisterQuery::Selection selection = query.selection();
    m_condition = selection.condition;
    m_binds = selection.binds;
    m_summary = {};
    m_failure.clear();
    m_done = false;
    m_stretch = kFirstStretch;
    try {
        if (selection.atOnce) {
            count(0, 0);
            m_done = true;
            emit changed();
            return;
        }
        const auto [first, last] = RegisterQuery::idSpan(*m_db);
        m_next = first - 1;
        m_last = last;
    } catch (const DbError& e) {
        m_failure = e.message();
        m_done = true;
        emit changed();
        return;
    }
    m_timer.start();
}

void RegisterTotals::countSome() {
    try {
        QElapsedTimer clock;
        clock.start();
        const qint64 to = qMin(m_last, m_next + m_stretch);
        count(m_next, to);
        m_next = to;
        // The next stretch as long as fits the time, from what this one took.
        const qint64 took = qMax<qint64>(1, clock.elapsed());
        m_stretch = qBound(kShortestStretch, m_stretch * kStretchMs / took, kLongestStretch);
    } catch (const DbError& e) {
        m_failure = e.message();
        m_done = true;
        emit changed();
        return;
    }
    if (m_next < m_last) {
        m_timer.start();
        return;
    }
    m_done = true;
    emit changed();
}

void RegisterTotals::finish() {
    if (m_done) {
        if (!m_failure.isEmpty())
            throw DbError(m_failure);
        return;
    }
    m_timer.stop();
    count(m_next, m_last);
    m_next = m_last;
    m_done = true;
    emit changed();
}

void RegisterTotals::stop() {
    m_timer.stop();
    m_summary = {};
    m_failure.clear();
    m_done = true;
}

void RegisterTotals::count(qint64 from, qint64 to) {
    const QString id = Database::quote(QStringLiteral("ID"));
    const QString amount = Database::quote(QStringLiteral("Amount"));
    QString where = m_condition;
    QVariantList binds = m_binds;
    if (to > 0) {
        where += QStringLiteral(" AND %1 > ? AND %1 <= ?").arg(id);
        binds << from << to;
    }
    const QString sql =
        QStringLiteral(
            "SELECT count(*), count(CASE WHEN v THEN 1 END), "
            "sum(CASE WHEN NOT v THEN c / %1 END), sum(CASE WHEN NOT v THEN c % %1 END), "
            "count(CASE WHEN NOT v AND c IS NULL AND trim(coalesce(a, '')) <> '' THEN 1 "
            "END) FROM (SELECT ledgerline_cents(%2) AS c, %2 AS a, NOT (%3) AS v "
            "FROM %4 WHERE %5) AS shown")
            .arg(kSplit)
            .arg(amount, CheckDb::notVoid(*m_db), Database::quote(CheckDb::kAccount), where);
    QSqlQuery q = m_db->exec(sql, binds);
    if (!q.next())
        return;
    m_summary.checks += q.value(0).toLongLong();
    m_summary.voided += q.value(1).toLongLong();
    m_summary.total +=
        AmountText::TotalCents(q.value(2).toLongLong()) * kSplit + q.value(3).toLongLong();
    m_summary.notAmounts += q.value(4).toLongLong();
}
