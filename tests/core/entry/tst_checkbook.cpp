// Numbering, template rules, deletion and search filters on real check databases.
#include "core/entry/CheckBook.h"
#include "core/entry/CheckNumbering.h"
#include "core/entry/FieldEntry.h"
#include "core/entry/FieldRefused.h"
#include "core/entry/Routing.h"
#include "core/entry/SearchFilter.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "support/CheckDbFixture.h"
#include "support/Child.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <functional>
#include <sqlite3.h>

using namespace CheckDbFixture;

namespace {

const QVariantMap kPayer = CheckDbFixture::payer();

} // namespace

class TestCheckBook : public QObject {
    Q_OBJECT

private slots:
    void numbering_data() {
        QTest::addColumn<QVariant>("lastNumber");
        QTest::addColumn<QVariant>("lastCheck");
        QTest::addColumn<qlonglong>("expected");
        QTest::newRow("only the template") << QVariant() << QVariant() << 1LL;
        QTest::newRow("last record ahead") << QVariant(1050) << QVariant(1002) << 1051LL;
        QTest::newRow("header ahead after a deletion")
            << QVariant(1000) << QVariant(1004) << 1005LL;
        QTest::newRow("equal") << QVariant(500) << QVariant(500) << 501LL;
        QTest::newRow("no header number") << QVariant(2000) << QVariant() << 2001LL;
        QTest::newRow("header past the wrap") << QVariant(5) << QVariant(999901) << 101LL;
        QTest::newRow("number past the wrap") << QVariant(999950) << QVariant(12) << 101LL;
        QTest::newRow("at the wrap") << QVariant(999900) << QVariant(999900) << 999901LL;
    }
    void numbering() {
        QFETCH(QVariant, lastNumber);
        QFETCH(QVariant, lastCheck);
        QFETCH(qlonglong, expected);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        if (!lastNumber.isNull())
            addCheck(env, file, {{"Check", lastNumber}});
        setLastCheck(env, file, lastCheck);
        CheckBook book(env.path(file));
        book.newCheck(env.clock);
        QCOMPARE(book.records().value(QStringLiteral("Check")).toLongLong(), expected);
        QCOMPARE(CheckDbFixture::lastCheck(env, file).toLongLong(), expected);
        QCOMPARE(CheckNumbering::next(lastNumber.toLongLong(), lastCheck.toLongLong()), expected);
    }

    void newCheckTakesTheTemplateByKind_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("check") << int(CheckDb::Kind::Check);
        QTest::newRow("draft") << int(CheckDb::Kind::Draft);
    }
    void newCheckTakesTheTemplateByKind() {
        QFETCH(int, kind);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"), CheckDb::Kind(kind));
        QVariantMap templ = kPayer;
        templ.insert("PayTo", "Maple Street Bakery");
        templ.insert("LabelPrint", YesNo::True);
        templ.insert("For", "template memo");
        templ.insert("Amount", "1.00");
        setTemplate(env, file, templ);

        CheckBook book(env.path(file));
        book.newCheck(env.clock);
        const QVariantMap row = CheckDbFixture::row(env, file, book.records().currentId());
        QCOMPARE(row.value("ID").toLongLong(), 2);
        QCOMPARE(row.value("Print").toString(), QStringLiteral("Once"));
        QCOMPARE(row.value("Date").toString(), QStringLiteral("12/7/2026"));
        QCOMPARE(row.value("Check").toLongLong(), 1);
        for (const char* empty : {"Amount", "For", "Comments", "BusinessType"})
            QVERIFY2(row.value(empty).isNull(), empty);
        if (CheckDb::Kind(kind) == CheckDb::Kind::Check) {
            for (auto it = kPayer.cbegin(); it != kPayer.cend(); ++it)
                QCOMPARE(row.value(it.key()), it.value());
            QVERIFY(row.value("PayTo").isNull());
            QCOMPARE(row.value("LabelPrint").toInt(), YesNo::False);
            // Opening a CHECK database turns the template's label flag off.
            QCOMPARE(CheckDbFixture::row(env, file, 1).value("LabelPrint").toInt(), YesNo::False);
        } else {
            for (auto it = kPayer.cbegin(); it != kPayer.cend(); ++it)
                QVERIFY2(row.value(it.key()).isNull(), qPrintable(it.key()));
            QCOMPARE(row.value("PayTo").toString(), QStringLiteral("Maple Street Bakery"));
            QCOMPARE(row.value("LabelPrint").toInt(), YesNo::True);
            QCOMPARE(CheckDbFixture::row(env, file, 1).value("LabelPrint").toInt(), YesNo::True);
        }
    }

    void newCheckInAFilteredViewTouchesNoOtherRecord() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        const qint64 ann = addCheck(env, file, {{"PayTo", "Ann"}, {"Check", 700}});
        addCheck(env, file, {{"PayTo", "Bob"}, {"Check", 900}});
        CheckBook book(env.path(file));
        const auto query = SearchFilter::contains(QStringLiteral("PayTo"), QStringLiteral("ann"));
        QVERIFY(book.filter(query.condition, query.binds));
        book.newCheck(env.clock);
        // Numbered after the last check of the whole table, and only the new row changed.
        QCOMPARE(book.records().value(QStringLiteral("Check")).toLongLong(), 901);
        QCOMPARE(book.records().currentId(), 4);
        const QVariantMap annRow = CheckDbFixture::row(env, file, ann);
        QCOMPARE(annRow.value("Check").toLongLong(), 700);
        QVERIFY(annRow.value("Print").isNull());
        // The new check does not match the filter, yet it stays in the view until another
        // filter replaces it: walking off either end comes back to it.
        QVERIFY(!book.moveNext());
        QCOMPARE(book.records().currentId(), 4);
        QVERIFY(book.movePrevious());
        QCOMPARE(book.records().currentId(), ann);
        QVERIFY(book.moveNext());
        QCOMPARE(book.records().currentId(), 4);
        QVERIFY(book.filter(query.condition, query.binds));
        QVERIFY(!book.moveNext());
        QCOMPARE(book.records().currentId(), ann);
    }

    void aDatabaseTakenAwayTakesNothingMore_data() {
        QTest::addColumn<QString>("takenAway");
        QTest::newRow("deleted") << "deleted";
        QTest::newRow("renamed") << "renamed";
        QTest::newRow("still there") << "";
    }
    void aDatabaseTakenAwayTakesNothingMore() {
        QFETCH(QString, takenAway);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        const qint64 ann = addCheck(env, file, {{"PayTo", "Ann"}});
        CheckBook book(env.path(file));
        QString kept = file;
        if (takenAway == QLatin1String("deleted")) {
            QVERIFY(QFile::remove(env.path(file)));
        } else if (takenAway == QLatin1String("renamed")) {
            kept = QStringLiteral("Old.mdb");
            QVERIFY(QFile::rename(env.path(file), env.path(kept)));
        }
        QCOMPARE(book.vanished(), !takenAway.isEmpty());
        QStringList refused;
        const auto tryTo = [&](const std::function<void()>& work) {
            try {
                work();
            } catch (const DbError& e) {
                refused << e.message();
            }
        };
        tryTo([&] { book.commit({{QStringLiteral("PayTo"), QStringLiteral("Payee"), "Bob"}}); });
        tryTo([&] { book.newCheck(env.clock); });
        if (takenAway.isEmpty()) {
            QCOMPARE(refused, QStringList());
            QCOMPARE(count(env, file), 3);
            return;
        }
        const QString moved =
            QStringLiteral("The file Shop.mdb has been moved, renamed or deleted from the program "
                           "folder %1 while Ledgerline had it open, so Ledgerline cannot save "
                           "changes to it.")
                .arg(QDir::toNativeSeparators(env.folderPath()));
        QCOMPARE(refused, (QStringList{moved, moved}));
        // The file under its new name holds what it held: nothing was half-written to it.
        if (takenAway == QLatin1String("renamed")) {
            QCOMPARE(count(env, kept), 2);
            QCOMPARE(row(env, kept, ann).value("PayTo").toString(), QStringLiteral("Ann"));
        }
    }

    // New is one change: a power cut in its middle leaves no empty or half-filled check,
    // and no number handed out.
    void aNewCutShortLeavesNoCheck() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        QVariantMap templ = kPayer;
        templ.insert("LabelPrint", YesNo::True);
        setTemplate(env, file, templ);
        addCheck(env, file, {{"PayTo", "Ann"}, {"Check", 1050}});
        setLastCheck(env, file, 1050);
        {
            // Its clock stops the process when New asks for today's date.
            Child dying({QStringLiteral("new-and-die"), env.path(file)});
            QCOMPARE(dying.firstLine(), QStringLiteral("ready"));
            dying.kill();
        }
        QCOMPARE(CheckDbFixture::count(env, file), 2);
        QCOMPARE(CheckDbFixture::lastCheck(env, file).toLongLong(), 1050);
        QCOMPARE(CheckDbFixture::row(env, file, 1).value("LabelPrint").toInt(), YesNo::True);
        // The next New takes the next number.
        CheckBook book(env.path(file));
        book.newCheck(env.clock);
        QCOMPARE(book.current().value("Check").toLongLong(), 1051);
        QCOMPARE(book.current().value("Zip").toString(), QStringLiteral("44118"));
    }

    void deletion() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        const qint64 a = addCheck(env, file, {{"PayTo", "Ann"}});
        const qint64 b = addCheck(env, file, {{"PayTo", "Bob"}});
        const qint64 c = addCheck(env, file, {{"PayTo", "Annette"}});
        CheckBook book(env.path(file));
        QVERIFY(book.currentIsTemplate());

        // The first of a filtered view: its new first one is shown.
        const auto query = SearchFilter::contains(QStringLiteral("PayTo"), QStringLiteral("ann"));
        QVERIFY(book.filter(query.condition, query.binds));
        QCOMPARE(book.records().currentId(), a);
        book.deleteCurrent();
        QCOMPARE(book.records().currentId(), c);
        // The last one of the view: every check is shown again, the template first.
        book.deleteCurrent();
        QVERIFY(!book.filtered());
        QCOMPARE(book.records().currentId(), 1);
        QCOMPARE(CheckDbFixture::count(env, file), 2);
        QCOMPARE(CheckDbFixture::row(env, file, b).value("PayTo").toString(),
                 QStringLiteral("Bob"));

        // Elsewhere the check before the deleted one is shown.
        const qint64 d = addCheck(env, file, {{"PayTo", "Dee"}});
        book.records().moveTo(d);
        book.deleteCurrent();
        QCOMPARE(book.records().currentId(), b);
    }

    // A printed check may still reach the bank: Delete keeps it, Void marks it, and a void
    // check takes nothing more but notes in its comments.
    void aPrintedCheckIsVoidedNeverDeleted() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        const qint64 id = addCheck(env, file,
                                   {{"Check", 1043},
                                    {"Print", "Never"},
                                    {"Printed", "12/1/2026"},
                                    {"Amount", "250.00"},
                                    {"LabelPrint", YesNo::True}});
        CheckBook book(env.path(file));
        QVERIFY(book.records().moveTo(id));
        QStringList refused;
        const auto tryTo = [&](const std::function<void()>& work) {
            try {
                work();
                refused << QStringLiteral("done");
            } catch (const DbError& e) {
                refused << e.message();
            }
        };
        tryTo([&] { book.deleteCurrent(); });
        tryTo([&] { book.voidCurrent(QStringLiteral("  "), env.clock); });
        tryTo([&] { book.voidCurrent(QStringLiteral(" Lost in the mail "), env.clock); });
        tryTo([&] { book.voidCurrent(QStringLiteral("Again"), env.clock); });
        tryTo([&] { book.deleteCurrent(); });
        tryTo([&] { book.commit({{QStringLiteral("Amount"), QStringLiteral("Amount"), "9.00"}}); });
        tryTo([&] { book.commit({}, false); });
        tryTo([&] { book.choosePrintOption(QStringLiteral("One Time")); });
        tryTo([&] { book.chooseProductType(QStringLiteral("Services")); });
        tryTo([&] {
            book.commit({{QStringLiteral("Comments"), QStringLiteral("Comments"), "Reissued"}});
        });
        QCOMPARE(
            refused,
            (QStringList{"Check #1043 was printed on 12/1/2026, so it is kept; void it instead.",
                         "A check is voided only with a reason. Check #1043 was not voided.",
                         "done", "Check #1043 is void already, since 12/7/2026.",
                         "Check #1043 is void; a void check is kept and cannot be deleted.",
                         "Check #1043 is void. What was typed in Amount was not stored.",
                         "Check #1043 is void. Its label setting was not stored.",
                         "Check #1043 is void. It never prints.",
                         "Check #1043 is void. Its product type was not changed.", "done"}));
        const QVariantMap voided = row(env, file, id);
        QCOMPARE(
            QStringList({voided.value("VoidDate").toString(), voided.value("VoidReason").toString(),
                         voided.value("Print").toString(), voided.value("Amount").toString(),
                         voided.value("LabelPrint").toString(),
                         voided.value("Comments").toString()}),
            QStringList({"12/7/2026", "Lost in the mail", "Never", "250.00", "-1", "Reissued"}));
        QCOMPARE(count(env, file), 2);
    }

    void voidOrDelete_data() {
        QTest::addColumn<QVariantMap>("check");
        QTest::addColumn<QString>("afterVoid"); // what Void says, "done" when it voids
        QTest::addColumn<bool>("deletable");
        QTest::newRow("unprinted")
            << QVariantMap{{"Check", 7}, {"Print", "Once"}} << "done" << true;
        QTest::newRow("no number, printed")
            << QVariantMap{{"Printed", "3/3/2026"}} << "done" << false;
        QTest::newRow("printed date blank")
            << QVariantMap{{"Check", 8}, {"Printed", " "}} << "done" << true;
        QTest::newRow("the template") << QVariantMap{}
                                      << "The first check is the template for "
                                         "new checks; it cannot be voided."
                                      << false;
    }
    void voidOrDelete() {
        QFETCH(QVariantMap, check);
        QFETCH(QString, afterVoid);
        QFETCH(bool, deletable);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        const qint64 id = check.isEmpty() ? 1 : addCheck(env, file, check);
        {
            CheckBook book(env.path(file));
            QVERIFY(book.records().moveTo(id));
            QCOMPARE(!book.currentIsTemplate() && !book.currentIsPrinted(), deletable);
            if (!check.isEmpty() && !deletable)
                QVERIFY(book.currentName() == QLatin1String("this check") ||
                        book.currentName().startsWith(QLatin1String("check #")));
            QString said = QStringLiteral("done");
            try {
                book.voidCurrent(QStringLiteral("Spoiled"), env.clock);
            } catch (const DbError& e) {
                said = e.message();
            }
            QCOMPARE(said, afterVoid);
        }
        QCOMPARE(row(env, file, id).value("VoidReason").toString(),
                 afterVoid == QLatin1String("done") ? QStringLiteral("Spoiled") : QString());
    }

    // A database made before checks could be voided: still a check database, and opened for
    // writing it gains the fields and indexes in one step, which an older copy of the
    // program, without Ledgerline's own SQL functions, can still write after.
    void anOlderDatabaseGainsItsFields() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Old"));
        const qint64 id = addCheck(env, file, {{"Check", 1001}, {"PayTo", "Ann"}});
        {
            auto db = Database::open(env.path(file));
            for (const FieldDef& f : CheckDb::laterFields())
                db->exec(QStringLiteral("ALTER TABLE Account DROP COLUMN %1")
                             .arg(Database::quote(f.name)));
            QVERIFY(!CheckDb::hasVoidFields(*db));
            QCOMPARE(CheckDb::notVoid(*db), QStringLiteral("1 = 1"));
        }
        QCOMPARE(CheckDb::problem(env.path(file)), QString());
        {
            CheckBook book(env.path(file));
            QVERIFY(CheckDb::hasVoidFields(*book.database()));
            for (const char* index :
                 {"RegisterNumber", "RegisterDate", "RegisterPayee", "RegisterAmount",
                  "RegisterPrint", "RegisterPrinted", "RegisterVoid"})
                QVERIFY2(book.database()->hasIndex(QString::fromLatin1(index)), index);
            QVERIFY(!book.database()->hasIndex(QStringLiteral("RegisterPayer")));
        }
        QCOMPARE(row(env, file, id).value("PayTo").toString(), QStringLiteral("Ann"));
        QVERIFY(row(env, file, id).value("VoidDate").isNull());

        sqlite3* older = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(env.path(file)).constData(), &older,
                                 SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        const int rc = sqlite3_exec(
            older,
            "INSERT INTO Account (\"Check\", Date, Amount, PayTo) VALUES (5, '1/2/2026', 'x', "
            "'Bo'); UPDATE Account SET Date = '13/1/2026', Printed = Date, Print = 'Never'",
            nullptr, nullptr, nullptr);
        const QString why = QString::fromUtf8(sqlite3_errmsg(older));
        sqlite3_close(older);
        QVERIFY2(rc == SQLITE_OK, qPrintable(why));
        QCOMPARE(count(env, file), 3);
    }

    // Where the database cannot be written just now, it works on without voids, and Void
    // says why it cannot be done.
    void aDatabaseThatCannotTakeTheFieldsWorksOn() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Held"));
        const qint64 id = addCheck(env, file, {{"Check", 1043}, {"Printed", "12/1/2026"}});
        {
            auto db = Database::open(env.path(file));
            db->exec(QStringLiteral("ALTER TABLE Account DROP COLUMN VoidReason"));
        }
        Child holder({QStringLiteral("write-and-wait"), env.path(file),
                      QStringLiteral("UPDATE Properties SET Description = Description")});
        QCOMPARE(holder.firstLine(), QStringLiteral("ready"));
        CheckBook book(env.path(file));
        QVERIFY(book.records().moveTo(id));
        QCOMPARE(book.current().value("Check").toInt(), 1043);
        QVERIFY(!book.currentIsVoid());
        try {
            book.voidCurrent(QStringLiteral("Spoiled"), env.clock);
            QFAIL("voided");
        } catch (const DbError& e) {
            QCOMPARE(e.message(),
                     QStringLiteral("Check #1043 could not be voided: this database cannot take "
                                    "void checks now. The database is in use by another program; "
                                    "try again in a moment. If Held.mdb stays in use, close the "
                                    "other program first."));
        }
    }

    void search_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<qint64>>("found");
        QTest::newRow("case") << "PayTo"
                              << "ANN" << QList<qint64>{2, 4};
        QTest::newRow("apostrophe") << "PayTo"
                                    << "o'b" << QList<qint64>{3};
        QTest::newRow("asterisk") << "For"
                                  << "*" << QList<qint64>{5};
        QTest::newRow("percent") << "For"
                                 << "50%" << QList<qint64>{5};
        QTest::newRow("underscore") << "For"
                                    << "a_b" << QList<qint64>{6};
        QTest::newRow("backslash") << "For"
                                   << "c:\\" << QList<qint64>{6};
        QTest::newRow("accented capitals") << "PayTo"
                                           << "ÉCOLE" << QList<qint64>{7};
        QTest::newRow("accented lower case") << "PayTo"
                                             << "école" << QList<qint64>{7};
        QTest::newRow("check number as text") << "Check"
                                              << "12" << QList<qint64>{2, 3, 4};
        QTest::newRow("empty text finds every filled field") << "For"
                                                             << "" << QList<qint64>{5, 6};
        QTest::newRow("sql") << "PayTo"
                             << "x' OR 1=1 --" << QList<qint64>{};
        QTest::newRow("no match") << "PayTo"
                                  << "zebra" << QList<qint64>{};
    }
    void search() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QList<qint64>, found);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        addCheck(env, file, {{"PayTo", "Ann Lee"}, {"Check", 112}});
        addCheck(env, file, {{"PayTo", "Bob O'Brien"}, {"Check", 120}});
        addCheck(env, file, {{"PayTo", "Joanne"}, {"Check", 1012}});
        addCheck(env, file, {{"PayTo", "Star"}, {"For", "*50% off*"}, {"Check", 201}});
        addCheck(env, file, {{"PayTo", "Path"}, {"For", "a_b in c:\\docs"}, {"Check", 13}});
        addCheck(env, file, {{"PayTo", "École Saint-Jean"}});
        CheckBook book(env.path(file));
        const auto query = SearchFilter::contains(field, typed);
        QCOMPARE(book.filter(query.condition, query.binds), !found.isEmpty());
        if (found.isEmpty()) {
            QVERIFY(!book.filtered());
            QCOMPARE(book.records().currentId(), 1);
            return;
        }
        QList<qint64> seen;
        for (RecordSet& rs = book.records(); !rs.eof(); rs.moveNext())
            seen << rs.currentId();
        QCOMPARE(seen, found);
    }

    void routingCheckDigit_data() {
        QTest::addColumn<QString>("aba");
        QTest::addColumn<bool>("ok");
        QTest::newRow("valid") << "041000124" << true;
        QTest::newRow("valid too") << "011000015" << true;
        QTest::newRow("one digit off") << "041000125" << false;
        QTest::newRow("two digits swapped") << "014000124" << false;
        QTest::newRow("eight digits") << "04100012" << false;
        QTest::newRow("letters") << "04100012A" << false;
        QTest::newRow("Canadian dash") << "123D56789" << false;
    }
    void routingCheckDigit() {
        QFETCH(QString, aba);
        QFETCH(bool, ok);
        QCOMPARE(Routing::checkDigitOk(aba), ok);
    }

    void entries_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("number") << "Check"
                                << "1051" << QVariant(1051LL);
        QTest::newRow("number with blanks") << "Check"
                                            << " 1051 " << QVariant(1051LL);
        QTest::newRow("letters in number") << "Check"
                                           << "10a1" << QVariant();
        QTest::newRow("negative number") << "Check"
                                         << "-5" << QVariant();
        // Amounts are stored plain, with two decimals, however they were written.
        QTest::newRow("amount with thousands commas")
            << "Amount"
            << "1,234.50" << QVariant(QStringLiteral("1234.50"));
        QTest::newRow("amount with dollar sign and commas")
            << "Amount"
            << "$1,234.50" << QVariant(QStringLiteral("1234.50"));
        QTest::newRow("amount without cents") << "Amount"
                                              << "12" << QVariant(QStringLiteral("12.00"));
        QTest::newRow("amount with one decimal")
            << "Amount"
            << " 1234.5 " << QVariant(QStringLiteral("1234.50"));
        QTest::newRow("negative amount") << "Amount"
                                         << "-$3" << QVariant(QStringLiteral("-3.00"));
        QTest::newRow("dollar sign alone") << "Amount"
                                           << "$" << QVariant();
        QTest::newRow("commas out of place") << "Amount"
                                             << "1,23.00" << QVariant();
        QTest::newRow("amount with letters") << "Amount"
                                             << "12.5O" << QVariant();
        QTest::newRow("amount with three decimals") << "Amount"
                                                    << "0.105" << QVariant();
        QTest::newRow("amount two points") << "Amount"
                                           << "1.2.3" << QVariant();
        // Printed in the MICR line, which a bank reads only in E-13B characters.
        QTest::newRow("routing number") << "ABA"
                                        << "041000124" << QVariant(QStringLiteral("041000124"));
        QTest::newRow("routing number with a dash") << "ABA"
                                                    << "0410-0012" << QVariant();
        QTest::newRow("routing number with a blank") << "ABA"
                                                     << "041000124 " << QVariant();
        QTest::newRow("account with dashes, D and blanks")
            << "Account"
            << "12-34 D56" << QVariant(QStringLiteral("12-34 D56"));
        QTest::newRow("account with a letter") << "Account"
                                               << "1234-5678 x" << QVariant();
        QTest::newRow("account with a lowercase d") << "Account"
                                                    << "12d34" << QVariant();
        QTest::newRow("empty box") << "PayTo"
                                   << "" << QVariant();
        QTest::newRow("text as typed") << "PayTo"
                                       << "  Ann  " << QVariant(QStringLiteral("  Ann  "));
    }
    void entries() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QVariant, stored);
        const bool refused = stored.isNull() && !typed.isEmpty();
        QCOMPARE(FieldEntry::accepts(field, typed), !refused);
        try {
            QCOMPARE(FieldEntry::convert(field, QStringLiteral("Caption"), typed), stored);
            QVERIFY(!refused);
        } catch (const FieldRefused& e) {
            QVERIFY(refused);
            QCOMPARE(e.field(), field);
            QVERIFY(e.message().startsWith(QStringLiteral("Caption must be ")));
            if (field == QLatin1String("Check"))
                QCOMPARE(e.message(), QStringLiteral("Caption must be a whole number from 0 up; "
                                                     "\"%1\" was not stored.")
                                          .arg(typed));
            if (field == QLatin1String("Account"))
                QCOMPARE(e.message(), QStringLiteral("Caption must be digits, blanks, D and - "
                                                     "only, as the MICR line prints it; \"%1\" "
                                                     "was not stored.")
                                          .arg(typed));
            QVERIFY(e.message().endsWith(QStringLiteral("\"%1\" was not stored.").arg(typed)));
        }
    }

    void commitStoresEverythingOrNothing_data() {
        QTest::addColumn<QStringList>("typed"); // field=text pairs
        QTest::addColumn<int>("label");         // -1: untouched, 0: cleared, 1: ticked
        QTest::addColumn<QString>("refused");   // the message, when the commit is refused
        QTest::addColumn<QVariantMap>("stored");
        QTest::newRow("texts, number and amount")
            << QStringList{"PayTo=Ann", "Check= 1051", "Amount=$1,234.50"} << -1 << ""
            << QVariantMap{{"PayTo", "Ann"},
                           {"Check", 1051},
                           {"Amount", "1234.50"},
                           {"LabelPrint", QVariant()}};
        QTest::newRow("an emptied box stores Null")
            << QStringList{"PayTo="} << 1 << ""
            << QVariantMap{{"PayTo", QVariant()}, {"LabelPrint", YesNo::True}};
        QTest::newRow("label cleared alone")
            << QStringList{} << 0 << "" << QVariantMap{{"LabelPrint", YesNo::False}};
        QTest::newRow("a bad amount stores nothing")
            << QStringList{"PayTo=Ann", "Amount=ten"} << 1
            << "Amount must be an amount in dollars and cents, like 1234.56; \"ten\" was not "
               "stored."
            << QVariantMap{{"PayTo", "Bob"}, {"Amount", "5.00"}, {"LabelPrint", QVariant()}};
    }
    void commitStoresEverythingOrNothing() {
        QFETCH(QStringList, typed);
        QFETCH(int, label);
        QFETCH(QString, refused);
        QFETCH(QVariantMap, stored);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        const qint64 id = addCheck(env, file, {{"PayTo", "Bob"}, {"Amount", "5.00"}});
        CheckBook book(env.path(file));
        QVERIFY(book.records().moveTo(id));
        QList<FieldEntry::Typed> entries;
        for (const QString& pair : typed) {
            const QString field = pair.section(QLatin1Char('='), 0, 0);
            entries.append({field, field, pair.section(QLatin1Char('='), 1)});
        }
        const std::optional<bool> labelPrint =
            label < 0 ? std::nullopt : std::optional<bool>(label == 1);
        try {
            book.commit(entries, labelPrint);
            QCOMPARE(QString(), refused);
        } catch (const FieldRefused& e) {
            QCOMPARE(e.message(), refused);
        }
        const QVariantMap row = CheckDbFixture::row(env, file, id);
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            QCOMPARE(row.value(it.key()).toString(), it.value().toString());
    }

    void selectorsStoreTheirCodes_data() {
        // Each row is named by the print option chosen; "Weekly" is what the check had.
        QTest::addColumn<QString>("print");
        QTest::newRow("One Time") << "Once";
        QTest::newRow("Multiple Times") << "Monthly";
        QTest::newRow("Don't Print") << "Never";
        QTest::newRow("Monthly Draft") << "Weekly"; // shown, but not in the list
        QTest::newRow("one time") << "Weekly";
    }
    void selectorsStoreTheirCodes() {
        const QString chosen = QString::fromUtf8(QTest::currentDataTag());
        QFETCH(QString, print);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        addCheck(env, file, {{"Print", "Weekly"}, {"For", "typed memo"}});
        CheckBook book(env.path(file));
        book.records().moveLast();
        book.choosePrintOption(chosen);
        QCOMPARE(book.current().value("Print").toString(), print);
        book.chooseProductType(QStringLiteral("Services"));
        QCOMPARE(book.current().value("BusinessType").toString(), QStringLiteral("Services"));
        QCOMPARE(book.current().value("For").toString(), QStringLiteral("Services"));
    }

    void gotoFirstCheckShowsTheTemplatesOwnWords_data() {
        QTest::addColumn<QVariantMap>("templ");
        QTest::addColumn<QString>("shown"); // print option | label tick | product type
        QTest::newRow("monthly") << QVariantMap{{"Print", "Monthly"},
                                                {"LPrint", 1},
                                                {"BusinessType", "Repairs"}}
                                 << "Monthly Draft|ticked|Repairs";
        QTest::newRow("once") << QVariantMap{{"Print", "Once"}, {"LPrint", 0}}
                              << "One Time|cleared| ";
        QTest::newRow("never, no label flag")
            << QVariantMap{{"Print", "Never"}} << "Don't Print|kept| ";
        QTest::newRow("unknown option keeps the text")
            << QVariantMap{{"Print", "Weekly"}} << "|kept| ";
        QTest::newRow("no option keeps the text") << QVariantMap{} << "|kept| ";
    }
    void gotoFirstCheckShowsTheTemplatesOwnWords() {
        QFETCH(QVariantMap, templ);
        QFETCH(QString, shown);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, templ);
        addCheck(env, file, {{"PayTo", "Ann"}});
        CheckBook book(env.path(file));
        book.records().moveLast();
        const FirstCheckOptions options = book.gotoFirstCheck();
        QCOMPARE(book.records().currentId(), 1);
        const QString tick = !options.labelTick   ? QStringLiteral("kept")
                             : *options.labelTick ? QStringLiteral("ticked")
                                                  : QStringLiteral("cleared");
        QCOMPARE(QStringList({options.printOption, tick, options.productType}).join(u'|'), shown);
    }

    void walkingStopsAtEitherEnd() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        const qint64 a = addCheck(env, file, {{"PayTo", "Ann"}});
        CheckBook book(env.path(file));
        QVERIFY(!book.movePrevious());
        QCOMPARE(book.records().currentId(), 1);
        QVERIFY(book.moveNext());
        QVERIFY(!book.moveNext());
        QCOMPARE(book.records().currentId(), a);
        QCOMPARE(book.current().value("PayTo").toString(), QStringLiteral("Ann"));
    }
};

QTEST_MAIN(TestCheckBook)
#include "tst_checkbook.moc"
