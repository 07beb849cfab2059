#include "BenchData.h"

#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/platform/Statement.h"
#include "core/settings/SettingsDb.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <random>

#ifndef LEDGERLINE_BENCH_DIR
#error "LEDGERLINE_BENCH_DIR names the benchmarks' folder in the build"
#endif

namespace {

// Change the version whenever what the generator makes changes: cached files then go.
constexpr int kGeneratorVersion = 1;
constexpr quint64 kSeed = 20261207;

const char* const kFirstNames[] = {
    "James",  "Mary",  "Robert", "Patricia", "John",    "Jennifer", "Michael", "Linda",
    "David",  "Susan", "Maria",  "Thomas",   "Karen",   "Daniel",   "Nancy",   "Jose",
    "Olivia", "Ahmed", "Mei",    "Kwame",    "Ingrid",  "Rafael",   "Priya",   "Dmitri",
    "Zoë",    "Chloé", "Björn",  "Amara",    "Hiroshi", "Fatima",   "Connor",  "Lucía"};
const char* const kLastNames[] = {
    "Smith",     "Johnson",   "Williams", "Brown",     "Jones",    "Garcia",   "Miller",
    "Davis",     "Rodriguez", "Martinez", "Hernandez", "Lopez",    "Gonzalez", "Wilson",
    "Anderson",  "Thompson",  "Nguyen",   "Patel",     "Kowalski", "O'Brien",  "Van der Berg",
    "Schneider", "Okafor",    "Yamamoto", "Lindqvist", "Dubois",   "Castillo", "Fitzgerald"};
const char* const kStreets[] = {"Maple", "Oak Ridge",  "Main",    "Church",    "Lakeview",
                                "Elm",   "Washington", "Park",    "Sunset",    "Highland",
                                "Cedar", "Mill Creek", "Orchard", "Riverside", "Chestnut"};
const char* const kStreetKinds[] = {"Street", "Avenue", "Road", "Lane", "Drive", "Court", "Blvd"};
const struct {
    const char* city;
    const char* state;
    const char* zip;
    const char* area;
} kPlaces[] = {{"Fairview", "OH", "44118", "216"},     {"Springfield", "IL", "62704", "217"},
               {"Portland", "OR", "97205", "503"},     {"Greenville", "SC", "29601", "864"},
               {"Madison", "WI", "53703", "608"},      {"Santa Fe", "NM", "87501", "505"},
               {"Burlington", "VT", "05401", "802"},   {"Bozeman", "MT", "59715", "406"},
               {"Savannah", "GA", "31401", "912"},     {"Duluth", "MN", "55802", "218"},
               {"Poughkeepsie", "NY", "12601", "845"}, {"San Luis Obispo", "CA", "93401", "805"}};
const char* const kBanks[] = {"Fairview Community Bank",    "First National Bank",
                              "Lakeshore Savings and Loan", "Prairie State Credit Union",
                              "Citizens Trust Company",     "Mountain West Bank",
                              "Harbor Federal Savings",     "Second Street Bank & Trust"};
const char* const kTrades[] = {"Bakery",      "Hardware",  "Florist",        "Plumbing",
                               "Auto Repair", "Catering",  "Landscaping",    "Printing",
                               "Dental Care", "Bookshop",  "Roofing",        "Pet Grooming",
                               "Laundry",     "Tailoring", "Coffee Roasters"};
const char* const kSuffixes[] = {"LLC", "Inc.", "& Sons", "Co.", "Group", "Supply", ""};
const char* const kProducts[] = {"General Merchandise", "Services",   "Repairs",
                                 "Subscription",        "Consulting", "Other"};
const char* const kComments[] = {
    "Customer called to confirm the amount.",
    "Pays on the first of every month; call before changing the amount.",
    "New account, set up by phone.",
    "Address changed last spring.",
    "Asked for a receipt by mail.",
    "Second location; same owner as the downtown shop.",
};

constexpr const char* kBusiness = "Maple Street Bakery";
constexpr const char* kCommonPayee = "Tri-County Office Supply";
constexpr const char* kRarePayee = "Quillfeather Stationers";

/// A reproducible stream of choices: the sequence of std::mt19937_64 is fixed by the
/// standard, and the mapping to a range is ours, so every machine makes the same files.
class Seeded {
public:
    explicit Seeded(quint64 seed) : m_engine(seed) {}
    quint64 below(quint64 n) { return m_engine() % n; }
    bool chance(int percent) { return below(100) < quint64(percent); }
    template <class T, std::size_t N> const T& pick(const T (&list)[N]) { return list[below(N)]; }
    QString digits(int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + char16_t(below(10)));
        return s;
    }

private:
    std::mt19937_64 m_engine;
};

/// A routing number that passes the banks' check digit test.
QString routing(Seeded& rng) {
    QString eight = rng.digits(8);
    static const int weights[] = {3, 7, 1, 3, 7, 1, 3, 7};
    int sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += weights[i] * (eight[i].unicode() - u'0');
    return eight + QChar(u'0' + char16_t((10 - sum % 10) % 10));
}

QString businessName(Seeded& rng) {
    QString name = QStringLiteral("%1 %2").arg(QString::fromUtf8(rng.pick(kLastNames)),
                                               QString::fromUtf8(rng.pick(kTrades)));
    if (const QString suffix = QString::fromUtf8(rng.pick(kSuffixes)); !suffix.isEmpty())
        name += QLatin1Char(' ') + suffix;
    return name;
}

void writeRows(Database& db, int records, BenchData::Checks checks) {
    Seeded rng(kSeed + quint64(records) * 2 + (checks == BenchData::Checks::AllOnce ? 1 : 0));
    Statement insert(
        db.handle(),
        QStringLiteral("INSERT INTO Account (BusinessName, FirstName, LastName, Address, City, "
                       "State, Zip, Phone, PayTo, \"Check\", Amount, Bank, BankCity, BankState, "
                       "ABA, Account, \"For\", Date, Comments, Print, LabelPrint, Printed, "
                       "BusinessType) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                       "?, ?, ?, ?, ?, ?)"),
        db.path());
    // Our own account, on the check-style rows.
    const QString ownRouting = QStringLiteral("041000124");
    const QString ownAccount = QStringLiteral("1234D567 8");
    const int rareRow = records - records / 8; // far into the table, for a long search
    const QDate start(2019, 1, 1);
    for (int row = 2; row <= records; ++row) {
        const bool draft = rng.chance(50);
        const auto& place = rng.pick(kPlaces);
        const QString first = QString::fromUtf8(rng.pick(kFirstNames));
        const QString last = QString::fromUtf8(rng.pick(kLastNames));
        const QString business = businessName(rng);
        QString payee = draft ? QString::fromUtf8(kBusiness)
                              : (rng.chance(30) ? first + QLatin1Char(' ') + last : business);
        if (rng.below(100) == 0)
            payee = QString::fromUtf8(kCommonPayee);
        if (row == rareRow)
            payee = QString::fromUtf8(kRarePayee);
        const QString product = QString::fromUtf8(rng.pick(kProducts));
        const QString memo =
            rng.chance(60) ? QStringLiteral("Invoice %1").arg(rng.below(90000) + 10000) : product;
        const QDate date = start.addDays(qint64(rng.below(2900)));
        QString print;
        switch (checks == BenchData::Checks::AllOnce ? 0 : rng.below(10)) {
        case 0:
        case 1:
            print = QStringLiteral("Once");
            break;
        case 2:
        case 3:
        case 4:
            print = QStringLiteral("Monthly");
            break;
        default:
            print = QStringLiteral("Never");
        }
        const QString dateText =
            QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
        const QVariantList values{
            business,
            first,
            last,
            QStringLiteral("%1 %2 %3")
                .arg(rng.below(9899) + 100)
                .arg(QString::fromUtf8(rng.pick(kStreets)),
                     QString::fromUtf8(rng.pick(kStreetKinds))),
            QString::fromUtf8(place.city),
            QString::fromUtf8(place.state),
            rng.chance(20) ? QString::fromUtf8(place.zip) + QLatin1Char('-') + rng.digits(4)
                           : QString::fromUtf8(place.zip),
            QStringLiteral("(%1) 555-%2").arg(QString::fromUtf8(place.area), rng.digits(4)),
            payee,
            qlonglong(1000 + row - 1),
            QStringLiteral("%1.%2")
                .arg(rng.below(rng.chance(10) ? 25000 : 2500) + 1)
                .arg(rng.below(100), 2, 10, QLatin1Char('0')),
            draft ? QString::fromUtf8(rng.pick(kBanks)) : QString::fromUtf8(kBanks[0]),
            draft ? QString::fromUtf8(place.city) : QStringLiteral("Fairview"),
            draft ? QString::fromUtf8(place.state) : QStringLiteral("OH"),
            draft ? routing(rng) : ownRouting,
            draft ? rng.digits(int(rng.below(5)) + 8) : ownAccount,
            memo,
            dateText,
            rng.chance(40) ? QString::fromUtf8(rng.pick(kComments)) : QString(),
            print,
            rng.chance(30) ? qlonglong(-1) : qlonglong(0),
            print == QLatin1String("Never") && rng.chance(50) ? QVariant(dateText) : QVariant(),
            product,
        };
        for (int i = 0; i < values.size(); ++i)
            insert.bind(i + 1, values[i]);
        insert.step();
        insert.reset();
    }
    db.exec(QStringLiteral("UPDATE Properties SET AccountType = 'Check', Description = ?, "
                           "LastCheck = ?"),
            {QStringLiteral("Benchmark, %1 checks").arg(records), qlonglong(1000 + records - 1)});
}

/// Makes `path` by `make` on a temporary file of its own, moved into place when complete,
/// so that a run cut short never leaves a half-made file to be taken for a whole one.
template <class Make> QString madeOnce(const QString& path, Make&& make) {
    if (QFileInfo::exists(path))
        return path;
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    std::fprintf(stderr, "Making %s (once; kept for later runs)...\n",
                 qPrintable(QFileInfo(path).fileName()));
    make(part);
    if (!QFile::rename(part, path))
        qFatal("Could not move %s into place", qPrintable(path));
    return path;
}

} // namespace

QString BenchData::folder() {
    static const QString path = [] {
        const QString p = QStringLiteral(LEDGERLINE_BENCH_DIR "/data");
        QDir().mkpath(p);
        return p;
    }();
    return path;
}

QString BenchData::shipFolder() {
    return QStringLiteral(LEDGERLINE_BENCH_DIR "/../ship");
}

QString BenchData::commonPayee() {
    return QString::fromUtf8(kCommonPayee).mid(4, 12); // "County Offic"
}

QString BenchData::rarePayee() {
    return QString::fromUtf8(kRarePayee).toUpper();
}

QString BenchData::checkDatabase(int records, Checks checks) {
    const QString name = QStringLiteral("checks-%1%2-v%3.mdb")
                             .arg(records)
                             .arg(checks == Checks::AllOnce ? QStringLiteral("-once") : QString())
                             .arg(kGeneratorVersion);
    return madeOnce(QDir(folder()).filePath(name), [&](const QString& part) {
        CheckDb::createTemplate(part);
        auto db = Database::open(part);
        db->transaction([&] { writeRows(*db, records, checks); });
    });
}

QString BenchData::workCopy(const QString& path, const QString& name) {
    const QString copy = QDir(QFileInfo(path).path()).filePath(name);
    QFile::remove(copy);
    if (!QFile::copy(path, copy))
        qFatal("Could not copy %s", qPrintable(path));
    QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return copy;
}

QString BenchData::programFolder(const QString& name, int productTypes) {
    const QString path =
        QDir(folder()).filePath(QStringLiteral("%1-v%2").arg(name).arg(kGeneratorVersion));
    QDir().mkpath(path);
    const QString templ = QDir(path).filePath(CheckDb::kTemplateFile);
    if (!QFileInfo::exists(templ))
        QFile::copy(QDir(shipFolder()).filePath(CheckDb::kTemplateFile), templ);
    madeOnce(QDir(path).filePath(SettingsDb::kFileName), [&](const QString& part) {
        QFile::copy(QDir(shipFolder()).filePath(SettingsDb::kFileName), part);
        QFile(part).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (productTypes == 0)
            return;
        auto db = Database::open(part);
        db->transaction([&] {
            db->exec(QStringLiteral("DELETE FROM BusinessType"));
            Seeded rng(kSeed + quint64(productTypes));
            for (int i = 1; i <= productTypes; ++i)
                db->exec(QStringLiteral("INSERT INTO BusinessType (BusinessType) VALUES (?)"),
                         {QStringLiteral("%1 %2 %3")
                              .arg(QString::fromUtf8(rng.pick(kTrades)),
                                   QString::fromUtf8(rng.pick(kProducts)))
                              .arg(i, 5, 10, QLatin1Char('0'))});
        });
    });
    return path;
}

QString BenchData::placeIn(const QString& folder, const QString& database) {
    const QString name = QFileInfo(database).fileName();
    const QString target = QDir(folder).filePath(name);
    if (!QFileInfo::exists(target))
        QFile::copy(database, target);
    return name;
}

QString BenchData::chooserFolder(int databases) {
    const QString path = programFolder(QStringLiteral("chooser-%1").arg(databases));
    const QString done = QDir(path).filePath(QStringLiteral(".complete"));
    if (QFileInfo::exists(done))
        return path;
    // Two small databases, one of each kind, copied under every name.
    const QString kinds[2] = {QDir(path).filePath(QStringLiteral(".check")),
                              QDir(path).filePath(QStringLiteral(".draft"))};
    for (int k = 0; k < 2; ++k) {
        QFile::remove(kinds[k]);
        QFile::copy(checkDatabase(20), kinds[k]);
        auto db = Database::open(kinds[k]);
        db->exec(QStringLiteral("UPDATE Properties SET AccountType = ?"),
                 {k == 0 ? CheckDb::kCheckType : CheckDb::kDraftType});
    }
    const char* const uses[] = {"Payroll",   "Monthly Drafts",  "Operating",  "Rent",
                                "Suppliers", "Customer Drafts", "Petty Cash", "Refunds"};
    for (int i = 0; i < databases; ++i) {
        const QString name = QStringLiteral("%1 %2.mdb")
                                 .arg(QString::fromLatin1(uses[i % 8]))
                                 .arg(i, 4, 10, QLatin1Char('0'));
        const QString target = QDir(path).filePath(name);
        if (!QFileInfo::exists(target))
            QFile::copy(kinds[i % 2], target);
    }
    QFile(done).open(QIODevice::WriteOnly);
    return path;
}
