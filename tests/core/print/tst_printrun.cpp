// The Print run on real check databases: what it asks, what it prints, what it writes
// after the answer, and how it refuses or fails without marking anything.
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/print/PrintCounts.h"
#include "core/print/PrintSettings.h"
#include "core/settings/SettingsDb.h"
#include "support/Child.h"
#include "support/PrintShop.h"
#include "support/Printed.h"

#include <QTest>

using CheckDbFixture::lastCheck;
using CheckDbFixture::setLastCheck;

namespace {

const QString kToday = QStringLiteral("12/7/2026");
const QString kLabelHelp = QStringLiteral(
    " Enter the number of the label to start on, from 1 to 30 (labels are numbered down each "
    "column: 1 to 10 in the first, 11 to 20 in the second, 21 to 30 in the third), or press OK "
    "without a number to start on label 1.");

// A printer whose job fails where a printer out of paper or a full disk would.
class FailingPage : public RecordingPage {
public:
    FailingPage(QStringList fonts, char at) : RecordingPage(std::move(fonts)), m_at(at) {}
    QString destinationNotice() const override { return QStringLiteral("Written to run.pdf."); }

protected:
    double drawText(double x, double y, const QString& text, const PrintFont& font) override {
        fail('t');
        return RecordingPage::drawText(x, y, text, font);
    }
    void startNewPage() override { fail('n'), RecordingPage::startNewPage(); }
    void finishDocument() override { fail('e'), RecordingPage::finishDocument(); }

private:
    void fail(char at) const {
        if (at == m_at)
            throw DbError(QStringLiteral("The printer is out of paper."));
    }
    char m_at;
};
class FailingPrinter : public Printer {
public:
    explicit FailingPrinter(char at) : m_at(at) {} // s(tart), t(ext), n(ew page), e(nd), never
    QStringList fonts() const override { return {QStringLiteral("MICR65")}; }
    std::unique_ptr<PrintPage> startJob(const QString&) override {
        ++started;
        if (m_at == 's')
            throw DbError(QStringLiteral("The printer is out of paper."));
        return std::make_unique<FailingPage>(fonts(), m_at);
    }
    int started = 0;

private:
    char m_at;
};

// The prompts shown, in short: the first words of each and its title; questions marked
// "Q", and "[stop, No]" when they show the stop icon with No as the default.
QString shown(PrintShop& shop) {
    QStringList out;
    for (const Prompt& p : shop.env.prompter.take()) {
        QString line = p.text.left(24) + QLatin1Char('/') + p.title;
        if (p.kind == Prompt::Kind::Question)
            line =
                QStringLiteral("Q ") + line +
                (p.icon == Prompter::Icon::Stop && !p.yesIsDefault ? QStringLiteral(" [stop, No]")
                                                                   : QString());
        out << line;
    }
    return out.join(QStringLiteral(" | "));
}

} // namespace

class TestPrintRun : public QObject {
    Q_OBJECT

private slots:
    // Which boxes lead to which prompts and jobs, in order (the first words of each prompt
    // and its title); the full texts and the order of a whole run follow below.
    void promptsOfARun_data() {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("prompts");
        QTest::addColumn<int>("jobs");
        QTest::newRow("nothing") << ""
                                 << "You have not selected an/Nothing to do." << 0;
        QTest::newRow("labels only: no load-stock prompt")
            << "OLabel"
            << "Load your Avery 5160 lab/ | Q Did all labels print? If/  [stop, No]" << 1;
    }
    void promptsOfARun() {
        QFETCH(QString, boxes);
        QFETCH(QString, prompts);
        QFETCH(int, jobs);
        PrintShop shop;
        shop.add({{"LabelPrint", YesNo::True}});
        shop.env.prompter.answerQuestion(false);
        shop.env.prompter.answerQuestion(false);
        shop.env.prompter.answerInput(QString());
        QCOMPARE(shop.print(boxes), QString());
        QCOMPARE(shown(shop), prompts);
        QCOMPARE(shop.env.printer.jobs().size(), jobs);
        QCOMPARE(shop.outcome, jobs ? PrintRun::Outcome::Ended : PrintRun::Outcome::NothingToDo);
    }

    // The system's own words, exactly.
    void promptTexts() {
        PrintShop shop;
        shop.add({{"LabelPrint", YesNo::True}});
        shop.env.prompter.answerQuestion(false);
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(false);
        shop.print("Once OLabel");
        shop.print("");
        QCOMPARE(shop.env.prompter.takeTexts(),
                 QStringList({
                     "Please load check stock in the printer now and press OK",
                     "The print job has been sent to the printer. Wait until the checks are "
                     "printed and then answer this question: Did all checks print properly? If "
                     "you choose YES, all checks selected to print ONE TIME will be set to don't "
                     "print. If you choose YES and you notice a few checks do not print properly, "
                     "you can reprint checks by changing the How Will This Check Print option on "
                     "the data entry screen. ",
                     "Load your Avery 5160 labels in your printer now and enter the label number "
                     "(labels are numbered down each column) of the first label you want to start "
                     "printing on or press OK to choose label 1:",
                     "Did all labels print? If you choose YES, all labels selected to print ONE "
                     "TIME will be set to not print again.",
                     "You have not selected anything to print. Please select the proper check box "
                     "from the list for what you want to print. To print blank checks, choose "
                     "Print Blank Checks from the upper left menu. ",
                 }));
    }

    // A value its MICR line cannot print stops the whole job before the load-stock prompt:
    // one message names every such check of the selection, and nothing is printed or marked.
    void micrLinesABankCannotReadStopTheJob() {
        PrintShop shop;
        const qint64 first = shop.add({{"Account", "1234-5678 x"}});
        shop.add({{"Check", -5}});
        shop.add({{"Check", QVariant()}, {"ABA", "04100012A"}});
        shop.add({{"Check", 1046}, {"Print", "Monthly"}, {"Account", "12 34-5D"}});
        shop.add({{"Check", 1047}, {"Print", "Never"}, {"Account", "not selected"}});
        const QVariantMap before = shop.row(first);
        QCOMPARE(shop.print("Once Monthly OLabel"), QString());
        QCOMPARE(shop.outcome, PrintRun::Outcome::Refused);
        QCOMPARE(
            shop.env.prompter.takeTexts(),
            QStringList{"The MICR line at the bottom of a check may hold only what a bank's reader "
                        "can read. These values would print something else:\n\n"
                        "Check #1043: the account number \"1234-5678 x\" (digits, blanks, D and - "
                        "only)\n"
                        "Check #-5: the check number \"-5\" (a whole number from 0 up)\n"
                        "The check without a number (record 4): the routing number \"04100012A\" "
                        "(digits only)\n\n"
                        "Nothing was printed, marked or numbered. Correct these checks on the "
                        "data-entry screen and print again."});
        QVERIFY(shop.env.printer.jobs().isEmpty());
        QCOMPARE(shop.row(first), before);
    }

    // The worked example: two one-time checks and one printed every time, last number 1050,
    // both boxes set, Yes.
    void confirmedRun() {
        PrintShop shop;
        const qint64 a = shop.add({{"Check", 1048}, {"Comments", "Called on Monday"}});
        const qint64 b = shop.add({{"Check", 1049}, {"Amount", "250.00"}});
        const qint64 other = shop.add({{"Check", 1047}, {"Print", "once"}});
        const qint64 m = shop.add({{"Check", 1050}, {"Amount", "75.00"}, {"Print", "Monthly"}});
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print("Once Monthly"), QString());
        QCOMPARE(Printed::find(Printed::statements(shop.job()), "C 1047 C  ").size(), 0);
        const QVariantMap ra = shop.row(a), rb = shop.row(b), rm = shop.row(m);
        QCOMPARE(ra.value("Print"), QVariant("Never"));
        QCOMPARE(ra.value("Printed"), QVariant(kToday));
        QCOMPARE(ra.value("Comments"), QVariant("Printed this check as #1048 For $142.18 on "
                                                "12/7/2026  \r\nCalled on Monday"));
        QCOMPARE(rb.value("Comments"), QVariant("Printed this check as #1049 For $250.00 on "
                                                "12/7/2026  \r\n"));
        QCOMPARE(rm.value("Print"), QVariant("Monthly"));
        QCOMPARE(rm.value("Check"), QVariant(1051));
        QCOMPARE(rm.value("Date"), QVariant(kToday));
        QCOMPARE(rm.value("Printed"), QVariant(kToday));
        QCOMPARE(rm.value("Comments"), QVariant("Printed this check as #1050 For $75.00 on "
                                                "12/7/2026  \r\n"));
        QCOMPARE(lastCheck(shop.env, shop.file), QVariant(1051));
        QCOMPARE(shop.row(other).value("Printed"), QVariant());
    }

    // A check printed every time, by kind of database: its own number, the last check's
    // number and the header's LastCheck before; its number and LastCheck after Yes.
    void renumbering_data() {
        QTest::addColumn<bool>("draft");
        QTest::addColumn<QVariantList>("before"); // own, last, LastCheck
        QTest::addColumn<QVariantList>("after");  // own, LastCheck
        const QVariant none;
        QTest::newRow("check: after the last")
            << false << QVariantList{1020, 1050, none} << QVariantList{1051, 1051};
        QTest::newRow("check: after a higher LastCheck")
            << false << QVariantList{1020, 1050, 1200} << QVariantList{1201, 1201};
        QTest::newRow("check: 999899")
            << false << QVariantList{1020, 999899, none} << QVariantList{999900, 999900};
        QTest::newRow("check: 999900 starts at 101")
            << false << QVariantList{1020, 999900, 999900} << QVariantList{101, 101};
        QTest::newRow("draft: its own number")
            << true << QVariantList{1050, 7, 3000} << QVariantList{1051, 3000};
        QTest::newRow("draft: 999899")
            << true << QVariantList{999899, 7, none} << QVariantList{999900, none};
        QTest::newRow("draft: 999900 starts at 101")
            << true << QVariantList{999900, 7, none} << QVariantList{101, none};
        QTest::newRow("draft without a number")
            << true << QVariantList{none, 7, none} << QVariantList{none, none};
    }
    void renumbering() {
        QFETCH(bool, draft);
        QFETCH(QVariantList, before);
        QFETCH(QVariantList, after);
        PrintShop shop(draft ? CheckDb::Kind::Draft : CheckDb::Kind::Check);
        const qint64 m = shop.add({{"Print", "Monthly"}, {"Check", before[0]}});
        shop.add({{"Print", "Never"}, {"Check", before[1]}});
        setLastCheck(shop.env, shop.file, before[2]);
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print("Monthly"), QString());
        QCOMPARE(shop.row(m).value("Check"), after[0]);
        QCOMPARE(lastCheck(shop.env, shop.file), after[1]);
    }

    // No: nothing marked or renumbered; the check printed every time keeps the run's date.
    void answerNo() {
        PrintShop shop;
        const qint64 once = shop.add();
        const qint64 monthly = shop.add({{"Print", "Monthly"}});
        const QVariantMap before[] = {shop.row(once), shop.row(monthly)};
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print("Once Monthly"), QString());
        QCOMPARE(shop.row(once), before[0]);
        QCOMPARE(shop.row(monthly), PrintShop::with(before[1], {{"Date", kToday}}));
    }

    // A job that fails: one message, no question, nothing marked, numbered or dated, and
    // no label job after a failed check job.
    void failedJob_data() {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<char>("at");
        QTest::addColumn<QString>("message");
        const QString checks = QStringLiteral(
            "Printing the checks failed. The printer is out of paper. No check was marked as "
            "printed, renumbered or dated; print them again once the printer is ready.");
        QTest::newRow("refused at the start") << "Once Monthly OLabel" << 's' << checks;
        QTest::newRow("first text") << "Once Monthly OLabel" << 't' << checks;
        QTest::newRow("second sheet") << "Once Monthly OLabel" << 'n' << checks;
        QTest::newRow("end of the document") << "Once Monthly OLabel" << 'e' << checks;
        QTest::newRow("labels") << "OLabel" << 'e'
                                << "Printing the labels failed. The printer is out of paper. No "
                                   "label was marked as printed; print them again once the "
                                   "printer is ready.";
    }
    void failedJob() {
        QFETCH(QString, boxes);
        QFETCH(char, at);
        QFETCH(QString, message);
        PrintShop shop;
        QList<qint64> ids;
        for (int i = 0; i < 4; ++i)
            ids << shop.add({{"LabelPrint", YesNo::True}});
        ids << shop.add({{"Print", "Monthly"}});
        setLastCheck(shop.env, shop.file, 1043);
        QList<QVariantMap> before;
        for (qint64 id : ids)
            before << shop.row(id);
        FailingPrinter printer(at);
        shop.env.prompter.answerInput(QString());
        QCOMPARE(shop.print(boxes, &printer), message);
        QCOMPARE(printer.started, 1);
        QVERIFY(!shown(shop).contains(QLatin1String("Q ")));
        for (int i = 0; i < ids.size(); ++i)
            QCOMPARE(shop.row(ids[i]), before[i]);
        QCOMPARE(lastCheck(shop.env, shop.file), QVariant(1043));
    }

    // A marking that cannot be stored is offered again; given up, it changes no check at
    // all, and the message names what still prints and what was not renumbered.
    void failedMarkingChangesNothing() {
        PrintShop shop;
        const qint64 once = shop.add();
        shop.add({{"Check", QVariant()}});
        const qint64 monthly = shop.add({{"Print", "Monthly"}, {"Check", 1046}});
        Database::open(shop.env.path(shop.file))
            ->exec("CREATE TRIGGER refuse BEFORE UPDATE OF \"Printed\" ON Account BEGIN SELECT "
                   "RAISE(ABORT, 'disk I/O error'); END");
        shop.env.prompter.answerQuestion(true);  // all printed
        shop.env.prompter.answerQuestion(true);  // Retry: fails again
        shop.env.prompter.answerQuestion(false); // Cancel
        QCOMPARE(shop.print("Once Monthly"),
                 QStringLiteral("The checks were not marked as printed.\n\nThese one-time checks "
                                "still print: #1043, without a number. Set them to Don't Print on "
                                "the data-entry screen before you print again, or they will print "
                                "twice.\n\nThese checks that print every time were not given new "
                                "numbers: #1046. Give each a new number on the data-entry screen "
                                "before the next run, or it prints with the same number again."));
        const QList<Prompt> shown = shop.env.prompter.take();
        QCOMPARE(shown.size(), 4);
        QCOMPARE(shown[2].kind, Prompt::Kind::Retry);
        QCOMPARE(shown[2].text,
                 QStringLiteral("The checks printed, but they could not be marked as "
                                "printed. Ledgerline could not use the file "
                                "Shop.mdb: disk I/O error\n\nChoose Retry to try "
                                "again, or Cancel to leave them unmarked."));
        QCOMPARE(shown[3].kind, Prompt::Kind::Retry);
        QCOMPARE(shop.row(once).value("Print"), QVariant("Once"));
        QCOMPARE(shop.row(monthly).value("Comments"), QVariant());
        QCOMPARE(shop.row(monthly).value("Check"), QVariant(1046));
    }

    // Today's date that cannot be stored in the checks printed every time is told, and the
    // user is still asked: the checks are on paper, and Yes still marks them.
    void aDateThatCannotBeStoredStillAsks() {
        PrintShop shop;
        const qint64 once = shop.add();
        const qint64 monthly = shop.add({{"Print", "Monthly"}, {"Check", 1046}});
        setLastCheck(shop.env, shop.file, 1050);
        Database::open(shop.env.path(shop.file))
            ->exec("CREATE TRIGGER full BEFORE UPDATE OF \"Date\" ON Account BEGIN SELECT "
                   "RAISE(ABORT, 'database or disk is full'); END");
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print("Once Monthly"), QString());
        QCOMPARE(shown(shop), "Please load check stock /  | The checks printed, but / | Q The "
                              "print job has been s/  [stop, No]");
        QCOMPARE(shop.row(once).value("Print"), QVariant("Never"));
        QCOMPARE(shop.row(monthly).value("Check"), QVariant(1051));
        QCOMPARE(shop.row(monthly).value("Date"), QVariant("12/1/2026"));
    }

    // Another program holds the database when the checks are to be marked: Retry, once it
    // let go, marks them as if nothing had happened.
    void markingRetriedOnceTheDatabaseIsFree() {
        PrintShop shop;
        const qint64 once = shop.add();
        const qint64 label = shop.add({{"Check", 1044}, {"LabelPrint", YesNo::True}});
        std::unique_ptr<Child> holder;
        shop.env.prompter.whileAnswering([&] {
            holder = std::make_unique<Child>(
                QStringList{QStringLiteral("hold-exclusive"), shop.env.path(shop.file)});
        });
        shop.env.prompter.answerQuestion(true); // all printed
        shop.env.prompter.whileAnswering([&] { holder.reset(); });
        shop.env.prompter.answerQuestion(true); // Retry
        shop.env.prompter.answerCancel();       // no labels after all
        QCOMPARE(shop.print("Once OLabel"), QString());
        const QList<Prompt> shown = shop.env.prompter.take();
        QCOMPARE(shown.size(), 4);
        QVERIFY(shown[2].text.contains(QLatin1String("The database is in use by another program")));
        QCOMPARE(shop.row(once).value("Print"), QVariant("Never"));
        // Cancel on the label prompt: no label job, nothing asked, nothing marked.
        QCOMPARE(shown[3].kind, Prompt::Kind::Input);
        QCOMPARE(shop.env.printer.jobs().size(), 1);
        QCOMPARE(shop.row(label).value("LPrinted"), QVariant());
    }

    // Without the MICR font no check prints (no bank line in a stand-in), and the program
    // goes on: labels, which need no MICR font, still print.
    void micrFontMissing_data() {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<int>("jobs");
        QTest::addColumn<int>("outcome");
        QTest::newRow("checks and labels") << "Once OLabel" << 1 << int(PrintRun::Outcome::Ended);
        QTest::newRow("checks alone") << "Once" << 0 << int(PrintRun::Outcome::Refused);
    }
    void micrFontMissing() {
        QFETCH(QString, boxes);
        QFETCH(int, jobs);
        QFETCH(int, outcome);
        PrintShop shop;
        const qint64 id = shop.add({{"LabelPrint", YesNo::True}});
        const QVariantMap before = shop.row(id);
        shop.env.printer.setFonts({QStringLiteral("Times New Roman"), QStringLiteral("micr65")});
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print(boxes), QString());
        const QStringList texts = shop.env.prompter.takeTexts();
        QCOMPARE(texts.value(0),
                 QStringLiteral("Checks cannot be printed without the MICR font MICR65, in which "
                                "the bank's numbers at the bottom of every check are printed. No "
                                "check was printed, marked or numbered. Ledgerline goes on, and "
                                "address labels still print: they need no MICR font. Install "
                                "MICR65, then print the checks again."));
        QCOMPARE(texts.size(), jobs ? 3 : 1);
        QCOMPARE(shop.env.printer.jobs().size(), jobs);
        if (jobs)
            QCOMPARE(shop.env.printer.jobs().first().contents, QStringLiteral("labels"));
        QCOMPARE(int(shop.outcome), outcome);
        QCOMPARE(shop.row(id), before);
        shop.env.prompter.clear();
    }

    // Starting positions that put a check off the Letter sheet (or past 16 bits) are refused
    // before anything prints; the largest that fit print.
    void offsets_data() {
        QTest::addColumn<QVariant>("vertical");
        QTest::addColumn<QVariant>("horizontal");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("never set counts as 0") << QVariant() << QVariant() << ""
                                               << "";
        QTest::newRow("88 mm, largest") << QVariant(1505) << QVariant(1440) << ""
                                        << "";
        QTest::newRow("88 mm, too low")
            << QVariant(1506) << QVariant(525) << ""
            << "The vertical starting position 1506 would put checks below the bottom of the "
               "sheet. Set it to a number from 0 to 1505.";
        QTest::newRow("92 mm") << QVariant(792) << QVariant(525) << "92mm"
                               << "The vertical starting position 792 would put checks below "
                                  "the bottom of the sheet. Set it to a number from 0 to 791.";
        QTest::newRow("92 mm two a sheet") << QVariant(6061) << QVariant(525) << "92mm two"
                                           << "";
        QTest::newRow("two a sheet, cut marks")
            << QVariant(5701) << QVariant(525) << "92mm two plain"
            << "The vertical starting position 5701 would put checks below the bottom of the "
               "sheet. Set it to a number from 0 to 5700.";
        QTest::newRow("past 16 bits, and left of the sheet")
            << QVariant(70000) << QVariant(-525) << ""
            << "The vertical starting position 70000 would put checks below the bottom of the "
               "sheet. Set it to a number from 0 to 1505. The horizontal starting position -525 "
               "would put checks past the left edge of the sheet. Set it to a number from 0 to "
               "1440.";
    }
    void offsets() {
        QFETCH(QVariant, vertical);
        QFETCH(QVariant, horizontal);
        QFETCH(QString, stock);
        QFETCH(QString, refusal);
        PrintShop shop;
        const qint64 id = shop.add();
        {
            RecordSet settings(Database::open(shop.env.path(SettingsDb::kFileName)),
                               SettingsDb::kSettingsTable);
            settings.edit();
            settings.setValue(SettingsDb::kVerticalStart, vertical);
            settings.setValue(SettingsDb::kHorizontalStart, horizontal);
            settings.update();
        }
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print("Once", nullptr, ::stock(stock)), QString());
        if (refusal.isEmpty()) {
            QCOMPARE(shop.row(id).value("Print"), QVariant("Never"));
            return;
        }
        QCOMPARE(shop.env.prompter.takeTexts(),
                 QStringList{"The checks were not printed. " + refusal +
                             " Choose Align Printer on the printer control screen to correct "
                             "this."});
        QVERIFY(shop.env.printer.jobs().isEmpty());
        QCOMPARE(shop.row(id).value("Print"), QVariant("Once"));
        shop.env.prompter.clear();
    }

    // A job written to a file says where, once, before the question.
    void destinationIsToldBeforeTheQuestion() {
        PrintShop shop;
        shop.add();
        FailingPrinter printer('-');
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print("Once", &printer), QString());
        QCOMPARE(shown(shop), "Please load check stock /  | Written to run.pdf./ | Q The print "
                              "job has been s/  [stop, No]");
    }

    // The first label typed, and where labels go: "sheet:x:y" of the first label, the last
    // of the first sheet, the first of the next and the last.
    void labelSheets_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("labels");
        QTest::addColumn<QString>("places");
        QTest::addColumn<int>("sheets");
        QTest::newRow("11, 25 labels")
            << "11" << 25 << "0:4200:700 0:8200:13687 1:200:700 1:200:6472" << 2;
        QTest::newRow("empty: label 1")
            << "" << 31 << "0:200:700 0:8200:13687 1:200:700 1:200:700" << 2;
        QTest::newRow("31: a new sheet, none blank")
            << "31" << 2 << "0:200:700 0:200:700 0:200:2143 0:200:2143" << 1;
        QTest::newRow("30, then a new sheet")
            << "30" << 2 << "0:8200:13687 0:8200:13687 1:200:700 1:200:700" << 2;
    }
    void labelSheets() {
        QFETCH(QString, entry);
        QFETCH(int, labels);
        QFETCH(QString, places);
        QFETCH(int, sheets);
        PrintShop shop(CheckDb::Kind::Draft);
        for (int i = 0; i < labels; ++i)
            shop.add({{"LabelPrint", YesNo::True},
                      {"BusinessName", QStringLiteral("Customer %1").arg(i)}});
        shop.env.prompter.answerInput(entry);
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print("OLabel"), QString());
        QStringList firsts;
        for (const Printed::Statement& s : Printed::statements(shop.job()))
            if (s.text.startsWith(QLatin1String("Customer ")))
                firsts << QStringLiteral("%1:%2:%3").arg(s.page).arg(s.x).arg(s.y);
        QCOMPARE(firsts.size(), labels);
        const qsizetype next = std::max(qsizetype(1), firsts.indexOf(QRegularExpression("1:.*")));
        QCOMPARE(
            QStringList({firsts.first(), firsts[next - 1], firsts[next], firsts.last()}).join(' '),
            places);
        QCOMPARE(shop.job().pages(), sheets);
    }

    // What the first-label box takes: entries typed in turn until one is taken.
    void labelEntry_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QStringList>("refusals");
        QTest::newRow("blanks around") << QStringList{" 12 "} << 4200 << 2143 << QStringList();
        QTest::newRow("leading zeros") << QStringList{"030"} << 8200 << 13687 << QStringList();
        QTest::newRow("far past a sheet")
            << QStringList{"99999999999999999999"} << 200 << 700 << QStringList();
        QTest::newRow("a word, then a number")
            << QStringList{"abc", "5"} << 200 << 6472
            << QStringList{"\"abc\" is not a label number." + kLabelHelp};
        QTest::newRow("a fraction") << QStringList{"1.5", "3"} << 200 << 3586
                                    << QStringList{"\"1.5\" is not a label number." + kLabelHelp};
        QTest::newRow("zero, then Cancel")
            << QStringList{"0", ""} << 200 << 700
            << QStringList{"There is no label 0: labels are numbered from 1." + kLabelHelp};
        QTest::newRow("negative")
            << QStringList{"-3", "2"} << 200 << 2143
            << QStringList{"There is no label -3: labels are numbered from 1." + kLabelHelp};
    }
    void labelEntry() {
        QFETCH(QStringList, entries);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QStringList, refusals);
        PrintShop shop;
        shop.add({{"LabelPrint", YesNo::True}});
        for (const QString& e : entries)
            shop.env.prompter.answerInput(e);
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print("OLabel"), QString());
        QStringList messages;
        for (const Prompt& p : shop.env.prompter.take())
            if (p.kind == Prompt::Kind::Message)
                messages << p.text;
        QCOMPARE(messages, refusals);
        const Printed::Statement first = Printed::statements(shop.job()).first();
        QCOMPARE(QList<double>({double(first.page), first.x, first.y}),
                 QList<double>({0, double(x), double(y)}));
    }

    // Which checks get a label, and what Yes writes: a one-time label is not printed again,
    // the label of a check printed every time is.
    void labelSelection_data() {
        QTest::addColumn<QVariant>("print");
        QTest::addColumn<int>("labelPrint");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QVariant>("labelPrintAfter"); // invalid: no label printed
        QTest::newRow("one time") << QVariant("Once") << -1 << "OLabel" << QVariant(0);
        QTest::newRow("one time, check printed")
            << QVariant("Never") << -1 << "OLabel" << QVariant(0);
        QTest::newRow("no label wanted") << QVariant("Never") << 0 << "OLabel MLabel" << QVariant();
        QTest::newRow("every time") << QVariant("Monthly") << -1 << "MLabel" << QVariant(-1);
        QTest::newRow("every time, box not set")
            << QVariant("Monthly") << -1 << "OLabel" << QVariant();
        QTest::newRow("one time, box not set") << QVariant("Once") << -1 << "MLabel" << QVariant();
        QTest::newRow("no print option") << QVariant() << -1 << "OLabel MLabel" << QVariant();
    }
    void labelSelection() {
        QFETCH(QVariant, print);
        QFETCH(int, labelPrint);
        QFETCH(QString, boxes);
        QFETCH(QVariant, labelPrintAfter);
        PrintShop shop(CheckDb::Kind::Draft);
        const qint64 id = shop.add({{"Print", print}, {"LabelPrint", labelPrint}});
        const QVariantMap before = shop.row(id);
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print(boxes), QString());
        const bool printed = !Printed::statements(shop.job()).isEmpty();
        QCOMPARE(printed, labelPrintAfter.isValid());
        QCOMPARE(shop.row(id), printed ? PrintShop::with(before, {{"LabelPrint", labelPrintAfter},
                                                                  {"LPrinted", kToday}})
                                       : before);
    }

    // A void check is in no selection, whatever its print option and label flag say: not
    // printed, not labelled, not counted, its MICR line not judged, nothing written to it.
    void voidChecksAreInNoSelection() {
        PrintShop shop;
        const qint64 kept = shop.add({{"Check", 1050}, {"LabelPrint", YesNo::True}});
        QList<qint64> voids;
        for (const char* print : {"Once", "Never", "Monthly"})
            voids << shop.add({{"Check", 1044},
                               {"Print", QString::fromLatin1(print)},
                               {"Account", "not a MICR account"},
                               {"LabelPrint", YesNo::True},
                               {"VoidDate", "12/1/2026"},
                               {"VoidReason", "Spoiled"}});
        QList<QVariantMap> before;
        for (qint64 id : voids)
            before << shop.row(id);
        const PrintCounts counts = PrintCounts::count(shop.env.path(shop.file));
        QCOMPARE(QList<qint64>(
                     {counts.once, counts.monthly, counts.oneTimeLabels, counts.monthlyLabels}),
                 QList<qint64>({1, 0, 1, 0}));
        shop.env.prompter.answerQuestion(true);
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print("Once Monthly OLabel MLabel"), QString());
        QCOMPARE(Printed::find(Printed::statements(shop.job(0)), "C 1044 C  ").size(), 0);
        QCOMPARE(Printed::find(Printed::statements(shop.job(0)), "C 1050 C  ").size(), 1);
        QCOMPARE(shop.env.printer.jobs().size(), 2);
        QCOMPARE(shop.row(kept).value("Print"), QVariant("Never"));
        for (qsizetype i = 0; i < voids.size(); ++i)
            QCOMPARE(shop.row(voids[i]), before[i]);
    }

    void optionsAreStored() {
        TestEnv env;
        const QString settings = env.path(SettingsDb::kFileName);
        PrintSettings::storeOptions(settings, stock("92mm two"));
        const PrintSettings read = PrintSettings::read(settings);
        QCOMPARE(
            QList<bool>({read.options.use88mm, read.options.twoPerPage, read.options.plainPaper}),
            QList<bool>({false, true, false}));
        QCOMPARE(RecordSet(Database::open(settings), SettingsDb::kSettingsTable)
                     .value(SettingsDb::kPrint2Checks),
                 QVariant(-1));
    }
};

QTEST_MAIN(TestPrintRun)
#include "tst_printrun.moc"
