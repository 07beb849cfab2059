// The data-entry screen when its database fails under it: a lock another program holds, a
// full disk, a file that may not be written, a check deleted elsewhere. Nothing typed may
// be lost unseen, nothing may land on another check, and the user can always leave.
#include "core/platform/Database.h"
#include "gui/entry/Check.h"
#include "support/CheckDbFixture.h"
#include "support/Child.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <memory>
#include <sqlite3.h>

using namespace CheckDbFixture;
using namespace Drive;

namespace {

const QVariantMap kPayer{{"BusinessName", "Maple Street Bakery"},
                         {"FirstName", "Jordan"},
                         {"ABA", "041000124"},
                         {"Account", "1234D567"}};

const QString kBusy = QStringLiteral("The database is in use by another program; try again in a "
                                     "moment. If Shop.mdb stays in use, close the other program "
                                     "first.");
const QString kReadOnly =
    QStringLiteral("The file Shop.mdb is read-only, so Ledgerline cannot save changes to it.");
const QString kFull =
    QStringLiteral("The disk is full, so Ledgerline cannot save changes to Shop.mdb.");

/// What stands in the way of storing anything, for as long as the object lives.
///  "full": a full disk refuses every change (the engine's own words, by triggers);
///  "read-only": the file may not be written (the connection is made read-only);
///  "write lock": another program is writing to the file and holds it;
///  "whole lock": another program holds the file so that it cannot even be read.
class Trouble {
public:
    Trouble(const QString& kind, const QString& path) : m_kind(kind) {
        if (kind == QLatin1String("write lock") || kind == QLatin1String("whole lock")) {
            const QStringList args =
                kind == QLatin1String("write lock")
                    ? QStringList{"write-and-wait", path,
                                  "UPDATE Properties SET Description = Description"}
                    : QStringList{"hold-exclusive", path};
            m_holder = std::make_unique<Child>(args);
            if (m_holder->firstLine() != QLatin1String("ready"))
                QTest::qFail(qPrintable(m_holder->firstLine()), __FILE__, __LINE__);
            return;
        }
        // The screen's own connection to the file: it is shared by every user in this process.
        m_db = Database::open(path);
        if (kind == QLatin1String("read-only")) {
            m_db->exec(QStringLiteral("PRAGMA query_only = 1"));
        } else {
            for (const char* when : {"INSERT", "UPDATE"})
                m_db->exec(QStringLiteral("CREATE TRIGGER full_%1 BEFORE %1 ON Account BEGIN "
                                          "SELECT RAISE(ABORT, 'database or disk is full'); END")
                               .arg(QLatin1String(when)));
        }
    }
    ~Trouble() { end(); }

    void end() {
        if (m_holder)
            m_holder.reset();
        if (!m_db)
            return;
        if (m_kind == QLatin1String("read-only"))
            m_db->exec(QStringLiteral("PRAGMA query_only = 0"));
        else
            for (const char* when : {"INSERT", "UPDATE"})
                m_db->exec(QStringLiteral("DROP TRIGGER full_%1").arg(QLatin1String(when)));
        m_db.reset();
    }

private:
    QString m_kind;
    std::unique_ptr<Child> m_holder;
    std::shared_ptr<Database> m_db;
};

/// Runs SQL on the file as another program does, through a connection of its own.
void asAnotherProgram(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

struct Shop {
    TestEnv env;
    QString file;
    qint64 ann = 0;
    Check* check = nullptr;

    Shop() {
        file = create(env, QStringLiteral("Shop"));
        setTemplate(env, file, kPayer);
        ann = addCheck(env, file,
                       {{"PayTo", "Ann"}, {"Check", 1050}, {"Amount", "5.00"}, {"Print", "Once"}});
        setLastCheck(env, file, 1050);
        env.program.setCurrentDatabase(file);
        env.context.openCheck();
        check = TestEnv::screen<Check>(QStringLiteral("Check"));
        env.prompter.take();
    }
    QString path() const { return env.path(file); }
    QString shownId() const { return check->findChild<QLabel*>(QStringLiteral("Label11"))->text(); }
    QString selector(const QString& name) const {
        return check->findChild<QComboBox*>(name)->currentText();
    }
};

void addTroubleRows() {
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<QString>("says");
    QTest::newRow("full disk") << "full" << kFull;
    QTest::newRow("read-only file") << "read-only" << kReadOnly;
    QTest::newRow("another program writing") << "write lock" << kBusy;
    QTest::newRow("another program holding the whole file") << "whole lock" << kBusy;
}

} // namespace

class TestCheckFailures : public QObject {
    Q_OBJECT

private slots:
    // Another program holds the database when the screen opens (after a print run, say):
    // once it lets go, Retry opens the screen on it; Cancel leaves the screen naming its
    // database and offering only the ways out.
    void aDatabaseHeldWhenTheScreenOpens_data() {
        QTest::addColumn<bool>("retry");
        QTest::newRow("Retry once it let go") << true;
        QTest::newRow("Cancel") << false;
    }
    void aDatabaseHeldWhenTheScreenOpens() {
        QFETCH(bool, retry);
        Shop shop;
        TestEnv::closeAllScreens();
        Trouble held(QStringLiteral("whole lock"), shop.path());
        shop.env.prompter.whileAnswering([&] {
            if (retry)
                held.end();
        });
        shop.env.prompter.answerQuestion(retry);
        shop.env.context.openCheck();
        Check* check = TestEnv::screen<Check>(QStringLiteral("Check"));
        const QList<Prompt> shown = shop.env.prompter.take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Prompt::Kind::Retry);
        QCOMPARE(shown[0].text, kBusy + QStringLiteral("\n\nChoose Retry once the other program "
                                                       "has let go of it, or Cancel to leave this "
                                                       "database closed."));
        auto* unavailable = check->findChild<QLabel*>(QStringLiteral("Unavailable"));
        if (retry) {
            QCOMPARE(check->windowTitle(), QStringLiteral("Check Database: Shop"));
            QCOMPARE(check->findChild<QLabel*>(QStringLiteral("Label11"))->text(),
                     QString::number(shop.ann));
            QVERIFY(unavailable->isHidden());
        } else {
            QCOMPARE(check->windowTitle(), QStringLiteral("Data Entry: Shop.mdb"));
            QVERIFY(unavailable->isVisible());
            QVERIFY(unavailable->text().startsWith(kBusy));
        }
    }

    void cleanup() { TestEnv::closeAllScreens(); }

    void aNewThatFailsMakesNothingAndSaysWhy_data() { addTroubleRows(); }
    void aNewThatFailsMakesNothingAndSaysWhy() {
        QFETCH(QString, trouble);
        QFETCH(QString, says);
        Shop shop;
        {
            Trouble t(trouble, shop.path());
            click(shop.check, QStringLiteral("New"));
            QCOMPARE(shop.env.prompter.takeTexts(), QStringList{says});
            // The check shown is still the current one, so what is typed next lands there.
            QCOMPARE(shop.shownId(), QString::number(shop.ann));
            QCOMPARE(box(shop.check, QStringLiteral("PayToOrderOf"))->text(),
                     QStringLiteral("Ann"));
        }
        QCOMPARE(count(shop.env, shop.file), 2);
        QCOMPARE(lastCheck(shop.env, shop.file).toLongLong(), 1050);
        typeInto(shop.check, QStringLiteral("CheckAmount"), QStringLiteral("7.25"));
        trigger(shop.check, QStringLiteral("FileSave"));
        QCOMPARE(row(shop.env, shop.file, shop.ann).value("Amount").toString(),
                 QStringLiteral("7.25"));
        QCOMPARE(row(shop.env, shop.file, shop.ann).value("PayTo").toString(),
                 QStringLiteral("Ann"));

        // Once the trouble is gone, New makes a whole check from the template.
        click(shop.check, QStringLiteral("New"));
        QCOMPARE(shop.shownId(), QStringLiteral("3"));
        QCOMPARE(box(shop.check, QStringLiteral("CheckNumber"))->text(), QStringLiteral("1051"));
        QCOMPARE(box(shop.check, QStringLiteral("Text3"))->text(),
                 QStringLiteral("Maple Street Bakery"));
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList());
    }

    void aMoveThatFailsSaysWhyAndStays_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("next") << "Next";
        QTest::newRow("previous") << "Previous";
    }
    void aMoveThatFailsSaysWhyAndStays() {
        QFETCH(QString, button);
        Shop shop;
        {
            Trouble t(QStringLiteral("whole lock"), shop.path());
            click(shop.check, button);
            QCOMPARE(shop.env.prompter.takeTexts(), QStringList{kBusy});
        }
        QCOMPARE(shop.shownId(), QString::number(shop.ann));
        QCOMPARE(box(shop.check, QStringLiteral("PayToOrderOf"))->text(), QStringLiteral("Ann"));
    }

    void aChoiceThatCannotBeStoredIsToldAndNotShown_data() {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("print option") << "Combo1"
                                      << "Don't Print"
                                      << "One Time";
        QTest::newRow("product type") << "Combo2"
                                      << "Services"
                                      << " ";
    }
    void aChoiceThatCannotBeStoredIsToldAndNotShown() {
        QFETCH(QString, selector);
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        Shop shop;
        Trouble t(QStringLiteral("read-only"), shop.path());
        auto* combo = shop.check->findChild<QComboBox*>(selector);
        const int index = combo->findText(chosen);
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList{kReadOnly});
        QCOMPARE(shop.selector(selector), shown);
        QCOMPARE(box(shop.check, QStringLiteral("Draft"))->text(), QString());
        const QVariantMap stored = row(shop.env, shop.file, shop.ann);
        QCOMPARE(stored.value("Print").toString(), QStringLiteral("Once"));
        QVERIFY(stored.value("BusinessType").isNull());
        QVERIFY(stored.value("For").isNull());
    }

    void anEditOfACheckDeletedElsewhereIsNotLostInSilence() {
        Shop shop;
        typeInto(shop.check, QStringLiteral("PayToOrderOf"), QStringLiteral("Annabel"));
        asAnotherProgram(shop.path(), "DELETE FROM Account WHERE ID = 2");
        click(shop.check, QStringLiteral("Next"));
        QCOMPARE(shop.env.prompter.takeTexts(),
                 QStringList{"This check no longer exists: it was deleted while it was shown "
                             "here, by another copy of Ledgerline or another program. What you "
                             "entered for it was not stored."});
        QCOMPARE(count(shop.env, shop.file), 1);
        // Told once, the user can walk on.
        click(shop.check, QStringLiteral("Next"));
        QCOMPARE(shop.env.prompter.takeTexts(),
                 QStringList{"This is the last check in the account - choose NEW to create a new "
                             "check."});
        QCOMPARE(shop.shownId(), QStringLiteral("1"));
    }

    void leavingWhenWhatWasTypedCannotBeStored_data() {
        QTest::addColumn<bool>("leave");
        QTest::newRow("leave without it") << true;
        QTest::newRow("stay") << false;
    }
    void leavingWhenWhatWasTypedCannotBeStored() {
        QFETCH(bool, leave);
        Shop shop;
        Trouble t(QStringLiteral("read-only"), shop.path());
        typeInto(shop.check, QStringLiteral("Zip"), QStringLiteral("44118"));
        shop.env.prompter.answerQuestion(leave);
        click(shop.check, QStringLiteral("Save"));
        if (leave) {
            QVERIFY(shop.env.programEnds());
        } else {
            QCoreApplication::processEvents();
            QVERIFY(!shop.env.program.ended());
        }
        const auto prompts = shop.env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].kind, Prompt::Kind::Question);
        QCOMPARE(prompts[0].text,
                 kReadOnly + QStringLiteral(
                                 "\n\nLeave Ledgerline anyway, without storing what you typed?"));
        QCOMPARE(prompts[0].icon, Prompter::Icon::Warning);
        QVERIFY(!prompts[0].yesIsDefault);
        if (leave) {
            QVERIFY(row(shop.env, shop.file, shop.ann).value("Zip").isNull());
            return;
        }
        // Staying, the typed text is still there and is stored once the file takes it.
        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});
        t.end();
        click(shop.check, QStringLiteral("Save"));
        QVERIFY(shop.env.programEnds());
        QCOMPARE(row(shop.env, shop.file, shop.ann).value("Zip").toString(),
                 QStringLiteral("44118"));
    }

    void settingsThatCannotBeReadAtExitAreTold() {
        Shop shop;
        // The settings file is damaged while the program runs.
        Database::open(shop.env.path(QStringLiteral("PC.OVL")))
            ->exec(QStringLiteral("DROP TABLE Properties"));
        typeInto(shop.check, QStringLiteral("Zip"), QStringLiteral("44118"));
        click(shop.check, QStringLiteral("Save"));
        QVERIFY(shop.env.programEnds());
        QCOMPARE(shop.env.prompter.takeTexts(),
                 QStringList{"No backup copy of Shop.mdb was made, because Ledgerline could not "
                             "read its settings.\n\nThe file PC.OVL has no table Properties, so it "
                             "is not a Ledgerline database."});
        QVERIFY(!QFile::exists(shop.env.path(QStringLiteral("Shop.bak"))));
        QCOMPARE(row(shop.env, shop.file, shop.ann).value("Zip").toString(),
                 QStringLiteral("44118"));
    }

    // File - Exit chosen by its key in the open menu: the window that owns the menu is not
    // taken down while the menu is still handling the key.
    void exitFromTheFileMenuLeavesTheMenuWhole() {
        Shop shop;
        QPointer<Check> screen(shop.check);
        auto* menu = shop.check->findChild<QMenu*>(QStringLiteral("MFile"));
        auto* exit = shop.check->findChild<QAction*>(QStringLiteral("MExit"));
        QVERIFY(menu && exit);
        bool screenLivedThroughTheAction = false;
        connect(exit, &QAction::triggered, menu,
                [&] { screenLivedThroughTheAction = !screen.isNull(); });
        menu->popup(shop.check->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::keyClick(menu, Qt::Key_X);
        QVERIFY(screenLivedThroughTheAction);
        QVERIFY(shop.env.programEnds());
        // The notice was shown, the backup made, and the screen is gone.
        QVERIFY(QFile::exists(shop.env.path(QStringLiteral("Shop.bak"))));
        QCOMPARE(TestEnv::openScreens(), QStringList());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(screen.isNull());
    }
};

QTEST_MAIN(TestCheckFailures)
#include "tst_checkfailures.moc"
