// The export/import screen, opened from the data-entry screen and driven through its widgets.
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "support/CheckDbFixture.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QListWidget>
#include <QTest>

using namespace CheckDbFixture;
using namespace Drive;

namespace {

const QVariantMap kPayer{{"BusinessName", "Maple Street Bakery"}, {"FirstName", "Jordan"}};

const QString kImported = QStringLiteral(
    "Data has been imported in the following format:  BusinessName, FirstName, LastName, "
    "Address, City, State, Zip, Phone, PayTo, Check, Amount, Bank, BankCity, BankState, "
    "BankRouting, BankAccount, Memo, BusinessType ");

/// The data-entry screen on a set-up database, and the export screen opened from its menu.
QWidget* openExportFile(TestEnv& env, const QString& file, const QString& entry) {
    env.program.setCurrentDatabase(file);
    env.context.openCheck();
    trigger(TestEnv::screen(QStringLiteral("Check")), entry);
    return TestEnv::screen(QStringLiteral("ExportFile"));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestExportFile : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TestEnv::closeAllScreens(); }

    void bothExportsWriteTheFileAndSaySo_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("all") << "AllExport"
                             << QByteArray("\"Maple Street Bakery\",\"Jordan\"" +
                                           QByteArray(",\"\"").repeated(16) + "\r\n")
                             << "Data has been exported to the file EXPORT.TXT in comma delimited "
                                "format. It is located in the Ledgerline Program directory. Data "
                                "will appear in the following format:  BusinessName, FirstName, "
                                "LastName, Address, City, State, Zip, Phone, PayTo, Check, "
                                "Amount, Bank, BankCity, BankState, BankRouting, BankAccount, "
                                "Memo, BusinessType ";
        QTest::newRow("customers") << "ExportCustomerInformation"
                                   << QByteArray("\"Maple Street Bakery\",\"Jordan\"" +
                                                 QByteArray(",\"\"").repeated(6) + "\r\n")
                                   << "Data has been exported to the file EXPORT.TXT in comma "
                                      "delimited format. It is located in the Ledgerline Program "
                                      "directory.  Data will appear in the following format:  "
                                      "BusinessName, FirstName, LastName, Address, City, State, "
                                      "Zip, Phone ";
    }
    void bothExportsWriteTheFileAndSaySo() {
        QFETCH(QString, button);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        TestEnv env;
        const QString db = create(env, QStringLiteral("Shop"), CheckDb::Kind::Draft);
        setTemplate(env, db, kPayer);
        QWidget* screen = openExportFile(env, db, QStringLiteral("ExportMenu"));
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Export / Import Menu"));
        click(screen, button);
        const QList<Prompt> prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].text, message);
        QCOMPARE(prompts[0].title, QString());
        QFile written(env.path(QStringLiteral("EXPORT.TXT")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), file);
        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});
    }

    void importAddsTheChosenFile_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("records");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        const QByteArray line = QByteArray("\"Ann\"") + QByteArray(",\"\"").repeated(17) + "\r\n";
        QTest::newRow("two records")
            << line + line << qint64(3) << "2 Checks Imported" << kImported;
        QTest::newRow("one record") << line << qint64(2) << "1 Check Imported" << kImported;
        const QByteArray older =
            QByteArray("\"Jos\xe9\"") + QByteArray(",\"\"").repeated(17) + "\r\n";
        QTest::newRow("a line in the older Windows set")
            << line + older << qint64(3) << "2 Checks Imported"
            << kImported + "\n\n1 line of orders.txt is not UTF-8 text; it was read in the "
                           "Windows character set (Windows-1252). Check the accents and signs of "
                           "the check imported from it.";
        QTest::newRow("two lines in the older Windows set")
            << older + line + older << qint64(4) << "3 Checks Imported"
            << kImported + "\n\n2 lines of orders.txt are not UTF-8 text; they were read in "
                           "the Windows character set (Windows-1252). Check the accents and "
                           "signs of the checks imported from them.";
        QTest::newRow("not well formed")
            << line + "\"Ann\",\"\"\r\n"
            << qint64(1) << QString()
            << "orders.txt cannot be imported: line 2 holds 2 values, but a check record has 18 "
               "(BusinessName to BusinessType). Nothing has been imported.";
    }
    void importAddsTheChosenFile() {
        QFETCH(QByteArray, text);
        QFETCH(qint64, records);
        QFETCH(QString, title);
        QFETCH(QString, message);
        TestEnv env;
        const QString db = create(env, QStringLiteral("Shop"));
        setTemplate(env, db, kPayer);
        writeFile(env.path(QStringLiteral("orders.txt")), text);
        writeFile(env.path(QStringLiteral("NOTES.TXT")), "");
        writeFile(env.path(QStringLiteral("notes.csv")), "");
        QWidget* screen = openExportFile(env, db, QStringLiteral("ImportFromFile"));
        auto* list = screen->findChild<QListWidget*>(QStringLiteral("File1"));
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("NOTES.TXT"));
        list->setCurrentRow(1);
        click(screen, QStringLiteral("Import"));
        const QList<Prompt> prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].text, message);
        QCOMPARE(prompts[0].title, title);
        QCOMPARE(count(env, db), records);
        QCOMPARE(TestEnv::openScreens(),
                 title.isEmpty() ? (QStringList{"Check", "ExportFile"}) : QStringList{"Check"});
    }

    void importWithoutAChosenFileSaysSo() {
        TestEnv env;
        const QString db = create(env, QStringLiteral("Shop"));
        setTemplate(env, db, kPayer);
        writeFile(env.path(QStringLiteral("orders.txt")), "\"a\"\r\n");
        QWidget* screen = openExportFile(env, db, QStringLiteral("ImportFromFile"));
        click(screen, QStringLiteral("Import"));
        const QList<Prompt> prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].text,
                 QStringLiteral("Please select a file from the list and then choose IMPORT"));
        QCOMPARE(prompts[0].title, QStringLiteral("No File Selected!"));
        QCOMPARE(TestEnv::openScreens(), (QStringList{"Check", "ExportFile"}));
        QCOMPARE(count(env, db), 1);
    }
};

QTEST_MAIN(TestExportFile)
#include "tst_exportfile.moc"
