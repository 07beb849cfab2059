// Export to EXPORT.TXT and import of comma-delimited files, on real check databases.
#include "core/exchange/CheckExport.h"
#include "core/exchange/CheckImport.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "support/CheckDbFixture.h"
#include "support/Child.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace CheckDbFixture;

namespace {

const QVariantMap kTemplate{{"BusinessName", "Maple Street Bakery"}, {"FirstName", "Jordan"}};

const QVariantMap kAwkward{
    {"BusinessName", "Smith, \"Bud\" Jr."},
    {"FirstName", "Zoë"},
    {"LastName", "Ñandú"},
    {"Address", "12 Elm\r\nSuite 4"},
    {"City", "Fairview"},
    {"State", "OH"},
    {"Zip", "44118"},
    {"PayTo", "Acme \"Best\" Supply"},
    {"Check", 1001},
    {"Amount", "1,250.00"},
    {"Bank", "First Bank"},
    {"BankCity", "Fairview"},
    {"BankState", "OH"},
    {"ABA", "041000124"},
    {"Account", "1234D567"},
    {"For", "Invoice 7, \"rush\""},
    {"BusinessType", "Services"},
    {"Date", "12/1/2026"},
    {"Comments", "never exported"},
    {"Print", "Once"},
};

const QByteArray kNullRecord = QByteArray("\"\",").repeated(17) + "\"\"\r\n";

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

/// A full record of empty values but those given, written as they stand.
QByteArray record(const QMap<int, QByteArray>& raw) {
    QByteArrayList values;
    for (int i = 0; i < 18; ++i)
        values << raw.value(i, "\"\"");
    return values.join(',') + "\r\n";
}

QString importFails(TestEnv& env, const QString& file, const QString& source) {
    try {
        CheckImport::read(env.path(file), env.path(source), env.clock);
    } catch (const DbError& e) {
        return e.message();
    }
    return QStringLiteral("(imported)");
}

} // namespace

class TestCheckExchange : public QObject {
    Q_OBJECT

private slots:
    void exportsWriteTheFormatLineForLine() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kTemplate);
        addCheck(env, file, kAwkward);
        addCheck(env, file, {{"Check", 1002}, {"Amount", "12.50"}, {"PayTo", "Ann"}});
        const QString target = env.path(QStringLiteral("EXPORT.TXT"));

        QCOMPARE(CheckExport::write(env.path(file), target, CheckExport::Layout::Full), 3);
        QCOMPARE(readFile(target),
                 QByteArray("\"Maple Street Bakery\",\"Jordan\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
                            "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
                            "\"Smith, \"\"Bud\"\" Jr.\",\"Zo\xc3\xab\",\"\xc3\x91\x61nd\xc3\xba\","
                            "\"12 Elm\r\nSuite 4\",\"Fairview\",\"OH\",\"44118\",\"\","
                            "\"Acme \"\"Best\"\" Supply\",1001,1250,\"First Bank\",\"Fairview\","
                            "\"OH\",\"041000124\",\"1234D567\",\"Invoice 7, \"\"rush\"\"\","
                            "\"Services\"\r\n"
                            "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"Ann\",1002,12.5,\"\",\"\","
                            "\"\",\"\",\"\",\"\",\"\"\r\n"));

        QCOMPARE(CheckExport::write(env.path(file), target, CheckExport::Layout::Customer), 3);
        QCOMPARE(readFile(target),
                 QByteArray("\"Maple Street Bakery\",\"Jordan\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
                            "\"Smith, \"\"Bud\"\" Jr.\",\"Zo\xc3\xab\",\"\xc3\x91\x61nd\xc3\xba\","
                            "\"12 Elm\r\nSuite 4\",\"Fairview\",\"OH\",\"44118\",\"\"\r\n"
                            "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
    }

    void anAmountThatIsNotANumberIsExportedAsItsText() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        addCheck(env, file, {{"Amount", "N/A"}});
        const QString target = env.path(QStringLiteral("EXPORT.TXT"));
        CheckExport::write(env.path(file), target, CheckExport::Layout::Full);
        QCOMPARE(readFile(target), kNullRecord + record({{10, "\"N/A\""}}));
    }

    void aFailedExportLeavesThePreviousFileAsItWas() {
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        addCheck(env, file, {{"Amount", "5.00"}});
        const QString target = env.path(QStringLiteral("EXPORT.TXT"));
        writeFile(target, "the previous export\r\n");
        // The second check cannot be read: the engine fails in the middle of the export.
        {
            auto db = Database::open(env.path(file));
            db->exec(QStringLiteral("ALTER TABLE Account RENAME TO Stored"));
            db->exec(QStringLiteral(
                "CREATE VIEW Account AS SELECT ID, BusinessName, FirstName, LastName, Address, "
                "City, State, Zip, Phone, PayTo, \"Check\", CASE WHEN ID = 2 THEN "
                "abs(-9223372036854775807 - 1) ELSE Amount END AS Amount, Bank, BankCity, "
                "BankState, ABA, Account, \"For\", BusinessType FROM Stored"));
        }
        QString message;
        try {
            CheckExport::write(env.path(file), target, CheckExport::Layout::Full);
        } catch (const DbError& e) {
            message = e.message();
        }
        QVERIFY2(!message.isEmpty(), "the export reported success");
        QCOMPARE(readFile(target), QByteArray("the previous export\r\n"));
        QCOMPARE(QDir(env.folderPath()).entryList({"EXPORT*"}), QStringList{"EXPORT.TXT"});
    }

    // The cause in plain words, and the previous file whole: the file was cut short and the
    // export said it was done.
    void aFullDiskOrAFileSizeLimitIsNamed_data() {
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("because");
        QTest::newRow("file-size limit")
            << QStringList{} << "100"
            << "it would be larger than the largest file this computer lets Ledgerline write";
        QTest::newRow("full disk") << QStringList{"write:ENOSPC:1"} << "0"
                                   << "the disk is full";
        QTest::newRow("quota used up at the flush") << QStringList{"fsync:EDQUOT"} << "0"
                                                    << "the disk is full";
    }
    void aFullDiskOrAFileSizeLimitIsNamed() {
        QFETCH(QStringList, failing);
        QFETCH(QString, limit);
        QFETCH(QString, because);
        const QStringList wrapper = Child::failingCalls(failing);
        if (!failing.isEmpty() && wrapper.isEmpty())
            QSKIP("strace is missing or may not trace here");
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kTemplate);
        addCheck(env, file, kAwkward);
        const QString target = env.path(QStringLiteral("EXPORT.TXT"));
        writeFile(target, "the previous export\r\n");
        const QStringList before = QDir(env.folderPath()).entryList(QDir::Files | QDir::Hidden);

        const Child::Outcome outcome =
            Child::run({QStringLiteral("export"), env.path(file), target, limit}, wrapper);
        QVERIFY(!outcome.killedBySignal);
        QCOMPARE(outcome.lines,
                 QStringList{QStringLiteral("Ledgerline could not write EXPORT.TXT in %1 because "
                                            "%2. Nothing has been exported; an earlier EXPORT.TXT "
                                            "is as it was.")
                                 .arg(env.folderPath(), because)});
        QCOMPARE(readFile(target), QByteArray("the previous export\r\n"));
        QCOMPARE(QDir(env.folderPath()).entryList(QDir::Files | QDir::Hidden), before);
    }

    void anExportImportsBackToTheSameValues() {
        TestEnv env;
        const QString from = create(env, QStringLiteral("From"));
        setTemplate(env, from, kTemplate);
        addCheck(env, from, kAwkward);
        addCheck(env, from, {{"Check", 1002}, {"Amount", "12.5"}, {"Phone", ""}});
        const QString exported = env.path(QStringLiteral("EXPORT.TXT"));
        CheckExport::write(env.path(from), exported, CheckExport::Layout::Full);
        const QByteArray first = readFile(exported);

        const QString into = create(env, QStringLiteral("Into"));
        QCOMPARE(CheckImport::read(env.path(into), exported, env.clock).records, 3);
        CheckExport::write(env.path(into), exported, CheckExport::Layout::Full);
        QCOMPARE(readFile(exported), kNullRecord + first);

        const QVariantMap imported = row(env, into, 3);
        for (const char* field : {"BusinessName", "Address", "PayTo", "For", "LastName"})
            QCOMPARE(imported.value(field), kAwkward.value(field));
        QCOMPARE(imported.value("Amount"), QVariant("1250.00"));
        QCOMPARE(imported.value("Check"), QVariant(1001LL));
        QCOMPARE(imported.value("Phone"), QVariant());
        // Nothing imported prints at the next run unless the user chooses it.
        QCOMPARE(imported.value("Print"), QVariant("Never"));
        QCOMPARE(imported.value("LabelPrint"), QVariant(0LL));
        QCOMPARE(imported.value("Date"), QVariant("12/7/2026"));
        QCOMPARE(imported.value("Comments"), QVariant());
        QCOMPARE(row(env, into, 4).value("Amount"), QVariant("12.50"));
        QCOMPARE(row(env, into, 4).value("Phone"), QVariant());
    }

    void importStoresWhatTheFileSays_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("windows-1252 accent")
            << record({{1, "\"Jos\xe9\""}, {3, "\"caf\xe9\""}}) << "FirstName" << QVariant("José");
        QTest::newRow("typed amount")
            << record({{10, "\"$1,250\""}}) << "Amount" << QVariant("1250.00");
        QTest::newRow("negative amount") << record({{10, "-3.5"}}) << "Amount" << QVariant("-3.50");
        QTest::newRow("empty amount") << record({{10, ""}}) << "Amount" << QVariant();
        QTest::newRow("empty text") << record({{0, "\"\""}}) << "BusinessName" << QVariant();
        QTest::newRow("bare text") << record({{0, "Acme"}}) << "BusinessName" << QVariant("Acme");
        QTest::newRow("quoted number")
            << record({{9, "\" 1001 \""}}) << "Check" << QVariant(1001LL);
        QTest::newRow("255 characters of two bytes each")
            << record({{3, "\"" + QByteArray("\xc3\xa9").repeated(255) + "\""}}) << "Address"
            << QVariant(QString(255, QChar(0xe9)));
        // Each line in its own encoding: a file one program wrote in UTF-8 and another added
        // to in Windows-1252 keeps the accents and curly quotes of both.
        QTest::newRow("a value over a 1252 line and a utf-8 line")
            << record({{1, "\"\x93Jos\xe9\x94 \x91Jr\x92\r\nZo\xc3\xab\""}}) << "FirstName"
            << QVariant("“José” ‘Jr’\r\nZoë");
    }
    void importStoresWhatTheFileSays() {
        QFETCH(QByteArray, line);
        QFETCH(QString, field);
        QFETCH(QVariant, stored);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        writeFile(env.path(QStringLiteral("in.txt")), line);
        QCOMPARE(CheckImport::read(env.path(file), env.path(QStringLiteral("in.txt")), env.clock)
                     .records,
                 1);
        QCOMPARE(row(env, file, 2).value(field), stored);
    }

    void lastCheckIsRaisedToTheHighestImportedNumber_data() {
        QTest::addColumn<QVariant>("before");
        QTest::addColumn<QVariant>("after");
        QTest::newRow("none yet") << QVariant() << QVariant(2040LL);
        QTest::newRow("lower") << QVariant(2039) << QVariant(2040LL);
        QTest::newRow("higher") << QVariant(5000) << QVariant(5000LL);
    }
    void lastCheckIsRaisedToTheHighestImportedNumber() {
        QFETCH(QVariant, before);
        QFETCH(QVariant, after);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setLastCheck(env, file, before);
        writeFile(env.path(QStringLiteral("in.txt")),
                  record({{9, "2040"}}) + record({{9, "101"}}) + record({}));
        CheckImport::read(env.path(file), env.path(QStringLiteral("in.txt")), env.clock);
        QCOMPARE(lastCheck(env, file), after);
    }

    void aFileThatIsNotWellFormedImportsNothing_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QString tail = QStringLiteral(". Nothing has been imported.");
        QTest::newRow("short record")
            << record({{9, "7"}}) + "\"a\",\"b\"\r\n"
            << "in.txt cannot be imported: line 2 holds 2 values, but a check record has 18 "
               "(BusinessName to BusinessType)" +
                   tail;
        QTest::newRow("long record")
            << record({}).replace("\r\n", ",\"\"\r\n")
            << "in.txt cannot be imported: line 1 holds 19 values, but a check record has 18 "
               "(BusinessName to BusinessType)" +
                   tail;
        QTest::newRow("check number")
            << record({{9, "7"}}) + record({{9, "12a"}})
            << "in.txt cannot be imported: the Check number on line 2, \"12a\", is not a whole "
               "number from 0 up" +
                   tail;
        QTest::newRow("negative check number")
            << record({{9, "7"}}) + record({{9, "-5"}})
            << "in.txt cannot be imported: the Check number on line 2, \"-5\", is not a whole "
               "number from 0 up" +
                   tail;
        // More than a box shows or a text field of the program the file came from held.
        QTest::newRow("256 characters of two bytes each")
            << record({{16, "\"" + QByteArray("\xc3\xa9").repeated(256) + "\""}})
            << "in.txt cannot be imported: the Memo on line 1 has 256 characters; it may have "
               "at most 255" +
                   tail;
        QTest::newRow("a line far longer than a record")
            << record({{9, "7"}}) + record({{3, "\"" + QByteArray(1 << 20, '\xe9') + "\""}})
            << "in.txt cannot be imported: line 2 is longer than a check record can be (more "
               "than 1 MB)" +
                   tail;
        QTest::newRow("amount")
            << record({{10, "1.234"}})
            << "in.txt cannot be imported: the Amount on line 1, \"1.234\", is not an amount in "
               "dollars and cents" +
                   tail;
        QTest::newRow("unclosed quote")
            << record({{9, "7"}}) + "\"open" + record({}).mid(2)
            << "in.txt cannot be imported: the quoted value that begins on line 2 has no "
               "closing double quote" +
                   tail;
        QTest::newRow("empty file")
            << QByteArray("\r\n") << "in.txt cannot be imported: it holds no records" + tail;
    }
    void aFileThatIsNotWellFormedImportsNothing() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        TestEnv env;
        const QString file = create(env, QStringLiteral("Shop"));
        setLastCheck(env, file, 3);
        writeFile(env.path(QStringLiteral("in.txt")), text);
        const QByteArray before = Drive::digest(env.path(file));
        QCOMPARE(importFails(env, file, QStringLiteral("in.txt")), message);
        QCOMPARE(count(env, file), 1);
        QCOMPARE(lastCheck(env, file), QVariant(3LL));
        QCOMPARE(Drive::digest(env.path(file)), before);
    }
};

QTEST_MAIN(TestCheckExchange)
#include "tst_checkexchange.moc"
