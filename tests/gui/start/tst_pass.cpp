// The way in: the start-up screen, the password and its change, driven through the real
// windows.
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/settings/Password.h"
#include "gui/start/Pass.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace Drive;

namespace {

const QString kReminder = QStringLiteral(
    "The default password to use this software is [tulip] without the brackets. You should "
    "change the password as soon as possible by entering the current password and then choosing "
    "the [change password] button. NOTE: Remember your password! If you forget your password you "
    "will have to reinstall this software to use the program!! ");
const QString kInvalid = QStringLiteral("Invalid password! Please enter the correct password");
const QString kInvalidChange = QStringLiteral(
    "Invalid password! You must first enter the correct password to change the password.");
// What the chooser says when it opens on a folder without databases: the way in has led there.
const QString kChooserOpened = QStringLiteral("Before you can use Ledgerline, you must create");

const QString kChanged = QStringLiteral(
    "Your password has been changed! Be sure to remember your new password. If you forget it, you "
    "will need to reinstall this program to use it again.");

// The texts shown since the last look, the chooser's explanation cut to its first words.
QStringList shown(TestEnv& env) {
    TestEnv::listedChooser(); // which explains itself once it has found no database
    QStringList texts = env.prompter.takeTexts();
    for (QString& text : texts)
        if (text.startsWith(kChooserOpened))
            text = kChooserOpened;
    return texts;
}

// The start-up screen once it knows whether to remind of the default password (it works
// that out on a thread of its own while the window shows) and has done so; null when it
// never does.
QWidget* decided(QWidget* screen) {
    auto* pass = qobject_cast<Pass*>(screen);
    if (!pass || !QTest::qWaitFor([&] { return pass->reminderDecided(); }, 30'000))
        return nullptr;
    return pass;
}

QWidget* openPass(TestEnv& env) {
    return decided(env.context.openPass());
}

QVariant storedPassword(TestEnv& env) {
    auto db = Database::open(env.path(QStringLiteral("PC.OVL")));
    RecordSet a(db, QStringLiteral("A"));
    return a.value(QStringLiteral("ENTER"));
}

void storePassword(TestEnv& env, const QVariant& value) {
    auto db = Database::open(env.path(QStringLiteral("PC.OVL")));
    RecordSet a(db, QStringLiteral("A"));
    a.edit();
    a.setValue(QStringLiteral("ENTER"), value);
    a.update();
}

} // namespace

class TestPass : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TestEnv::closeAllScreens(); }

    void loadShowsNameVersionAndTheReminder() {
        TestEnv env;
        auto* pass = qobject_cast<Pass*>(env.context.openPass());
        QVERIFY(pass);
        // The window is up before the password's hash is worked out; the reminder follows.
        QVERIFY(pass->isVisible());
        QVERIFY(!pass->reminderDecided());
        QCOMPARE(env.prompter.takeTexts(), QStringList());
        QVERIFY(decided(pass));
        QCOMPARE(pass->windowTitle(), QStringLiteral("Password"));
        QCOMPARE(pass->findChild<QLabel*>(QStringLiteral("ProgramName"))->text(),
                 QStringLiteral("Ledgerline"));
        QCOMPARE(pass->findChild<QLabel*>(QStringLiteral("Version"))->text(),
                 QStringLiteral("Version 7.12"));
        QCOMPARE(pass->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("TM"));
        const auto prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].text, kReminder);
        QCOMPARE(prompts[0].title, QString()); // the program's title
        QVERIFY(env.program.aboutLine(1).startsWith(QStringLiteral("Ledgerline")));
        QVERIFY(!TestEnv::screen(QStringLiteral("FontFailure")));

        auto* box = pass->findChild<QLineEdit*>(QStringLiteral("Password"));
        QCOMPARE(box->echoMode(), QLineEdit::Password);
        QCOMPARE(box->accessibleName(), QStringLiteral("Enter Program Password:"));
        QCOMPARE(pass->findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
                 QStringLiteral("&Agree"));
        QCOMPARE(pass->findChild<QPushButton*>(QStringLiteral("Command2"))->text(),
                 QStringLiteral("&Disagree"));
        QCOMPARE(pass->findChild<QPushButton*>(QStringLiteral("Command3"))->text(),
                 QStringLiteral("&Change Password"));
    }

    void fontCheckIsExactAndCaseSensitive_data() {
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<bool>("notice");
        QTest::newRow("installed") << QStringList{"Arial", "MICR65"} << false;
        QTest::newRow("missing") << QStringList{"Arial"} << true;
        QTest::newRow("other case") << QStringList{"micr65"} << true;
        QTest::newRow("longer name") << QStringList{"MICR65 Bold"} << true;
        QTest::newRow("no fonts at all") << QStringList{} << true;
        // Qt lists a family that several foundries supply once for each, with the foundry.
        QTest::newRow("from several foundries")
            << QStringList{"Arial", "MICR65 [Bitstream]", "MICR65 [Ledgerline]"} << false;
        QTest::newRow("longer name from a foundry") << QStringList{"MICR650 [Bitstream]"} << true;
    }
    void fontCheckIsExactAndCaseSensitive() {
        QFETCH(QStringList, fonts);
        QFETCH(bool, notice);
        TestEnv env;
        env.printer.setFonts(fonts);
        QVERIFY(openPass(env));
        QCOMPARE(TestEnv::screen(QStringLiteral("FontFailure")) != nullptr, notice);
        QVERIFY(TestEnv::screen(QStringLiteral("Pass")));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kReminder});
        if (!notice)
            return;
        auto* failure = TestEnv::screen(QStringLiteral("FontFailure"));
        QCOMPARE(failure->windowTitle(), QStringLiteral("Font Failure Notice"));
        const QString expected[] = {
            QStringLiteral("Font Failure Notice"),
            QStringLiteral("The MICR65 TrueType Font cannot be detected.  If you just installed "
                           "this \r\nprogram, you must reboot your PC before the font will be "
                           "active. If rebooting \r\ndoes not work, you will need to do the "
                           "following:\r\n"),
            QStringLiteral("Choose Start - Settings - Control Panel, \r\nchoose FONTS, choose "
                           "FILE - INSTALL NEW FONT, choose the directory \r\nwhere your program "
                           "is installed, select the MICR65 font and choose OK.\r\n")};
        for (int i = 0; i < 3; ++i) {
            auto* text = failure->findChild<QPlainTextEdit*>(QStringLiteral("Text%1").arg(i + 1));
            QVERIFY(text && text->isReadOnly());
            QCOMPARE(text->property("noticeText").toString(), expected[i]);
        }
        // The password prompt still works beside the notice.
        auto* pass = TestEnv::screen(QStringLiteral("Pass"));
        typeInto(pass, QStringLiteral("Password"), QStringLiteral("TULIP"));
        click(pass, QStringLiteral("Command1"));
        QVERIFY(TestEnv::screen(QStringLiteral("FileOpen")));
        QCOMPARE(shown(env), QStringList{kChooserOpened});
        click(failure, QStringLiteral("Command1"));
        QVERIFY(!TestEnv::screen(QStringLiteral("FontFailure")));
    }

    void passwordBoxesShowAStarForEveryCharacter_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("boxName");
        QTest::newRow("start-up") << "Pass"
                                  << "Password";
        QTest::newRow("new password") << "ChangePass"
                                      << "Password1";
        QTest::newRow("new password again") << "ChangePass"
                                            << "Password2";
    }
    void passwordBoxesShowAStarForEveryCharacter() {
        QFETCH(QString, screen);
        QFETCH(QString, boxName);
        TestEnv env;
        if (screen == QLatin1String("Pass"))
            QVERIFY(openPass(env));
        else
            env.context.openChangePass();
        env.prompter.take();
        QWidget* window = TestEnv::screen(screen);
        typeInto(window, boxName, QStringLiteral("tulip"));
        QCOMPARE(box(window, boxName)->displayText(), QStringLiteral("*****"));
        QCOMPARE(box(window, boxName)->text(), QStringLiteral("tulip"));
    }

    void agree_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("right") << "tulip" << true;
        QTest::newRow("capitals") << "TULIP" << true;
        QTest::newRow("enter in the box") << "tulip\n" << true;
        QTest::newRow("wrong") << "tulips" << false;
        QTest::newRow("blank around") << "tulip " << false;
        QTest::newRow("empty") << "" << false;
    }
    void agree() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        TestEnv env;
        QVERIFY(openPass(env));
        env.prompter.take();
        auto* pass = TestEnv::screen(QStringLiteral("Pass"));
        if (typed.endsWith(QLatin1Char('\n'))) {
            typeInto(pass, QStringLiteral("Password"), typed.chopped(1));
            QTest::keyClick(box(pass, QStringLiteral("Password")), Qt::Key_Return);
        } else {
            typeInto(pass, QStringLiteral("Password"), typed);
            click(pass, QStringLiteral("Command1"));
        }
        if (accepted) {
            QCOMPARE(shown(env), QStringList{kChooserOpened});
            QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
        } else {
            QCOMPARE(env.prompter.takeTexts(), QStringList{kInvalid});
            QCOMPARE(TestEnv::openScreens(), QStringList{"Pass"});
            QCOMPARE(pass->findChild<QLineEdit*>(QStringLiteral("Password"))->text(), typed);
        }
        QVERIFY(!env.program.ended());
    }

    // The right password typed before the reminder is known leads on; nothing is shown
    // about a screen that is gone.
    void agreeingBeforeTheReminderLeadsOnWithoutIt() {
        TestEnv env;
        QPointer<QWidget> pass = env.context.openPass();
        QTest::qWait(20); // painted, and the hash under way
        QVERIFY(!qobject_cast<Pass*>(pass)->reminderDecided());
        typeInto(pass, QStringLiteral("Password"), QStringLiteral("tulip"));
        click(pass, QStringLiteral("Command1"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
        QVERIFY(QTest::qWaitFor([&] { return pass.isNull(); }, 30'000));
        QTest::qWait(50);
        QCOMPARE(shown(env), QStringList{kChooserOpened});
    }

    void disagreeEndsAtOnce() {
        TestEnv env;
        QVERIFY(openPass(env));
        env.prompter.take();
        click(TestEnv::screen(QStringLiteral("Pass")), QStringLiteral("Command2"));
        QVERIFY(env.program.ended());
        QCOMPARE(env.program.endStatus(), 0);
        QVERIFY(env.prompter.idle());
    }

    void changePasswordNeedsTheCurrentPassword() {
        TestEnv env;
        QVERIFY(openPass(env));
        env.prompter.take();
        auto* pass = TestEnv::screen(QStringLiteral("Pass"));
        typeInto(pass, QStringLiteral("Password"), QStringLiteral("rose"));
        click(pass, QStringLiteral("Command3"));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kInvalidChange});
        QCOMPARE(TestEnv::openScreens(), QStringList{"Pass"});
    }

    void changingThePassword() {
        TestEnv env;
        QVERIFY(openPass(env));
        env.prompter.take();
        auto* pass = TestEnv::screen(QStringLiteral("Pass"));
        typeInto(pass, QStringLiteral("Password"), QStringLiteral("Tulip"));
        click(pass, QStringLiteral("Command3"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"ChangePass"});
        auto* change = TestEnv::screen(QStringLiteral("ChangePass"));
        QCOMPARE(change->windowTitle(), QStringLiteral("ChangePass"));
        auto* first = change->findChild<QLineEdit*>(QStringLiteral("Password1"));
        QCOMPARE(first->maxLength(), 49);
        QCOMPARE(first->echoMode(), QLineEdit::Password);
        QCOMPARE(first->accessibleName(), QStringLiteral("Enter NEW Program Password Here:"));
        QCOMPARE(change->findChild<QLineEdit*>(QStringLiteral("Password2"))->accessibleName(),
                 QStringLiteral("And Here:"));

        typeInto(change, QStringLiteral("Password1"), QStringLiteral("Rose Garden"));
        typeInto(change, QStringLiteral("Password2"), QStringLiteral("Rose Garden"));
        click(change, QStringLiteral("Command3"));
        QCOMPARE(shown(env), (QStringList{kChanged, kChooserOpened}));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});

        const QVariant stored = storedPassword(env);
        QVERIFY(Password::isHash(stored));
        QVERIFY(!stored.toString().contains(QStringLiteral("rose"), Qt::CaseInsensitive));
        QVERIFY(Password::matches(stored, QStringLiteral("ROSE GARDEN")));
        QVERIFY(!Password::matches(stored, QStringLiteral("tulip")));

        // The next start: no reminder, and the new password is the way in.
        TestEnv::closeAllScreens();
        QVERIFY(openPass(env));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
        pass = TestEnv::screen(QStringLiteral("Pass"));
        typeInto(pass, QStringLiteral("Password"), QStringLiteral("tulip"));
        click(pass, QStringLiteral("Command1"));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kInvalid});
        typeInto(pass, QStringLiteral("Password"), QStringLiteral("rose garden"));
        click(pass, QStringLiteral("Command1"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
        QCOMPARE(shown(env), QStringList{kChooserOpened});
    }

    void entriesDifferingOnlyInCaseDoNotMatch() {
        TestEnv env;
        env.context.openChangePass();
        auto* change = TestEnv::screen(QStringLiteral("ChangePass"));
        typeInto(change, QStringLiteral("Password1"), QStringLiteral("Rose"));
        typeInto(change, QStringLiteral("Password2"), QStringLiteral("rose"));
        click(change, QStringLiteral("Command3"));
        // The mismatch, then the start-up screen loads again with its reminder.
        QVERIFY(decided(TestEnv::screen(QStringLiteral("Pass"))));
        QCOMPARE(env.prompter.takeTexts(),
                 (QStringList{QStringLiteral("Passwords do not match!"), kReminder}));
        QCOMPARE(TestEnv::openScreens(), QStringList{"Pass"});
        QVERIFY(Password::matches(storedPassword(env), QStringLiteral("tulip")));
    }

    void changePassExitEndsAtOnce() {
        TestEnv env;
        env.context.openChangePass();
        click(TestEnv::screen(QStringLiteral("ChangePass")), QStringLiteral("Command2"));
        QVERIFY(env.program.ended());
        QVERIFY(env.prompter.idle());
    }

    void plainTextPasswordIsReplacedByItsHashAtFirstEntry() {
        TestEnv env;
        storePassword(env, QStringLiteral("tulip"));
        QVERIFY(openPass(env));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kReminder});
        auto* pass = TestEnv::screen(QStringLiteral("Pass"));
        typeInto(pass, QStringLiteral("Password"), QStringLiteral("wrong"));
        click(pass, QStringLiteral("Command1"));
        QCOMPARE(env.prompter.takeTexts(), QStringList{kInvalid});
        QCOMPARE(storedPassword(env).toString(), QStringLiteral("tulip"));
        typeInto(pass, QStringLiteral("Password"), QStringLiteral("TULIP"));
        click(pass, QStringLiteral("Command1"));
        const QVariant stored = storedPassword(env);
        QVERIFY(Password::isHash(stored));
        QVERIFY(Password::matches(stored, QStringLiteral("tulip")));
    }

    void emptyStoredPasswordLetsAnEmptyEntryIn() {
        TestEnv env;
        storePassword(env, QString(""));
        QVERIFY(openPass(env));
        QCOMPARE(env.prompter.takeTexts(), QStringList());
        click(TestEnv::screen(QStringLiteral("Pass")), QStringLiteral("Command1"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"FileOpen"});
    }
};

QTEST_MAIN(TestPass)
#include "tst_pass.moc"
