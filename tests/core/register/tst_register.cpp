// The register model on real check databases: its order for every column and every way of
// narrowing, paging across ties, amounts added up in cents, and a million checks opened
// without reading them all.
#include "core/databases/CheckDb.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/register/RegisterModel.h"
#include "support/CheckDbFixture.h"
#include "support/TestEnv.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <sqlite3.h>

using namespace CheckDbFixture;
using Column = CheckKeys::Column;

namespace {

constexpr int kChecks = 450; // over two pages, with long runs of equal values

const char* const kPayees[] = {"Ann Lee", "ann lee", "Bob Stone", "Joanna Ruiz", "Carl Ames"};
const char* const kPrints[] = {"Once", "Monthly", "Never", "Never", "Sometimes"};

QString payee(int i) {
    return QString::fromLatin1(kPayees[i % 5]);
}

// Check i: some without a number or a readable date, an amount that is no number, one in
// seven printed and one in twenty-five void.
QVariantMap checkNumber(int i) {
    QVariantMap v{{"PayTo", payee(i)},
                  {"For", QStringLiteral("Invoice %1").arg(i)},
                  {"Print", QString::fromLatin1(kPrints[i % 5])},
                  {"Amount", i % 31 == 0 ? QStringLiteral("abc")
                                         : QStringLiteral("%1.%2").arg(i % 97).arg(
                                               i % 10, 2, 10, QLatin1Char('0'))}};
    if (i % 13 != 0)
        v.insert("Check", 5000 - (i % 200));
    v.insert("Date", i % 17 == 0 ? QStringLiteral("Dec 7")
                                 : Clock::dateText(QDate(2026, 1, 1).addDays(i % 60)));
    if (i % 7 == 0)
        v.insert("Printed", Clock::dateText(QDate(2026, 3, 1).addDays(i % 9)));
    if (i % 25 == 0) {
        v.insert("VoidDate", Clock::dateText(QDate(2026, 4, 1).addDays(i % 4)));
        v.insert("VoidReason", QStringLiteral("spoiled"));
    }
    return v;
}

// What the register must list, worked out here on its own: the order of each column as a
// number or a text, ties by ID.
QVariant keyOf(const QVariantMap& v, Column column) {
    const auto date = [&](const char* field) {
        const QDate d = Clock::dateFromText(v.value(field).toString());
        return d.isValid() ? d.year() * 10000 + d.month() * 100 + d.day() : 0;
    };
    switch (column) {
    case Column::Number:
        return v.contains("Check") ? v.value("Check").toLongLong() : LLONG_MIN + 1;
    case Column::Date:
        return date("Date");
    case Column::Party:
        return v.value("PayTo").toString().toLower();
    case Column::Amount:
        return v.value("Amount").toString().toDouble();
    case Column::Print: {
        const QString p = v.value("Print").toString();
        return p == "Never" ? 1 : p == "Monthly" ? 2 : p == "Once" ? 3 : 0;
    }
    case Column::Printed:
        return date("Printed");
    case Column::Void:
        return date("VoidDate");
    }
    return {};
}

bool matches(const QVariantMap& v, const RegisterFilter& f) {
    if (!f.text.isEmpty() && !v.value("PayTo").toString().contains(f.text, Qt::CaseInsensitive) &&
        !v.value("For").toString().contains(f.text, Qt::CaseInsensitive))
        return false;
    const QDate d = Clock::dateFromText(v.value("Date").toString());
    if ((f.from.isValid() || f.to.isValid()) && !d.isValid())
        return false;
    return (!f.from.isValid() || d >= f.from) && (!f.to.isValid() || d <= f.to);
}

QList<qint64> allRows(RegisterModel& model) {
    while (model.canFetchMore({}))
        model.fetchMore({});
    QList<qint64> ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids << model.idAt(row);
    return ids;
}

RegisterFilter filterNamed(const QString& name) {
    if (name == "text most checks hold")
        return {QStringLiteral("ANN"), {}, {}};
    if (name == "text few checks hold")
        return {QStringLiteral("Invoice 45"), {}, {}};
    if (name == "a week")
        return {{}, QDate(2026, 1, 10), QDate(2026, 1, 16)};
    if (name == "from a day on")
        return {{}, QDate(2026, 2, 20), {}};
    if (name == "up to a day")
        return {{}, {}, QDate(2026, 1, 3)};
    if (name == "text within dates")
        return {QStringLiteral("bob"), QDate(2026, 1, 5), QDate(2026, 2, 5)};
    return {};
}

/// Counts what the engine does on the connection, in steps of its virtual machine.
class EngineSteps {
public:
    explicit EngineSteps(sqlite3* db) : m_db(db) {
        sqlite3_progress_handler(m_db, 100, &EngineSteps::tick, this);
    }
    ~EngineSteps() { sqlite3_progress_handler(m_db, 0, nullptr, nullptr); }
    qint64 count() const { return m_ticks * 100; }

private:
    static int tick(void* self) {
        ++static_cast<EngineSteps*>(self)->m_ticks;
        return 0;
    }
    sqlite3* m_db;
    qint64 m_ticks = 0;
};

} // namespace

class TestRegister : public QObject {
    Q_OBJECT

    TestEnv m_env;
    QString m_file;
    QMap<qint64, QVariantMap> m_checks;

private slots:
    void initTestCase() {
        m_file = create(m_env, QStringLiteral("Shop"));
        setTemplate(m_env, m_file, {{"PayTo", "Ann Lee"}, {"Amount", "1000.00"}, {"Check", 1}});
        for (int i = 1; i <= kChecks; ++i)
            m_checks.insert(addCheck(m_env, m_file, checkNumber(i)), checkNumber(i));
        CheckDb::bringUpToDate(Database::open(m_env.path(m_file)));
    }

    void everyWayOfReadingGivesTheSameRows_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        for (const char* filter : {"everything", "text most checks hold", "text few checks hold",
                                   "a week", "from a day on", "up to a day", "text within dates"})
            for (int column = 0; column < CheckKeys::kColumns; ++column)
                for (bool descending : {false, true})
                    QTest::addRow(
                        "%s, %s %s", filter,
                        qPrintable(RegisterModel::caption(Column(column), CheckDb::Kind::Check)),
                        descending ? "down" : "up")
                        << QString::fromLatin1(filter) << column << descending;
    }
    void everyWayOfReadingGivesTheSameRows() {
        QFETCH(QString, filter);
        QFETCH(int, column);
        QFETCH(bool, descending);
        const RegisterFilter f = filterNamed(filter);
        QList<qint64> expected;
        for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
            if (matches(it.value(), f))
                expected << it.key();
        const auto key = [&](qint64 id) { return keyOf(m_checks.value(id), Column(column)); };
        std::sort(expected.begin(), expected.end(), [&](qint64 a, qint64 b) {
            const QVariant ka = key(a), kb = key(b);
            const auto cmp = QVariant::compare(ka, kb);
            if (cmp != QPartialOrdering::Equivalent)
                return descending ? cmp == QPartialOrdering::Greater
                                  : cmp == QPartialOrdering::Less;
            return descending ? a > b : a < b;
        });

        RegisterModel model(m_env.path(m_file));
        model.order(Column(column), descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        model.setFilter(f);
        QCOMPARE(allRows(model), expected);
    }

    void rowsShowAsStoredAndVoidOnesStruckThrough() {
        RegisterModel model(m_env.path(m_file));
        model.setFilter({QStringLiteral("Invoice 425"), {}, {}});
        QCOMPARE(model.rowCount(), 1);
        QStringList shown;
        for (int c = 0; c < model.columnCount(); ++c)
            shown << model.data(model.index(0, c)).toString();
        QCOMPARE(shown.join(u'|'), QStringLiteral("4975|Dec 7|Ann Lee|37.05|One Time||4/2/2026"));
        QVERIFY(model.data(model.index(0, 2), Qt::FontRole).value<QFont>().strikeOut());
        QCOMPARE(model.data(model.index(0, 6), Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Void since 4/2/2026: spoiled"));
        QCOMPARE(model.data(model.index(0, 2), Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Ann Lee (void)"));
        // The template record is no check.
        model.setFilter({});
        QVERIFY(!allRows(model).contains(1));
        QCOMPARE(model.rowCount(), kChecks);
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Payee"));
    }

    void datesThatAreNoDatesAreRefused_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("problem");
        QTest::newRow("both empty") << ""
                                    << " "
                                    << "";
        QTest::newRow("leading zeros") << "01/05/2026"
                                       << "1/6/2026"
                                       << "";
        QTest::newRow("month 13") << "13/1/2026"
                                  << ""
                                  << "\"13/1/2026\" is not a date. Type dates as m/d/yyyy, such "
                                     "as 12/7/2026.";
        QTest::newRow("two-digit year") << ""
                                        << "12/7/26"
                                        << "\"12/7/26\" is not a date. Type dates as m/d/yyyy, "
                                           "such as 12/7/2026.";
        QTest::newRow("30 February") << "2/30/2026"
                                     << ""
                                     << "\"2/30/2026\" is not a date. Type dates as m/d/yyyy, "
                                        "such as 12/7/2026.";
        QTest::newRow("backwards") << "12/9/2026"
                                   << "12/01/2026"
                                   << "The first date, 12/9/2026, is after the last, 12/1/2026: "
                                      "no check lies between.";
    }
    void datesThatAreNoDatesAreRefused() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, problem);
        QCOMPARE(RegisterFilter::datesProblem(from, to), problem);
    }

    void totalsAreExactCents_data() {
        QTest::addColumn<QStringList>("amounts"); // "v:" marks a void check, "null" no amount
        QTest::addColumn<QString>("line");
        QTest::newRow("none") << QStringList{} << "0 checks, total $0.00";
        QTest::newRow("one") << QStringList{"0.10"} << "1 check, total $0.10";
        QTest::newRow("dimes") << QStringList(30, "0.10") << "30 checks, total $3.00";
        QTest::newRow("past what a double holds to the cent")
            << QStringList{"9999999999999.99", "9999999999999.99", "0.03"}
            << "3 checks, total $20,000,000,000,000.01";
        QTest::newRow("as typed long ago")
            << QStringList{"$1,234.5", "12.340", " 7 ", "-2.00"} << "4 checks, total $1,251.84";
        QTest::newRow("not dollars and cents")
            << QStringList{"12.345", "abc", "10.00", "", "null", "1e3"}
            << "6 checks, total $10.00; 3 amounts are not numbers and are left out";
        QTest::newRow("one not a number")
            << QStringList{"12,34", "1.00"}
            << "2 checks, total $1.00; 1 amount is not a number and is left out";
        QTest::newRow("void ones") << QStringList{"v:500.00", "25.00", "v:abc"}
                                   << "3 checks (2 void), total without the void ones $25.00";
    }
    void totalsAreExactCents() {
        QFETCH(QStringList, amounts);
        QFETCH(QString, line);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Totals"));
        setTemplate(env, file, {{"Amount", "999.00"}});
        CheckDb::bringUpToDate(Database::open(env.path(file)));
        for (QString amount : amounts) {
            QVariantMap v;
            if (amount.startsWith("v:")) {
                amount.remove(0, 2);
                v.insert("VoidDate", "12/1/2026");
            }
            if (amount != "null")
                v.insert("Amount", amount);
            addCheck(env, file, v);
        }
        RegisterModel model(env.path(file));
        QVERIFY(!model.totals().done());
        // Counted a stretch at a time from the event loop, to the same figures.
        QSignalSpy counted(&model.totals(), &RegisterTotals::changed);
        QVERIFY(counted.wait(10'000) || model.totals().done());
        QVERIFY(model.totals().done());
        QCOMPARE(model.totals().summary().text(), line);
    }

    void pagesLetGoAreReadAgain() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Pages"));
        auto db = Database::open(env.path(file));
        db->exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
            "INSERT INTO Account (PayTo, \"Check\") SELECT 'Payee ' || (i % 7), i FROM n"));
        RegisterModel model(env.path(file));
        model.order(Column::Party, Qt::DescendingOrder);
        const qint64 first = model.idAt(0);
        const QList<qint64> ids = allRows(model);
        QCOMPARE(ids.size(), 3000);
        QCOMPARE(QSet<qint64>(ids.cbegin(), ids.cend()).size(), 3000);
        // The first page was let go long ago; reading it again gives the same checks.
        QCOMPARE(model.rowOf(first), -1);
        QCOMPARE(model.idAt(0), first);
        QCOMPARE(model.rowOf(first), 0);
    }

    void aMillionChecksOpenWithoutReadingThemAll() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Million"));
        auto db = Database::open(env.path(file));
        db->transaction([&] {
            db->exec(QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                "999999) INSERT INTO Account (PayTo, \"Check\", Amount, \"For\", Date) "
                "SELECT 'Payee ' || (i % 1000), i, (i % 100) || '.25', 'Invoice ' || i, "
                "(1 + i % 12) || '/' || (1 + i % 28) || '/' || (2000 + i / 40000) FROM n"));
        });
        CheckDb::bringUpToDate(db);
        qint64 fullScan = 0;
        {
            EngineSteps steps(db->handle());
            db->exec(QStringLiteral("SELECT count(*) FROM Account WHERE \"For\" LIKE '%x%'"));
            fullScan = steps.count();
        }
        auto opening = std::make_unique<EngineSteps>(db->handle());
        RegisterModel model(env.path(file));
        QCOMPARE(model.rowCount(), RegisterModel::kPage);
        QVERIFY(model.canFetchMore({}));
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("1"));
        model.order(Column::Party, Qt::DescendingOrder);
        QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("Payee 999"));
        // Opening and sorting read a page, not a hundredth of what one look at every check
        // takes; a month of dates reads that month's checks.
        // All of them are counted later, from the event loop.
        QVERIFY(!model.totals().done());
        const qint64 opened = opening->count();
        opening.reset();
        QVERIFY2(opened * 100 < fullScan,
                 qPrintable(QStringLiteral("%1 steps against %2").arg(opened).arg(fullScan)));
        EngineSteps narrowing(db->handle());
        model.setFilter({{}, QDate(2024, 3, 1), QDate(2024, 3, 31)});
        QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("Payee 998"));
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("3/7/2024"));
        QVERIFY2(
            narrowing.count() * 10 < fullScan,
            qPrintable(QStringLiteral("%1 steps against %2").arg(narrowing.count()).arg(fullScan)));
        // The month's checks are counted at once, found as they are through the index.
        QVERIFY(model.totals().done());
        QCOMPARE(model.totals().summary().checks, 3334);
    }
};

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
