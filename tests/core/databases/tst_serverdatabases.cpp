// Check databases on a real PostgreSQL server of the test's own: the same rules as on a file,
// moving a database to the server and back, and two desks at work at once.
#include "core/databases/DatabaseFiles.h"
#include "core/databases/ServerDatabases.h"
#include "core/entry/AmountText.h"
#include "core/entry/CheckBook.h"
#include "core/entry/FieldEntry.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/register/PositivePay.h"
#include "core/register/RegisterModel.h"
#include "core/register/RegisterTotals.h"
#include "support/CheckDbFixture.h"
#include "support/Child.h"
#include "support/PrintShop.h"
#include "support/PrivatePostgres.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QTest>
#include <cstdio>

using namespace CheckDbFixture;

namespace {

PrivatePostgres* server = nullptr;

class TestAccess : public Database::ServerAccess {
public:
    std::optional<ServerLogin> login() override { return server->login(); }
    void refused(const ServerLogin&) override {}
};
TestAccess testAccess;

/// A program folder whose screens reach the test's server.
struct Env : TestEnv {
    Env() { Database::setServerAccess(&testAccess); }
};

/// A database of either kind with the payer's template: "file" or "server".
QString makeShop(TestEnv& env, const QString& where, const QString& name) {
    const QString file = where == QLatin1String("server")
                             ? ServerDatabases::create(name, name, CheckDb::Kind::Check)
                             : CheckDbFixture::create(env, name);
    setTemplate(env, file, payer());
    return file;
}

/// Another desk: a Ledgerline process of its own on the same server.
QStringList asAnotherDesk(const QStringList& arguments) {
    return Child::run(arguments, {QStringLiteral("env"),
                                  QStringLiteral("LEDGERLINE_TEST_SERVER=") + server->loginText()})
        .lines;
}

int shops = 0;
QString nextName() {
    return QStringLiteral("Shop %1").arg(++shops);
}

} // namespace

class TestServerDatabases : public QObject {
    Q_OBJECT

    Env m_env;
    QStringList m_centsShops; // a file and a server database, made once

private slots:
    // New, an edit, a search and the marking of a print run behave alike on a file and on
    // the server.
    void theSameRulesOnBothEngines_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("file") << "file";
        QTest::newRow("server") << "server";
    }
    void theSameRulesOnBothEngines() {
        QFETCH(QString, where);
        Env env;
        const QString file = makeShop(env, where, nextName());
        setLastCheck(env, file, 1050);
        CheckBook book(env.path(file));
        book.newCheck(env.clock);
        QCOMPARE(book.current().value("Check").toLongLong(), 1051LL);
        QCOMPARE(book.current().value("BusinessName").toString(),
                 QStringLiteral("Maple Street Bakery"));
        book.commit(
            {{QStringLiteral("PayTo"), QStringLiteral("Payee"), QStringLiteral("Ann Zoë")},
             {QStringLiteral("Amount"), QStringLiteral("Amount"), QStringLiteral("$1,234.5")}});
        const qint64 id = book.current().value("ID").toLongLong();
        QCOMPARE(row(env, file, id).value("Amount"), QVariant("1234.50"));
        book.newCheck(env.clock);
        QCOMPARE(lastCheck(env, file), QVariant(1052));
        // Letter case aside, for every alphabet.
        QVERIFY(book.search(QStringLiteral("PayTo"), QStringLiteral("ann zo")));
        QCOMPARE(book.current().value("ID").toLongLong(), id);
        QVERIFY(book.search(QStringLiteral("PayTo"), QStringLiteral("ZOË")));
        QVERIFY(!book.search(QStringLiteral("PayTo"), QStringLiteral("%")));
    }

    // A print run marks only what is on paper: a check another desk changes or deletes
    // between the print and the user's Yes keeps its print option and number, and the user
    // is told which; a change that does not print (a comment, the date of a check that
    // prints every time, which shows the run's date) marks as usual.
    void aPrintRunMarksOnlyWhatItPrinted_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("otherDesk"); // %1 the one-time check, %2 the monthly one
        QTest::addColumn<QString>("told");      // the checks named as changed
        const struct {
            const char* name;
            const char* otherDesk;
            const char* told;
        } cases[] = {
            {"nothing changed", "", ""},
            {"amount", "UPDATE \"Account\" SET \"Amount\" = '9.99' WHERE \"ID\" = %1", "#1043"},
            {"payee", "UPDATE \"Account\" SET \"PayTo\" = 'Other desk' WHERE \"ID\" = %1", "#1043"},
            {"date", "UPDATE \"Account\" SET \"Date\" = '12/2/2026' WHERE \"ID\" = %1", "#1043"},
            {"deleted", "DELETE FROM \"Account\" WHERE \"ID\" = %1", "#1043"},
            {"number of a monthly check",
             "UPDATE \"Account\" SET \"Check\" = 2000 WHERE \"ID\" = %2", "#1050"},
            {"memo of both", "UPDATE \"Account\" SET \"For\" = 'Rent' WHERE \"ID\" IN (%1, %2)",
             "#1043, #1050"},
            {"comments", "UPDATE \"Account\" SET \"Comments\" = 'Called' WHERE \"ID\" = %1", ""},
            {"date of a monthly check",
             "UPDATE \"Account\" SET \"Date\" = '1/4/2027' WHERE \"ID\" = %2", ""},
        };
        for (const char* where : {"file", "server"})
            for (const auto& c : cases)
                QTest::addRow("%s: %s", where, c.name) << where << c.otherDesk << c.told;
    }
    void aPrintRunMarksOnlyWhatItPrinted() {
        QFETCH(QString, where);
        QFETCH(QString, otherDesk);
        QFETCH(QString, told);
        PrintShop shop([&](TestEnv& env) {
            Database::setServerAccess(&testAccess);
            return makeShop(env, where, nextName());
        });
        const qint64 once = shop.add({{"Comments", "Called on Monday"}});
        const qint64 monthly =
            shop.add({{"Check", 1050}, {"Amount", "75.00"}, {"Print", "Monthly"}});
        setLastCheck(shop.env, shop.file, 1050);
        const QString location = shop.env.path(shop.file);
        QStringList otherDeskSaid{QStringLiteral("done")};
        if (!otherDesk.isEmpty())
            shop.env.prompter.whileAnswering([&] {
                otherDeskSaid =
                    asAnotherDesk({QStringLiteral("exec"), location,
                                   QString(otherDesk)
                                       .replace(QLatin1String("%1"), QString::number(once))
                                       .replace(QLatin1String("%2"), QString::number(monthly))});
            });
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print("Once Monthly"), QString());
        QCOMPARE(otherDeskSaid, QStringList{"done"});

        const QList<Prompt> shown = shop.env.prompter.take();
        QVERIFY(!shown.isEmpty());
        if (told.isEmpty())
            QCOMPARE(shown.last().kind, Prompt::Kind::Question);
        else
            QCOMPARE(shown.last().text,
                     QStringLiteral(
                         "These checks were changed or deleted at another desk or by another "
                         "program after they printed, so what is stored for them is not what is "
                         "on the paper: %1. They were not marked as printed and kept their "
                         "numbers. Look at each on the data-entry screen before the next run: a "
                         "one-time check prints again unless it is set to Don't Print, and a "
                         "check that prints every time needs a new number, or it prints with the "
                         "same number again.")
                         .arg(told));

        const QVariantMap a = shop.row(once);
        if (told.contains(QLatin1String("#1043"))) {
            QCOMPARE(a.value("Printed"), QVariant());
            QVERIFY(a.value("Print") != QVariant("Never"));
        } else {
            QCOMPARE(a.value("Print"), QVariant("Never"));
            QVERIFY(a.value("Comments")
                        .toString()
                        .startsWith(QStringLiteral(
                            "Printed this check as #1043 For $142.18 on 12/7/2026  \r\n")));
        }
        const QVariantMap m = shop.row(monthly);
        if (told.contains(QLatin1String("#1050"))) {
            QCOMPARE(m.value("Printed"), QVariant());
            QVERIFY(m.value("Check") != QVariant(1051));
            QCOMPARE(lastCheck(shop.env, shop.file), QVariant(1050));
        } else {
            QCOMPARE(m.value("Check"), QVariant(1051));
            QCOMPARE(m.value("Comments"),
                     QVariant("Printed this check as #1050 For $75.00 on 12/7/2026  \r\n"));
            QCOMPARE(lastCheck(shop.env, shop.file), QVariant(1051));
        }
    }

    // A stored amount in whole cents reads alike in the program and in the SQL of either
    // engine, which adds up the register's totals and the positive-pay amounts.
    void amountsInCentsReadAlike_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QVariant>("cents"); // Null: not dollars and cents
        const QVariant none;
        const struct {
            const char* amount;
            QVariant cents;
        } cases[] = {
            {"$1,234.5", 123450},
            {"1,234,567.00", 123456700},
            {"-$3", -300},
            {"$-3.10", -310},
            {"-0.00", 0},
            {"12.340", 1234},
            {"00012.00", 1200},
            {" 7 ", 700},
            {"\t7.5\t", 750},
            {"5.", 500},
            {".5", 50},
            {"9999999999999.99", Q_INT64_C(999999999999999)},
            {"00000000000001", 100},  // leading zeros are no digits
            {"10000000000000", none}, // fourteen whole digits
            {"12.345", none},
            {"1,23", none},
            {"12,34", none},
            {"1,2345", none},
            {"0,125", none},
            {",", none},
            {".", none},
            {"-", none},
            {"$", none},
            {"", none},
            {"abc", none},
            {"$ 3", none},
            {"- 3", none},
            {"3-", none},
            {"1.2.3", none},
            {"12 000", none},
            {"\u00a012", none},
            {"\uff11\uff12", none}, // full-width digits
        };
        for (const auto& c : cases)
            QTest::addRow("%s", c.amount) << QString::fromUtf8(c.amount) << c.cents;
    }
    void amountsInCentsReadAlike() {
        QFETCH(QString, amount);
        QFETCH(QVariant, cents);
        const std::optional<qint64> read = AmountText::cents(amount);
        QCOMPARE(read ? QVariant(*read) : QVariant(), cents);
        Database::setServerAccess(&testAccess); // whichever program folder came last
        if (m_centsShops.isEmpty())
            m_centsShops = {makeShop(m_env, QStringLiteral("file"), nextName()),
                            makeShop(m_env, QStringLiteral("server"), nextName())};
        for (const QString& shop : std::as_const(m_centsShops)) {
            QSqlQuery q = Database::open(m_env.path(shop))
                              ->exec(QStringLiteral("SELECT ledgerline_cents(?)"), {amount});
            QVERIFY(q.next());
            const QVariant inSql = q.value(0);
            QCOMPARE(inSql.isNull() ? QVariant() : QVariant(inSql.toLongLong()), cents);
        }
    }

    // The register's count and total, voiding a check and the positive-pay file read alike
    // on a file and on the server, also on a server database made before checks could be
    // voided, which gains the void fields when it is opened to write.
    void theRegisterVoidAndPositivePayOnBothEngines_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("withoutVoids");
        QTest::newRow("file") << "file" << false;
        QTest::newRow("server") << "server" << false;
        QTest::newRow("server, made before voids") << "server" << true;
    }
    void theRegisterVoidAndPositivePayOnBothEngines() {
        QFETCH(QString, where);
        QFETCH(bool, withoutVoids);
        Env env;
        const QString shop = makeShop(env, where, nextName());
        if (withoutVoids)
            Database::open(env.path(shop))
                ->exec(QStringLiteral("ALTER TABLE \"Account\" DROP COLUMN \"VoidDate\", "
                                      "DROP COLUMN \"VoidReason\""));
        const QVariantMap base{{"Account", "1234D567 8"}, {"Print", "Never"}};
        const auto note = [](const char* number, const char* amount, const char* day) {
            return QStringLiteral("Printed this check as #%1 For $%2 on %3  ")
                .arg(QLatin1String(number), QLatin1String(amount), QLatin1String(day));
        };
        addCheck(env, shop,
                 with(base, {{"Check", 1001},
                             {"Amount", "250.00"},
                             {"PayTo", "Harbor Office Supply"},
                             {"Date", "11/30/2026"},
                             {"Printed", "12/1/2026"},
                             {"Comments", note("1001", "250.00", "12/1/2026") + "\r\nPaid"}}));
        // Printed by an earlier version that kept no notes, its amount as typed then.
        addCheck(env, shop,
                 with(base, {{"Check", 1002},
                             {"Amount", "$1,234.5"},
                             {"PayTo", "Ann Zoë"},
                             {"Date", "12/4/2026"},
                             {"Printed", "12/4/2026"}}));
        addCheck(env, shop,
                 with(base, {{"Check", 1003},
                             {"Amount", "1850.00"},
                             {"PayTo", "Main Street Properties"},
                             {"Date", "12/2/2026"},
                             {"Printed", "12/2/2026"},
                             {"Comments", note("1003", "1850.00", "12/2/2026")}}));
        addCheck(env, shop, with(base, {{"Check", 1004}, {"Amount", "12.345"}, {"Print", "Once"}}));

        CheckBook book(env.path(shop));
        QVERIFY(book.search(QStringLiteral("PayTo"), QStringLiteral("main street")));
        book.voidCurrent(QStringLiteral("Lost in the mail"), env.clock);
        const QVariantMap voided = row(env, shop, book.current().value("ID").toLongLong());
        QCOMPARE(voided.value("VoidDate"), QVariant("12/7/2026"));
        QCOMPARE(voided.value("VoidReason"), QVariant("Lost in the mail"));
        QCOMPARE(voided.value("Print"), QVariant("Never"));

        RegisterModel model(env.path(shop));
        model.totals().finish();
        QCOMPARE(model.totals().summary().text(),
                 QStringLiteral("4 checks (1 void), total without the void ones "
                                "$1,484.50; 1 amount is not a number and is left out"));

        const QString target = env.path(QStringLiteral("bank.csv"));
        QCOMPARE(PositivePay::write(env.path(shop), target, QDate(2026, 12, 1), QDate(2026, 12, 7),
                                    PositivePayFormat::defaults(), false),
                 3);
        QFile written(target);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(),
                 QByteArray("Account Number,Check Number,Issue Date,Amount,Payee,Void\r\n"
                            "12345678,1001,11/30/2026,250.00,Harbor Office Supply,N\r\n"
                            "12345678,1002,12/04/2026,1234.50,Ann Zo\xc3\xab,N\r\n"
                            "12345678,1003,12/02/2026,1850.00,Main Street Properties,Y\r\n"));
    }

    // A database moved to the server and back keeps every field, every number and its
    // header, and the next check goes on from its numbers.
    void movingToTheServerAndBack() {
        Env env;
        const QString file =
            CheckDbFixture::create(env, QStringLiteral("Moving"), CheckDb::Kind::Draft);
        setTemplate(env, file, payer());
        const qint64 a = addCheck(env, file,
                                  {{"PayTo", "Ann"},
                                   {"Check", 1043},
                                   {"Amount", "5.00"},
                                   {"Comments", "line one\r\nline two"}});
        const qint64 b =
            addCheck(env, file, {{"PayTo", "Bob"}, {"Check", QVariant()}, {"LabelPrint", -1}});
        setLastCheck(env, file, 1200);
        const QVariantMap rowA = row(env, file, a);
        const QVariantMap rowB = row(env, file, b);

        const QString location = ServerDatabases::moveFromFile(env.path(file));
        QCOMPARE(location, QStringLiteral("server:Moving"));
        QVERIFY(!QFile::exists(env.path(file)));
        QVERIFY(QFile::exists(env.path(file) + QStringLiteral(".moved")));
        QVERIFY(ServerDatabases::list().contains(QStringLiteral("Moving")));
        for (const auto& [id, before] : {std::pair{a, rowA}, std::pair{b, rowB}}) {
            QVariantMap after = row(env, location, id);
            after.remove(QStringLiteral("RowVersion"));
            QCOMPARE(after, before);
        }
        QCOMPARE(lastCheck(env, location), QVariant(1200));
        CheckBook onServer(location);
        QCOMPARE(onServer.caption(), QStringLiteral("Draft Database: Moving"));
        onServer.newCheck(env.clock);
        QCOMPARE(onServer.current().value("ID").toLongLong(), b + 1);

        const QString back = ServerDatabases::moveToFile(location, env.program.folder());
        QCOMPARE(back, QStringLiteral("Moving.mdb"));
        QVERIFY(!ServerDatabases::list().contains(QStringLiteral("Moving")));
        QCOMPARE(row(env, back, a), rowA);
        QCOMPARE(lastCheck(env, back), QVariant(1201));
        QCOMPARE(count(env, back), 4);
    }

    // Two desks pressing New as fast as they can never get one number.
    void twoDesksMakingChecksAtOnce() {
        Env env;
        const QString location = makeShop(env, QStringLiteral("server"), nextName());
        setLastCheck(env, location, 100);
        QProcess desks[2];
        for (QProcess& desk : desks) {
            QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
            e.insert(QStringLiteral("LEDGERLINE_TEST_SERVER"), server->loginText());
            desk.setProcessEnvironment(e);
            desk.start(Child::toolPath(), {QStringLiteral("new"), location, QStringLiteral("25")});
        }
        QSet<QString> numbers;
        for (QProcess& desk : desks) {
            QVERIFY(desk.waitForFinished(60000));
            const QStringList made =
                QString::fromUtf8(desk.readAllStandardOutput()).trimmed().split(' ');
            QCOMPARE(made.size(), 25);
            for (const QString& n : made)
                numbers.insert(n);
        }
        QCOMPARE(numbers.size(), 50);
        QVERIFY(numbers.contains(QStringLiteral("101")) && numbers.contains(QStringLiteral("150")));
        QCOMPARE(lastCheck(env, location), QVariant(150));
    }

    // An edit of a check another desk changed or deleted while it was shown is refused, and
    // nothing the other desk stored is overwritten.
    void anEditAfterAnotherDesksChangeIsRefused_data() {
        QTest::addColumn<QString>("otherDesk");
        QTest::addColumn<int>("reason");
        QTest::newRow("changed")
            << "UPDATE \"Account\" SET \"PayTo\" = 'Other desk' WHERE \"ID\" = %1"
            << int(DbError::Reason::Changed);
        QTest::newRow("deleted") << "DELETE FROM \"Account\" WHERE \"ID\" = %1"
                                 << int(DbError::Reason::Gone);
    }
    void anEditAfterAnotherDesksChangeIsRefused() {
        QFETCH(QString, otherDesk);
        QFETCH(int, reason);
        Env env;
        const QString location = makeShop(env, QStringLiteral("server"), nextName());
        const qint64 id = addCheck(env, location, {{"PayTo", "Ann"}, {"Check", 1043}});
        CheckBook book(location);
        QVERIFY(book.moveNext()); // onto the check: the screen shows what it reads
        QCOMPARE(book.current().value("PayTo"), QVariant("Ann"));
        QCOMPARE(asAnotherDesk({QStringLiteral("exec"), location, otherDesk.arg(id)}),
                 QStringList{"done"});
        try {
            book.commit(
                {{QStringLiteral("PayTo"), QStringLiteral("Payee"), QStringLiteral("Annabel")}});
            QFAIL("the edit was stored over the other desk's");
        } catch (const DbError& e) {
            QCOMPARE(int(e.reason()), reason);
        }
        if (reason == int(DbError::Reason::Changed))
            QCOMPARE(row(env, location, id).value("PayTo"), QVariant("Other desk"));
    }

    // A connection to the server that breaks is told in the words of a database that went
    // away, and the database counts as gone: nothing more is written.
    void aLostConnectionIsTold() {
        Env env;
        const QString location = makeShop(env, QStringLiteral("server"), nextName());
        addCheck(env, location, {{"PayTo", "Ann"}});
        CheckBook book(location);
        QVERIFY(book.moveNext());
        server->stop();
        try {
            book.commit(
                {{QStringLiteral("PayTo"), QStringLiteral("Payee"), QStringLiteral("Bob")}});
            QFAIL("the edit went nowhere without a word");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), QStringLiteral("The connection to the database server was lost "
                                                 "while Ledgerline had the database %1 open, so "
                                                 "Ledgerline cannot save changes to it.")
                                      .arg(ServerLocation::name(location)));
        }
        QVERIFY(book.vanished());
        QVERIFY(server->start());
    }
};

// Without a database server of its own the test cannot run: it says so in one line and
// counts as skipped (77), never as passed.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrivatePostgres postgres;
    if (!postgres.problem().isEmpty()) {
        std::printf("SKIPPED: no database server of the test's own could be started here (%s)\n",
                    qPrintable(postgres.problem()));
        return 77;
    }
    server = &postgres;
    Database::setServerAccess(&testAccess);
    TestServerDatabases test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_serverdatabases.moc"
