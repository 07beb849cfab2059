// The positive-pay file on real check databases: its bytes, each layout choice, what it
// refuses to list, and that an existing file is never replaced unasked or half-written; the
// layout as PC.OVL keeps it, also in a settings file from before it existed.
#include "core/databases/CheckDb.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/register/PositivePay.h"
#include "core/settings/SettingsDb.h"
#include "core/setup/PositivePayOptions.h"
#include "support/CheckDbFixture.h"
#include "support/FileSizeLimit.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace CheckDbFixture;
using Column = PositivePayFormat::Column;

namespace {

const QDate kFirst(2026, 12, 1);
const QDate kLast(2026, 12, 7);

QString note(int number, const char* amount, const char* day) {
    return QStringLiteral("Printed this check as #%1 For $%2 on %3  ")
        .arg(number)
        .arg(QLatin1String(amount), QLatin1String(day));
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

const QByteArray kHeader = "Account Number,Check Number,Issue Date,Amount,Payee,Void\r\n";

} // namespace

class TestPositivePay : public QObject {
    Q_OBJECT

    TestEnv m_env;
    QString m_file;

    QString db() const { return m_env.path(m_file); }
    QByteArray written(const QDate& from, const QDate& to, const PositivePayFormat& format) {
        const QString target = m_env.path(QStringLiteral("bank.csv"));
        QFile::remove(target);
        PositivePay::write(db(), target, from, to, format, false);
        return bytesOf(target);
    }

private slots:
    void initTestCase() {
        m_file = create(m_env, QStringLiteral("Shop"));
        setTemplate(m_env, m_file, {{"Account", "1234D567 8"}, {"Printed", "12/2/2026"}});
        const QVariantMap base{{"Account", "1234D567 8"}, {"Print", "Never"}};
        // Printed once, its old comments below the note.
        addCheck(m_env, m_file,
                 with(base, {{"Check", 1001},
                             {"Amount", "250.00"},
                             {"PayTo", "Harbor Office Supply"},
                             {"Date", "11/30/2026"},
                             {"Printed", "12/1/2026"},
                             {"Comments", note(1001, "250.00", "12/1/2026") + "\r\nPaid early"}}));
        // Prints every time: renumbered after each run, its notes keep the numbers printed.
        addCheck(m_env, m_file,
                 with(base, {{"Check", 1007},
                             {"Print", "Monthly"},
                             {"Amount", "80.00"},
                             {"PayTo", "Pat \"PJ\" Morgan, Jr."},
                             {"Date", "12/3/2026"},
                             {"Printed", "12/3/2026"},
                             {"Comments", note(1006, "75.00", "12/3/2026") + "\r\n" +
                                              note(1002, "75.00", "11/3/2026")}}));
        // Printed, then voided within the days.
        addCheck(m_env, m_file,
                 with(base, {{"Check", 1003},
                             {"Amount", "1850.00"},
                             {"PayTo", "Main Street Properties"},
                             {"Date", "12/2/2026"},
                             {"Printed", "12/2/2026"},
                             {"Comments", note(1003, "1850.00", "12/2/2026")},
                             {"VoidDate", "12/5/2026"},
                             {"VoidReason", "Lost"}}));
        // Voided before it was ever printed: the bank never saw it.
        addCheck(m_env, m_file,
                 with(base, {{"Check", 1004}, {"Amount", "9.00"}, {"VoidDate", "12/6/2026"}}));
        // Printed before the first day.
        addCheck(m_env, m_file,
                 with(base, {{"Check", 1000},
                             {"Amount", "5.00"},
                             {"Printed", "11/20/2026"},
                             {"Comments", note(1000, "5.00", "11/20/2026")}}));
        // Printed by an earlier version that kept no notes, its amount as typed then.
        addCheck(m_env, m_file,
                 with(base, {{"Check", 1008},
                             {"Amount", "$1,000"},
                             {"PayTo", " Greenfield Utilities "},
                             {"Date", "12/4/2026"},
                             {"Printed", "12/4/2026"}}));
        // Printed within the days, voided after the last one.
        addCheck(m_env, m_file,
                 with(base, {{"Check", 1009},
                             {"Amount", "45.10"},
                             {"PayTo", "Valley Waste"},
                             {"Date", "12/6/2026"},
                             {"Printed", "12/6/2026"},
                             {"VoidDate", "12/9/2026"}}));
    }

    void theFileAsTheBankGetsIt() {
        QCOMPARE(written(kFirst, kLast, PositivePayFormat::defaults()),
                 kHeader + "12345678,1001,11/30/2026,250.00,Harbor Office Supply,N\r\n"
                           "12345678,1003,12/02/2026,1850.00,Main Street Properties,Y\r\n"
                           "12345678,1006,12/03/2026,75.00,\"Pat \"\"PJ\"\" Morgan, Jr.\",N\r\n"
                           "12345678,1008,12/04/2026,1000.00,Greenfield Utilities,N\r\n"
                           "12345678,1009,12/06/2026,45.10,Valley Waste,N\r\n");
        // The earlier print of the check that prints every time, in its own month.
        QCOMPARE(written(QDate(2026, 11, 1), QDate(2026, 11, 5), PositivePayFormat::defaults()),
                 kHeader + "12345678,1002,11/03/2026,75.00,\"Pat \"\"PJ\"\" Morgan, Jr.\",N\r\n");
    }

    void eachChoice_data() {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("dates");
        QTest::addColumn<bool>("cents");
        QTest::addColumn<QByteArray>("line");
        const QString usual = QStringLiteral("Account,Check,IssueDate,Amount,Payee,Void");
        QTest::newRow("usual") << usual << "MM/DD/YYYY" << false
                               << QByteArray("12345678,1008,12/04/2026,1000.00,Greenfield "
                                             "Utilities,N");
        QTest::newRow("cents") << usual << "MM/DD/YYYY" << true
                               << QByteArray("12345678,1008,12/04/2026,100000,Greenfield "
                                             "Utilities,N");
        const std::pair<const char*, const char*> dates[] = {
            {"M/D/YYYY", "12/4/2026"}, {"MM/DD/YY", "12/04/26"}, {"YYYY-MM-DD", "2026-12-04"},
            {"MMDDYYYY", "12042026"},  {"MMDDYY", "120426"},     {"YYYYMMDD", "20261204"},
            {"unknown", "12/04/2026"}};
        for (const auto& [format, shown] : dates)
            QTest::newRow(format) << QStringLiteral("Void,IssueDate") << format << false
                                  << QByteArray("N,") + shown +
                                         ",12345678,1008,1000.00,Greenfield Utilities";
        QTest::newRow("order, unknown names passed over, the rest after")
            << "Amount,Nonsense,Check,Amount,payee"
            << "MM/DD/YYYY" << false
            << QByteArray("1000.00,1008,12345678,12/04/2026,Greenfield Utilities,N");
    }
    void eachChoice() {
        QFETCH(QString, columns);
        QFETCH(QString, dates);
        QFETCH(bool, cents);
        QFETCH(QByteArray, line);
        PositivePayFormat format = PositivePayFormat::defaults();
        format.columns = PositivePayFormat::fromText(columns);
        format.dateFormat = dates;
        format.cents = cents;
        const QDate day(2026, 12, 4);
        const QByteArray file = written(day, day, format);
        QCOMPARE(file.mid(file.indexOf("\r\n") + 2), line + "\r\n");
        QStringList header;
        for (Column c : format.columns)
            header << PositivePayFormat::caption(c);
        QCOMPARE(file.left(file.indexOf("\r\n")), header.join(u',').toUtf8());
    }

    void voidsLeftOutWhenTheBankWantsNone() {
        PositivePayFormat format = PositivePayFormat::defaults();
        format.voids = false;
        const QByteArray file = written(kFirst, kLast, format);
        QVERIFY(!file.contains(",1003,"));
        QVERIFY(file.contains(",1009,12/06/2026,45.10,Valley Waste,N\r\n"));
        // Only voids on those days: nothing to list, so no file.
        const QString target = m_env.path(QStringLiteral("none.csv"));
        QCOMPARE(
            PositivePay::write(db(), target, QDate(2026, 12, 5), QDate(2026, 12, 5), format, false),
            0);
        QVERIFY(!QFile::exists(target));
    }

    void whatCannotBeListed_data() {
        QTest::addColumn<QVariantMap>("check");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        const QVariantMap printed{{"Check", 2001},       {"Amount", "10.00"},
                                  {"Account", "123"},    {"Printed", "12/7/2026"},
                                  {"Date", "12/7/2026"}, {"PayTo", "X"}};
        const QString tail = QStringLiteral("\nCorrect these checks, then export again.");
        const QString head =
            QStringLiteral("The positive pay file was not written: the bank would refuse it.\n");
        QTest::newRow("not an amount")
            << with(printed, {{"Amount", "ten dollars"}}) << int(CheckDb::Kind::Check)
            << head +
                   "Check #2001 has the amount \"ten dollars\", which is not an amount a bank "
                   "pays." +
                   tail;
        QTest::newRow("no amount")
            << with(printed, {{"Amount", QVariant()}}) << int(CheckDb::Kind::Check)
            << head +
                   "Check #2001 has the amount \"\", which is not an "
                   "amount a bank pays." +
                   tail;
        QTest::newRow("nothing to pay")
            << with(printed, {{"Amount", "-0.01"}}) << int(CheckDb::Kind::Check)
            << head + "Check #2001 has the amount \"-0.01\", which is not an amount a bank pays." +
                   tail;
        QTest::newRow("no account")
            << with(printed, {{"Account", "D -"}}) << int(CheckDb::Kind::Check)
            << head + "Check #2001 has no account number." + tail;
        QTest::newRow("drafts") << printed << int(CheckDb::Kind::Draft)
                                << "A DRAFT database has no positive pay file: drafts are drawn on "
                                   "your customers' accounts, not on yours, so your bank has no "
                                   "checks of yours to match them against.";
    }
    void whatCannotBeListed() {
        QFETCH(QVariantMap, check);
        QFETCH(int, kind);
        QFETCH(QString, message);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Odd"), CheckDb::Kind(kind));
        addCheck(env, file, check);
        const QString target = env.path(QStringLiteral("bank.csv"));
        try {
            PositivePay::write(env.path(file), target, kFirst, kLast, PositivePayFormat::defaults(),
                               false);
            QFAIL("listed");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), message);
        }
        QVERIFY(!QFile::exists(target));
    }

    void anExistingFileIsReplacedOnlyWhenAsked() {
        const QString target = m_env.path(QStringLiteral("kept.csv"));
        QFile::remove(target);
        {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("yesterday's file\r\n");
        }
        try {
            PositivePay::write(db(), target, kFirst, kLast, PositivePayFormat::defaults(), false);
            QFAIL("replaced");
        } catch (const DbError& e) {
            QCOMPARE(
                e.message(),
                QStringLiteral("A file named kept.csv is already in %1; it was left as it was.")
                    .arg(QDir::toNativeSeparators(m_env.folderPath())));
        }
        QCOMPARE(bytesOf(target), QByteArray("yesterday's file\r\n"));

        // A write the file-size limit cuts short leaves the earlier file and no part file.
        QString why;
        {
            FileSizeLimit small(64);
            try {
                PositivePay::write(db(), target, kFirst, kLast, PositivePayFormat::defaults(),
                                   true);
            } catch (const DbError& e) {
                why = e.message();
            }
        }
        QCOMPARE(why, QStringLiteral("The positive pay file kept.csv could not be written in %1 "
                                     "because it would be larger than the largest file this "
                                     "computer lets Ledgerline write. Nothing was written; an "
                                     "earlier kept.csv is as it was.")
                          .arg(QDir::toNativeSeparators(m_env.folderPath())));
        QCOMPARE(bytesOf(target), QByteArray("yesterday's file\r\n"));
        QCOMPARE(QDir(m_env.folderPath())
                     .entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden)
                     .size(),
                 0);

        QCOMPARE(
            PositivePay::write(db(), target, kFirst, kLast, PositivePayFormat::defaults(), true),
            5);
        QVERIFY(bytesOf(target).startsWith(kHeader));
    }

    void anOlderSettingsFileReadsTheUsualLayoutAndGainsTheFields() {
        TestEnv env;
        const QString settings = env.path(SettingsDb::kFileName);
        {
            auto db = Database::open(settings);
            for (const FieldDef& f : SettingsDb::laterFields())
                db->exec(QStringLiteral("ALTER TABLE Properties DROP COLUMN %1")
                             .arg(Database::quote(f.name)));
        }
        QCOMPARE(SettingsDb::problem(settings), QString());
        PositivePayOptions options(settings);
        const PositivePayFormat usual = options.format();
        QCOMPARE(PositivePayFormat::toText(usual.columns),
                 QStringLiteral("Account,Check,IssueDate,Amount,Payee,Void"));
        QCOMPARE(usual.dateFormat, QStringLiteral("MM/DD/YYYY"));
        QVERIFY(!usual.cents);
        QVERIFY(usual.voids);

        PositivePayFormat chosen;
        chosen.columns = PositivePayFormat::fromText(QStringLiteral("Check,Amount"));
        chosen.dateFormat = QStringLiteral("YYYYMMDD");
        chosen.cents = true;
        chosen.voids = false;
        options.store(chosen);
        const PositivePayFormat stored = PositivePayOptions(settings).format();
        QCOMPARE(PositivePayFormat::toText(stored.columns),
                 QStringLiteral("Check,Amount,Account,IssueDate,Payee,Void"));
        QCOMPARE(stored.dateFormat, QStringLiteral("YYYYMMDD"));
        QVERIFY(stored.cents);
        QVERIFY(!stored.voids);
    }

    void aChoiceThatCannotBeStoredAddsNoField() {
        TestEnv env;
        const QString settings = env.path(SettingsDb::kFileName);
        auto db = Database::open(settings);
        db->exec(QStringLiteral("ALTER TABLE Properties DROP COLUMN PositivePayVoids"));
        db->exec(QStringLiteral("DELETE FROM Properties"));
        try {
            PositivePayOptions(settings).store(PositivePayFormat::defaults());
            QFAIL("stored");
        } catch (const DbError& e) {
            QCOMPARE(e.message(),
                     QStringLiteral("The settings file PC.OVL has no settings record."));
        }
        QVERIFY(!db->fieldNames(QStringLiteral("Properties"))
                     .contains(QStringLiteral("PositivePayVoids")));
    }
};

QTEST_MAIN(TestPositivePay)
#include "tst_positivepay.moc"
