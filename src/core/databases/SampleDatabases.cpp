#include "core/databases/SampleDatabases.h"

#include "core/databases/DatabaseFiles.h"
#include "core/platform/Clock.h"
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"

#include <QVariantMap>
#include <iterator>

namespace {

struct Payee {
    const char* name;
    const char* amount;
    const char* memo;
};

const Payee kPayees[] = {
    {"Harbor Office Supply", "142.18", "Printer paper and toner"},
    {"Greenfield Utilities", "389.02", "Electric, November"},
    {"Main Street Properties", "1850.00", "December rent"},
    {"Pat Morgan", "612.40", "Payroll, week 49"},
    {"Lakeside Insurance Agency", "274.95", "Liability insurance"},
    {"Riverside Hardware", "58.31", "Shelving brackets"},
    {"County Tax Collector", "1204.77", "Property tax, second half"},
    {"Sam Ortiz", "612.40", "Payroll, week 49"},
    {"Blue Ridge Telephone", "96.15", "Phone and internet"},
    {"Corner Print Shop", "210.00", "Flyers for the winter sale"},
    {"Valley Waste Service", "45.00", "Trash pickup"},
    {"Dana Whitfield", "75.00", "Window cleaning"},
};

struct Customer {
    const char* first;
    const char* last;
    const char* address;
    const char* city;
    const char* state;
    const char* zip;
    const char* bank;
    const char* aba;
    const char* account;
};

const Customer kCustomers[] = {
    {"Alice", "Brennan", "14 Orchard Lane", "Springfield", "IL", "62704", "First Prairie Bank",
     "071000013", "4410 2231 7"},
    {"Carlos", "Mendes", "902 Bay Road", "Tampa", "FL", "33602", "Gulf Coast Savings", "063100277",
     "889D0021"},
    {"Erin", "Walsh", "3 Pine Court", "Portland", "OR", "97205", "Cascade Credit Union",
     "323070380", "55 1029 4"},
    {"Hugo", "Lindqvist", "77 Mill Street", "Burlington", "VT", "05401", "Green Mountain Bank",
     "011600033", "7002-118"},
};

const char* const kPrintOptions[] = {"Once", "Monthly", "Never"};

void fill(RecordSet& rs, const QVariantMap& values) {
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs.setValue(it.key(), it.value());
}

void makeChecks(const QDir& folder, const Clock& clock) {
    const QString file =
        DatabaseFiles::create(folder, SampleDatabases::kChecks,
                              QStringLiteral("Operating account (sample)"), CheckDb::Kind::Check);
    auto db = Database::open(folder.filePath(file));
    // The folder's template may come from an earlier version, without the void fields.
    CheckDb::bringUpToDate(db);
    db->transaction([&] {
        const QVariantMap payer{
            {"BusinessName", "Maple Street Bakery"},
            {"FirstName", "Jordan"},
            {"LastName", "Reyes"},
            {"Address", "218 Maple Street"},
            {"City", "Fairview"},
            {"State", "OH"},
            {"Zip", "44118"},
            {"Phone", "(216) 555-0142"},
            {"Bank", "Fairview Community Bank"},
            {"BankCity", "Fairview"},
            {"BankState", "OH"},
            {"ABA", "041000124"},
            {"Account", "1234D567 8"},
        };
        RecordSet account(db, CheckDb::kAccount);
        account.edit();
        fill(account, payer);
        account.setValue(QStringLiteral("Date"), clock.todayText());
        account.setValue(QStringLiteral("Print"), QStringLiteral("Never"));
        account.setValue(QStringLiteral("LabelPrint"), YesNo::False);
        account.update();
        int number = 1001;
        int i = 0;
        const int count = int(std::size(kPayees));
        for (const Payee& p : kPayees) {
            // Written over the last weeks; those set to Don't Print were printed on their
            // day, as a confirmed print run marks them, and the last of them was voided.
            const QString dated = Clock::dateText(clock.today().addDays(-3 * (count - i)));
            const QString print = QString::fromLatin1(kPrintOptions[i % 3]);
            account.addNew();
            fill(account, payer);
            account.setValue(QStringLiteral("PayTo"), QString::fromUtf8(p.name));
            account.setValue(QStringLiteral("Amount"), QString::fromLatin1(p.amount));
            account.setValue(QStringLiteral("For"), QString::fromUtf8(p.memo));
            account.setValue(QStringLiteral("Check"), number);
            account.setValue(QStringLiteral("Date"), dated);
            account.setValue(QStringLiteral("Print"), print);
            account.setValue(QStringLiteral("LabelPrint"), YesNo::False);
            if (print == QLatin1String("Never")) {
                account.setValue(QStringLiteral("Printed"), dated);
                account.setValue(QStringLiteral("Comments"),
                                 QStringLiteral("Printed this check as #%1 For $%2 on %3  ")
                                     .arg(number)
                                     .arg(QString::fromLatin1(p.amount), dated));
                if (i == count - 1) {
                    account.setValue(CheckDb::kVoidDate, clock.todayText());
                    account.setValue(CheckDb::kVoidReason,
                                     QStringLiteral("Made out for the wrong amount"));
                }
            }
            account.update();
            ++number;
            ++i;
        }
        RecordSet header(db, CheckDb::kHeader);
        header.edit();
        header.setValue(QStringLiteral("LastCheck"), number - 1);
        header.update();
    });
}

void makeDrafts(const QDir& folder, const Clock& clock) {
    const QString file =
        DatabaseFiles::create(folder, SampleDatabases::kDrafts,
                              QStringLiteral("Customer drafts (sample)"), CheckDb::Kind::Draft);
    auto db = Database::open(folder.filePath(file));
    db->transaction([&] {
        const QString payee = QStringLiteral("Maple Street Bakery");
        RecordSet account(db, CheckDb::kAccount);
        account.edit();
        account.setValue(QStringLiteral("PayTo"), payee);
        account.setValue(QStringLiteral("BusinessName"), QStringLiteral("(customer's business)"));
        account.setValue(QStringLiteral("FirstName"), QStringLiteral("(customer)"));
        account.setValue(QStringLiteral("Date"), clock.todayText());
        account.setValue(QStringLiteral("Print"), QStringLiteral("Never"));
        account.setValue(QStringLiteral("LabelPrint"), YesNo::True);
        account.update();
        const char* const types[] = {"General Merchandise", "Services", "Subscription"};
        for (int i = 0; i < 12; ++i) {
            const Customer& c = kCustomers[i % 4];
            account.addNew();
            account.setValue(QStringLiteral("PayTo"), payee);
            account.setValue(QStringLiteral("FirstName"), QString::fromUtf8(c.first));
            account.setValue(QStringLiteral("LastName"), QString::fromUtf8(c.last));
            account.setValue(QStringLiteral("Address"), QString::fromUtf8(c.address));
            account.setValue(QStringLiteral("City"), QString::fromUtf8(c.city));
            account.setValue(QStringLiteral("State"), QString::fromUtf8(c.state));
            account.setValue(QStringLiteral("Zip"), QString::fromUtf8(c.zip));
            account.setValue(QStringLiteral("Bank"), QString::fromUtf8(c.bank));
            account.setValue(QStringLiteral("ABA"), QString::fromLatin1(c.aba));
            account.setValue(QStringLiteral("Account"), QString::fromLatin1(c.account));
            account.setValue(QStringLiteral("Check"), 2001 + i);
            account.setValue(QStringLiteral("Amount"),
                             QStringLiteral("%1.%2").arg(19 + 10 * i).arg(i % 2 ? "95" : "00"));
            account.setValue(QStringLiteral("For"), QString::fromLatin1(types[i % 3]));
            account.setValue(QStringLiteral("BusinessType"), QString::fromLatin1(types[i % 3]));
            account.setValue(QStringLiteral("Date"), clock.todayText());
            account.setValue(QStringLiteral("Print"), QString::fromLatin1(kPrintOptions[i % 3]));
            account.setValue(QStringLiteral("LabelPrint"), i % 2 ? YesNo::True : YesNo::False);
            account.update();
        }
        RecordSet header(db, CheckDb::kHeader);
        header.edit();
        header.setValue(QStringLiteral("LastCheck"), 2012);
        header.update();
    });
}

} // namespace

QStringList SampleDatabases::createIfFirstRun(const QDir& folder, const Clock& clock) {
    if (!DatabaseFiles::list(folder).isEmpty())
        return {};
    makeChecks(folder, clock);
    makeDrafts(folder, clock);
    return {kChecks + QStringLiteral(".mdb"), kDrafts + QStringLiteral(".mdb")};
}
