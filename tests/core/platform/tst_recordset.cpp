// Record sets on real SQLite files: what every screen and print run relies on.
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "support/Drive.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace Drive;

namespace {

const TableDef kPeople{QStringLiteral("People"),
                       {{QStringLiteral("ID"), FieldKind::Counter},
                        {QStringLiteral("Name"), FieldKind::Text},
                        {QStringLiteral("Check"), FieldKind::Long},
                        {QStringLiteral("For"), FieldKind::Text}}};

} // namespace

class TestRecordSet : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::shared_ptr<Database> m_db;

    void addPeople(const QStringList& names) {
        RecordSet rs(m_db, kPeople.name);
        for (const QString& n : names) {
            rs.addNew();
            rs.setValue(QStringLiteral("Name"), n);
            rs.update();
        }
    }
    static QStringList walk(RecordSet& rs) {
        QStringList seen;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            seen << rs.value(QStringLiteral("Name")).toString();
        return seen;
    }

private slots:
    void init() {
        const QString file = m_dir.filePath(QStringLiteral("people.db"));
        m_db.reset();
        QFile::remove(file);
        m_db = Database::create(file);
        TableSchema::create(*m_db, {kPeople});
    }
    void cleanup() { m_db.reset(); }

    void nullIsNotEmptyText() {
        RecordSet rs(m_db, kPeople.name);
        rs.addNew();
        rs.setValue(QStringLiteral("Name"), QString(""));
        rs.update();
        QVERIFY(!rs.isNull(QStringLiteral("Name")));
        QCOMPARE(rs.value(QStringLiteral("Name")).toString(), QString());
        QVERIFY(rs.isNull(QStringLiteral("For")));
        QVERIFY(rs.isNull(QStringLiteral("Check")));
    }

    void naturalOrderIsAscendingId() {
        // Rows written with identities out of order still walk in ID order.
        m_db->exec(
            QStringLiteral("INSERT INTO People (ID, Name) VALUES (30, 'c'), (10, 'a'), (20, 'b')"));
        RecordSet rs(m_db, kPeople.name);
        QCOMPARE(walk(rs), QStringList({"a", "b", "c"}));
        rs.moveLast();
        QCOMPARE(rs.currentId(), 30);
    }

    void movesAndEnds() {
        RecordSet empty(m_db, kPeople.name);
        QVERIFY(empty.bof() && empty.eof());
        QVERIFY(!empty.hasCurrent());
        QCOMPARE(empty.recordCount(), 0);
        QVERIFY_THROWS_EXCEPTION(DbError, empty.value(QStringLiteral("Name")));

        addPeople({"a", "b", "c"});
        RecordSet rs(m_db, kPeople.name);
        QVERIFY(!rs.bof() && !rs.eof());
        QCOMPARE(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("a"));
        rs.movePrevious();
        QVERIFY(rs.bof());
        QVERIFY(!rs.hasCurrent());
        rs.moveNext();
        QCOMPARE(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("a"));
        rs.moveLast();
        QCOMPARE(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("c"));
        rs.moveNext();
        QVERIFY(rs.eof());
        rs.moveNext(); // staying past the end is harmless
        QVERIFY(rs.eof());
        rs.movePrevious();
        QCOMPARE(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("c"));
        QCOMPARE(rs.recordCount(), 3);
    }

    void twoRecordSetsOnOneTableLastUpdateWins() {
        addPeople({"a"});
        RecordSet one(m_db, kPeople.name);
        RecordSet two(m_db, kPeople.name);
        one.edit();
        one.setValue(QStringLiteral("Name"), QStringLiteral("first"));
        one.update();
        QCOMPARE(two.value(QStringLiteral("Name")).toString(), QStringLiteral("first"));
        two.edit();
        two.setValue(QStringLiteral("Name"), QStringLiteral("second"));
        two.update();
        QCOMPARE(one.value(QStringLiteral("Name")).toString(), QStringLiteral("second"));
    }

    void addNewBecomesCurrentAndDeleteLeavesNoCurrent() {
        addPeople({"a", "b", "c"});
        RecordSet rs(m_db, kPeople.name);
        rs.addNew();
        QVERIFY(rs.isNull(QStringLiteral("Name")));
        rs.setValue(QStringLiteral("Name"), QStringLiteral("d"));
        QCOMPARE(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("d"));
        rs.update();
        QCOMPARE(rs.currentId(), 4);

        rs.moveFirst();
        rs.moveNext(); // b
        rs.remove();
        QVERIFY(!rs.hasCurrent());
        QVERIFY_THROWS_EXCEPTION(DbError, rs.value(QStringLiteral("Name")));
        rs.moveNext();
        QCOMPARE(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("c"));
        QCOMPARE(walk(rs), QStringList({"a", "c", "d"}));
    }

    // A forward walk reads rows ahead; a row changed meanwhile, by this program or by
    // another one, is read as it is now, and one deleted meanwhile is passed over.
    void aWalkSeesChangesMadeMeanwhile_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("elsewhere"); // by another program
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("updated here") << "UPDATE People SET Name = 'D' WHERE Name = 'd'" << false
                                      << QStringList{"c", "D", "e"};
        QTest::newRow("updated by another program")
            << "UPDATE People SET Name = 'D' WHERE Name = 'd'" << true
            << QStringList{"c", "D", "e"};
        QTest::newRow("deleted by another program")
            << "DELETE FROM People WHERE Name = 'd'" << true << QStringList{"c", "e"};
        QTest::newRow("another program changing nothing")
            << "SELECT 1" << true << QStringList{"c", "d", "e"};
    }
    void aWalkSeesChangesMadeMeanwhile() {
        QFETCH(QString, change);
        QFETCH(bool, elsewhere);
        QFETCH(QStringList, seen);
        addPeople({"a", "b", "c", "d", "e"});
        RecordSet rs(m_db, kPeople.name);
        rs.moveNext();
        rs.moveNext(); // "c", with "d" read ahead
        QStringList names{rs.record().value(QStringLiteral("Name")).toString()};
        if (elsewhere) {
            sqlite3* other = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(m_db->path()).constData(), &other), SQLITE_OK);
            QCOMPARE(sqlite3_exec(other, change.toUtf8().constData(), nullptr, nullptr, nullptr),
                     SQLITE_OK);
            sqlite3_close(other);
        } else {
            m_db->exec(change);
        }
        for (rs.moveNext(); !rs.eof(); rs.moveNext()) {
            QCOMPARE(rs.record().value(QStringLiteral("Name")), rs.value(QStringLiteral("Name")));
            names << rs.value(QStringLiteral("Name")).toString();
        }
        QCOMPARE(names, seen);
    }

    void anEditOfARowDeletedElsewhereIsRefused() {
        addPeople({"a", "b"});
        RecordSet shown(m_db, kPeople.name);
        RecordSet other(m_db, kPeople.name);
        other.remove(); // "a", while `shown` still shows it
        shown.edit();
        shown.setValue(QStringLiteral("Name"), QStringLiteral("typed"));
        try {
            shown.update();
            QFAIL("an edit that reached no row was taken as stored");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), QStringLiteral("This record no longer exists: it was deleted "
                                                 "while it was shown. What was entered for it "
                                                 "was not stored."));
            QCOMPARE(e.reason(), DbError::Reason::Gone);
        }
        QCOMPARE(walk(other), QStringList{"b"});
        // An edit that changes nothing still finds its row.
        other.moveFirst();
        other.edit();
        other.setValue(QStringLiteral("Name"), QStringLiteral("b"));
        other.update();
    }

    void counterNeverHandsOutANumberTwice() {
        addPeople({"a", "b"});
        RecordSet rs(m_db, kPeople.name);
        rs.moveLast();
        rs.remove();
        rs.addNew();
        rs.update();
        QCOMPARE(rs.currentId(), 3);
    }

    void refreshSeesRowsOthersAddedAndMovesFirst() {
        addPeople({"a"});
        RecordSet rs(m_db, kPeople.name);
        addPeople({"b"});
        rs.moveLast();
        QCOMPARE(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("b"));
        rs.refresh();
        QCOMPARE(rs.currentId(), 1);
        QCOMPARE(rs.recordCount(), 2);
    }

    void boundParameterIsMatchedLiterally_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("plain") << "ann" << QStringList{"Ann's 50% off_sale", "Joanne"};
        QTest::newRow("apostrophe") << "'" << QStringList{"Ann's 50% off_sale", "it's"};
        QTest::newRow("percent") << "%" << QStringList{"Ann's 50% off_sale"};
        QTest::newRow("underscore") << "_" << QStringList{"Ann's 50% off_sale"};
        QTest::newRow("sql") << "'; DROP TABLE People; --" << QStringList{};
    }
    void boundParameterIsMatchedLiterally() {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        addPeople({"Ann's 50% off_sale", "Joanne", "it's", "Bob"});
        QString pattern = typed;
        pattern.replace('\\', "\\\\").replace('%', "\\%").replace('_', "\\_");
        RecordSet rs(m_db, kPeople.name, QStringLiteral("Name LIKE ? ESCAPE '\\'"),
                     {QLatin1Char('%') + pattern + QLatin1Char('%')});
        QCOMPARE(walk(rs), found);
        QCOMPARE(rs.recordCount(), found.size());
        QVERIFY(m_db->hasTable(kPeople.name));
    }

    void refusedValueStoresNothingAndNamesTheField() {
        addPeople({"a"});
        RecordSet rs(m_db, kPeople.name);
        rs.edit();
        rs.setValue(QStringLiteral("Name"), QStringLiteral("changed"));
        rs.setValue(QStringLiteral("Check"), QStringLiteral("12a"));
        try {
            rs.update();
            QFAIL("letters in a whole-number field were stored");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("Check")), qPrintable(e.message()));
        }
        QVERIFY(!rs.editing());
        QCOMPARE(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("a"));
        QVERIFY(rs.isNull(QStringLiteral("Check")));
        // The record set stays usable.
        rs.edit();
        rs.setValue(QStringLiteral("Check"), QStringLiteral("101"));
        rs.update();
        QCOMPARE(rs.value(QStringLiteral("Check")).toLongLong(), 101);
    }

    void transactionIsAllOrNothing() {
        try {
            m_db->transaction([&] {
                addPeople({"a", "b"});
                throw DbError(QStringLiteral("stop"));
            });
        } catch (const DbError&) {
        }
        RecordSet rs(m_db, kPeople.name);
        QCOMPARE(rs.recordCount(), 0);
    }

    void nestedTransactionIsASavepoint_data() {
        QTest::addColumn<bool>("innerFails");
        QTest::addColumn<bool>("outerCatches");
        QTest::addColumn<bool>("outerFailsLater");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("all goes well") << false << false << false << QStringList{"a", "b", "c"};
        QTest::newRow("inner fails, outer goes on")
            << true << true << false << QStringList{"a", "c"};
        QTest::newRow("inner fails, outer gives up") << true << false << false << QStringList{};
        QTest::newRow("inner done, outer fails later") << false << false << true << QStringList{};
    }
    void nestedTransactionIsASavepoint() {
        QFETCH(bool, innerFails);
        QFETCH(bool, outerCatches);
        QFETCH(bool, outerFailsLater);
        QFETCH(QStringList, stored);
        try {
            m_db->transaction([&] {
                addPeople({"a"});
                try {
                    m_db->transaction([&] {
                        addPeople({"b"});
                        if (innerFails)
                            throw DbError(QStringLiteral("inner"));
                    });
                } catch (const DbError&) {
                    if (!outerCatches)
                        throw;
                }
                addPeople({"c"});
                if (outerFailsLater)
                    throw DbError(QStringLiteral("outer"));
            });
        } catch (const DbError&) {
        }
        RecordSet rs(m_db, kPeople.name);
        QCOMPARE(walk(rs), stored);
        // Whatever happened, the next transaction starts afresh.
        m_db->transaction([&] { addPeople({"d"}); });
        QCOMPARE(rs.recordCount(), stored.size() + 1);
    }

    void foreignFilesAreRefusedUntouched_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("Name,Amount\nAnn,12.50\n");
        QTest::newRow("zeros") << QByteArray(4096, '\0');
        QTest::newRow("damaged header")
            << QByteArray("SQLite format 3\0garbage-garbage-garbage", 40) + QByteArray(4000, 'x');
    }
    void foreignFilesAreRefusedUntouched() {
        QFETCH(QByteArray, content);
        const QString file = m_dir.filePath(QStringLiteral("foreign.mdb"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        const QByteArray before = digest(file);
        try {
            auto db = Database::open(file);
            RecordSet rs(db, QStringLiteral("Account"));
            QFAIL("a foreign file was opened");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("foreign.mdb")), qPrintable(e.message()));
            QVERIFY(!e.message().contains(QStringLiteral("file is not a database")));
        }
        QCOMPARE(digest(file), before);
        QVERIFY(!QFile::exists(file + QStringLiteral("-journal")));
    }

    void missingFileIsNotCreated() {
        const QString file = m_dir.filePath(QStringLiteral("nothere.mdb"));
        QVERIFY_THROWS_EXCEPTION(DbError, Database::open(file));
        QVERIFY(!QFile::exists(file));
    }

    void oddNamesAreQuoted() {
        // Field names like "1", "Check" and "For" are keywords or digits in SQL.
        m_db->exec(QStringLiteral("CREATE TABLE Odd (\"1\" TEXT, \"5\" INTEGER, \"Select\" TEXT)"));
        RecordSet rs(m_db, QStringLiteral("Odd"));
        rs.addNew();
        rs.setValue(QStringLiteral("1"), QStringLiteral("tran"));
        rs.setValue(QStringLiteral("5"), 525);
        rs.setValue(QStringLiteral("Select"), QStringLiteral("x\"y"));
        rs.update();
        QCOMPARE(rs.value(QStringLiteral("5")).toInt(), 525);
        QCOMPARE(rs.value(QStringLiteral("Select")).toString(), QStringLiteral("x\"y"));
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
