// Check databases on a real PostgreSQL server of the test's own: the same rules as on a file,
// moving a database to the server and back, and two desks at work at once.
#include "core/databases/DatabaseFiles.h"
#include "core/databases/ServerDatabases.h"
#include "core/entry/CheckBook.h"
#include "core/entry/FieldEntry.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/print/CheckMarking.h"
#include "support/CheckDbFixture.h"
#include "support/Child.h"
#include "support/PrivatePostgres.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
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
        book.viewAll();
        auto db = Database::open(env.path(file));
        CheckMarking::markConfirmed(db, {id}, {}, env.clock.todayText());
        QCOMPARE(row(env, file, id).value("Print"), QVariant("Never"));
        QVERIFY(row(env, file, id)
                    .value("Comments")
                    .toString()
                    .startsWith(QStringLiteral(
                        "Printed this check as #1051 For $1234.50 on 12/7/2026  \r\n")));
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
