// The MICR help screen and the About screen, opened from every menu entry that leads to them.
#include "support/CheckDbFixture.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using namespace Drive;

namespace {

QString labelText(QWidget* screen, const QString& name) {
    auto* label = screen->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("(no label %1)").arg(name);
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TestEnv::closeAllScreens(); }

    void everyMenuEntryOpensItsScreenOnTop_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("screen");
        QTest::newRow("MICR help") << "Check"
                                   << "MICR"
                                   << "MicrForm";
        QTest::newRow("About") << "Check"
                               << "About"
                               << "HelpAbout";
        QTest::newRow("Ordering Check Stock") << "Check"
                                              << "ocs"
                                              << "HelpAbout";
        QTest::newRow("chooser's About") << "FileOpen"
                                         << "FileOpenAbout"
                                         << "HelpAbout";
    }
    void everyMenuEntryOpensItsScreenOnTop() {
        QFETCH(QString, from);
        QFETCH(QString, entry);
        QFETCH(QString, screen);
        TestEnv env;
        const QString db = CheckDbFixture::create(env, QStringLiteral("Shop"));
        CheckDbFixture::setTemplate(env, db, {{"BusinessName", "Maple Street Bakery"}});
        env.program.setCurrentDatabase(db);
        if (from == QLatin1String("Check"))
            env.context.openCheck();
        else
            env.context.openFileOpen();
        auto* check = TestEnv::screen(from);
        // What was typed on the data-entry screen is stored before help opens.
        if (from == QLatin1String("Check"))
            typeInto(check, QStringLiteral("Zip"), QStringLiteral("44118"));
        trigger(check, entry);
        QCOMPARE(TestEnv::openScreens(), (QStringList{from, screen}));
        if (from == QLatin1String("Check"))
            QCOMPARE(CheckDbFixture::row(env, db, 1).value("Zip"), QVariant("44118"));
        click(TestEnv::screen(screen), QStringLiteral("Command1"));
        QCOMPARE(TestEnv::openScreens(), QStringList{from});
        QCOMPARE(env.prompter.takeTexts(), QStringList());
    }

    void aboutShowsTheProgramAndItsLines_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("three lines") << QStringList{"Call 555-0100", "Mon-Fri", "ledger.example"};
        QTest::newRow("empty lines stay empty") << QStringList{"", "Only the middle", ""};
    }
    void aboutShowsTheProgramAndItsLines() {
        QFETCH(QStringList, lines);
        TestEnv env;
        for (int i = 0; i < 3; ++i)
            env.program.setAboutLine(i + 1, lines[i]);
        QWidget* about = env.context.openHelpAbout();
        QCOMPARE(labelText(about, QStringLiteral("ProgramName")), QStringLiteral("Ledgerline"));
        QCOMPARE(labelText(about, QStringLiteral("Label2")), QStringLiteral("(TM)"));
        QCOMPARE(labelText(about, QStringLiteral("Version")), QStringLiteral("Version 7.12"));
        QCOMPARE(labelText(about, QStringLiteral("order1")),
                 QStringLiteral("To order the Ledgerline Program or Check Stock:"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(labelText(about, QStringLiteral("HelpAboutLine%1").arg(i + 1)), lines[i]);
    }

    void micrHelpShowsItsTextsAndExamples() {
        TestEnv env;
        QWidget* micr = env.context.openMicrForm();
        QCOMPARE(micr->windowTitle(), QStringLiteral("ABA MICR Information"));
        QCOMPARE(micr->findChild<QPlainTextEdit*>(QStringLiteral("Info"))->toPlainText(),
                 QStringLiteral(
                     "MICR information always appears at the bottom of the check.  The Transit "
                     "number is the only number to have unique Transit symbols before and after "
                     "it. The check number and account numbers share the same symbol."));
        auto* account = micr->findChild<QPlainTextEdit*>(QStringLiteral("Account"));
        QCOMPARE(account->toPlainText(),
                 QStringLiteral(
                     "The numbers that are left after the check and routing numbers have been "
                     "identified.  Inclues all numbers before and after any spaces or dashes if "
                     "they exist. You should enter spaces and dashes as the appear in the account "
                     "number. Use an uppercase letter D to enter a dash on the MICR line."));
        QVERIFY(account->isReadOnly());
        QCOMPARE(account->accessibleName(), QStringLiteral("Bank Account Number -"));
        const QList<std::pair<const char*, const char*>> examples{
            {"TransitExample", "A123456789A"},
            {"CanadianExample", "A123D56789A"},
            {"CheckExample", "C801C"},
            {"AccountExample", "110D0054C"}};
        for (const auto& [name, text] : examples) {
            auto* label = micr->findChild<QLabel*>(QString::fromLatin1(name));
            QCOMPARE(label->text(), QString::fromLatin1(text));
            QCOMPARE(label->font().family(), QStringLiteral("MICR65"));
            QVERIFY(!label->accessibleName().isEmpty());
        }
        QCOMPARE(labelText(micr, QStringLiteral("CheckCaption")),
                 QStringLiteral("Check Number -\nMay appear before or after\nrouting and account "
                                "number\ninformation. It may or may\nnot have the ABA symbols\n"
                                "before and after it.\nThis number is also printed\nin the upper "
                                "right hand\ncorner of the check."));
        QCOMPARE(labelText(micr, QStringLiteral("Heading")),
                 QStringLiteral("How to read MICR Bank account information from printed checks."));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
