// The register on 1,000,000 checks, each step within half a second (the row's baseline is
// that half second, so a ratio of 1 or less meets it): the register opened on its first
// rows, a sort by each column, a filter by text and by dates, and scrolling on. (The count
// and total under the list are counted a stretch at a time while the rows are already
// shown, so they hold up nothing.) Before them it says how long the indexes took to make, as
// an older database pays once.
#include "BenchData.h"
#include "Goals.h"
#include "core/databases/CheckDb.h"
#include "core/databases/CheckKeys.h"
#include "core/platform/Database.h"
#include "core/register/RegisterModel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace {

constexpr int kChecks = 1'000'000;
constexpr int kShown = 40;
constexpr double kHalfSecond = 0.5;

// A million checks over 27 years, to 100,000 payees, one in ten printed, one in a thousand
// void; the indexes the register sorts by, as opening for writing makes them. Made once and
// kept with the other benchmark databases.
QString database() {
    static QString made;
    if (!made.isEmpty())
        return made;
    made = QDir(BenchData::folder()).filePath(QStringLiteral("register-1000000.mdb"));
    if (QFileInfo::exists(made))
        return made;
    const QString part = made + QStringLiteral(".part");
    QFile::remove(part);
    std::fprintf(stderr, "Making register-1000000.mdb (once; kept for later runs)...\n");
    CheckDb::createTemplate(part);
    {
        auto db = Database::open(part);
        db->transaction([&] {
            db->exec(
                QStringLiteral(
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                    "INSERT INTO Account (PayTo, \"Check\", Amount, \"For\", Date, Print, Printed, "
                    "VoidDate, VoidReason) "
                    "SELECT 'Payee ' || ((i * 7919) % 100000), 100 + i, "
                    "((i * 31) % 5000) || '.' || printf('%02d', i % 100), 'Invoice ' || i, "
                    "(1 + i % 12) || '/' || (1 + i % 28) || '/' || (2000 + i / 37038), "
                    "CASE i % 10 WHEN 0 THEN 'Never' ELSE 'Once' END, "
                    "CASE i % 10 WHEN 0 THEN (1 + i % 12) || '/' || (1 + i % 28) || '/' || "
                    "(2000 + i / 37038) END, "
                    "CASE i % 1000 WHEN 0 THEN '1/5/2027' END, "
                    "CASE i % 1000 WHEN 0 THEN 'Lost in the mail' END FROM n"),
                {kChecks - 1});
            db->exec(QStringLiteral("UPDATE Properties SET AccountType = 'Check'"));
        });
        // What a database of a million checks made by an earlier version pays once, the
        // first time it is opened for writing.
        QElapsedTimer clock;
        clock.start();
        CheckDb::bringUpToDate(db);
        std::fprintf(stderr, "The register's indexes on %d checks were made in %.1f s.\n", kChecks,
                     double(clock.elapsed()) / 1000.0);
    }
    if (!QFile::rename(part, made))
        qFatal("Could not move %s into place", qPrintable(made));
    return made;
}

qint64 g_read = 0; // what was read, so that nothing is left unread

void readShown(RegisterModel& model) {
    for (int row = 0; row < kShown && row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            g_read += model.data(model.index(row, column)).toString().size();
}

RegisterFilter filterFor(int which) {
    switch (which) {
    case 0: // a text most checks hold
        return {QStringLiteral("Payee"), {}, {}};
    case 1: // a text about a hundred checks hold
        return {QStringLiteral("Payee 1234"), {}, {}};
    case 2: // a text one check holds
        return {QStringLiteral("Invoice 987654"), {}, {}};
    case 3: // a month of dates
        return {{}, QDate(2026, 3, 1), QDate(2026, 3, 31)};
    case 4: // twenty years of dates
        return {{}, QDate(2005, 1, 1), QDate(2024, 12, 31)};
    default: // a text about a hundred checks hold, within twenty years
        return {QStringLiteral("Payee 1234"), QDate(2005, 1, 1), QDate(2024, 12, 31)};
    }
}

const char* const kFilterNames[] = {"common text", "text of 100",  "text of 1",
                                    "a month",     "twenty years", "text of 100 in 20 years"};

void measure(const QString& what, Goals::Sample ours) {
    Goals::Row row{QStringLiteral("register %1, 1,000,000 checks, vs half a second").arg(what), 1.0,
                   std::move(ours), [] { return kHalfSecond; }, 5};
    Goals::measure(row);
}

} // namespace

int main(int argc, char** argv) {
    Goals::start(argc, argv);
    if (!Goals::wanted(QStringLiteral("register")))
        return Goals::finish();
    const QString path = database();
    measure(QStringLiteral("first rows"), Goals::timed([&] {
                RegisterModel model(path);
                readShown(model);
            }));
    {
        RegisterModel model(path);
        for (int c = 0; c < CheckKeys::kColumns; ++c) {
            const auto column = RegisterModel::Column(c);
            measure(QStringLiteral("sort by %1")
                        .arg(RegisterModel::caption(column, CheckDb::Kind::Check).toLower()),
                    Goals::timed([&] {
                        model.order(column, Qt::DescendingOrder);
                        readShown(model);
                    }));
        }
    }
    {
        RegisterModel model(path);
        // Sorted by amount, so that neither the dates nor the ID give the order.
        model.order(RegisterModel::Column::Amount, Qt::AscendingOrder);
        for (int which = 0; which < 6; ++which)
            measure(QStringLiteral("filter, %1").arg(QLatin1String(kFilterNames[which])),
                    Goals::timed([&] { model.setFilter({}); },
                                 [&] {
                                     model.setFilter(filterFor(which));
                                     readShown(model);
                                 }));
    }
    {
        RegisterModel model(path);
        model.order(RegisterModel::Column::Party, Qt::AscendingOrder);
        measure(QStringLiteral("scroll 50 pages"),
                Goals::timed([&] { model.refresh(); },
                             [&] {
                                 for (int page = 0; page < 50 && model.canFetchMore({}); ++page)
                                     model.fetchMore({});
                                 readShown(model);
                             }));
    }
    return g_read > 0 ? Goals::finish() : 1;
}
