// The Print run on real check databases: what it asks, which checks and labels it prints,
// and what it writes after the user's answer; and how it refuses or fails without
// marking anything.
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/print/PrintRun.h"
#include "core/print/PrintSettings.h"
#include "core/settings/SettingsDb.h"
#include "support/CheckDbFixture.h"
#include "support/Printed.h"
#include "support/TestEnv.h"

#include <QTest>

using namespace CheckDbFixture;

namespace {

const QString kToday = QStringLiteral("12/7/2026");
const QString kLoadStock = QStringLiteral("Please load check stock in the printer now and press OK");
const QString kChecksQuestion = QStringLiteral(
    "The print job has been sent to the printer. Wait until the checks are printed and then "
    "answer this question: Did all checks print properly? If you choose YES, all checks "
    "selected to print ONE TIME will be set to don't print. If you choose YES and you notice a "
    "few checks do not print properly, you can reprint checks by changing the How Will This "
    "Check Print option on the data entry screen. ");
const QString kLabelPrompt = QStringLiteral(
    "Load your Avery 5160 labels in your printer now and enter the label number (labels are "
    "numbered down each column) of the first label you want to start printing on or press OK "
    "to choose label 1:");
const QString kLabelsQuestion = QStringLiteral(
    "Did all labels print? If you choose YES, all labels selected to print ONE TIME will be set "
    "to not print again.");
const QString kLabelHelp = QStringLiteral(
    " Enter the number of the label to start on, from 1 to 30 (labels are numbered down each "
    "column: 1 to 10 in the first, 11 to 20 in the second, 21 to 30 in the third), or press OK "
    "without a number to start on label 1.");

const QVariantMap kPayer{
    {"BusinessName", "Maple Street Bakery"}, {"FirstName", "Jordan"}, {"LastName", "Reyes"},
    {"Address", "218 Maple Street"},         {"City", "Fairview"},    {"State", "OH"},
    {"Zip", "44118"},                        {"ABA", "041000124"},    {"Account", "1234D567"},
    {"Amount", "142.18"},                    {"Date", "12/1/2026"},
};

QVariantMap with(QVariantMap values, const QVariantMap& changes) {
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values.insert(it.key(), it.value());
    return values;
}

PrintSelection select(bool once, bool monthly, bool oLabel = false, bool mLabel = false) {
    PrintSelection s;
    s.once = once;
    s.monthly = monthly;
    s.oneTimeLabels = oLabel;
    s.monthlyLabels = mLabel;
    return s;
}

// A printer whose jobs fail at a chosen point, as a printer that runs out of paper or a
// disk that fills up would.
class FailingPage : public RecordingPage {
public:
    enum class At { Start, Text, NewPage, End };
    FailingPage(QStringList fonts, At at) : RecordingPage(std::move(fonts)), m_at(at) {}

protected:
    double drawText(double x, double y, const QString& text, const PrintFont& font) override {
        if (m_at == At::Text && !text.isEmpty())
            fail();
        return RecordingPage::drawText(x, y, text, font);
    }
    void startNewPage() override {
        if (m_at == At::NewPage)
            fail();
        RecordingPage::startNewPage();
    }
    void finishDocument() override {
        if (m_at == At::End)
            fail();
        RecordingPage::finishDocument();
    }

private:
    [[noreturn]] static void fail() { throw DbError(QStringLiteral("The printer is out of paper.")); }
    At m_at;
};

class FailingPrinter : public Printer {
public:
    explicit FailingPrinter(FailingPage::At at) : m_at(at) {}
    QStringList fonts() const override {
        return {QStringLiteral("Times New Roman"), QStringLiteral("MICR65")};
    }
    std::unique_ptr<PrintPage> startJob(const QString&) override {
        ++started;
        if (m_at == FailingPage::At::Start)
            throw DbError(QStringLiteral("The printer is out of paper."));
        return std::make_unique<FailingPage>(fonts(), m_at);
    }
    int started = 0;

private:
    FailingPage::At m_at;
};

// A printer whose jobs go to a file, and say so.
class FilePage : public RecordingPage {
public:
    using RecordingPage::RecordingPage;
    QString destinationNotice() const override { return QStringLiteral("Written to run.pdf."); }
};
class FilePrinter : public Printer {
public:
    QStringList fonts() const override { return {QStringLiteral("MICR65")}; }
    std::unique_ptr<PrintPage> startJob(const QString&) override {
        return std::make_unique<FilePage>(fonts());
    }
};

struct Shop {
    explicit Shop(CheckDb::Kind kind = CheckDb::Kind::Check)
        : file(create(env, QStringLiteral("Shop"), kind)) {}

    qint64 add(const QVariantMap& values) { return addCheck(env, file, with(kPayer, values)); }
    QVariantMap row(qint64 id) { return CheckDbFixture::row(env, file, id); }

    /// Presses Print; returns the message of a failure, empty when the run went through.
    QString print(const PrintSelection& selection, Printer* printer = nullptr,
                  StockOptions options = StockOptions()) {
        PrintRun run(env.path(file), env.path(SettingsDb::kFileName), printer ? *printer : env.printer,
                     env.prompter, env.clock);
        try {
            outcome = run.run(selection, options);
        } catch (const DbError& e) {
            return e.message();
        }
        return {};
    }

    void setOffsets(const QVariant& vertical, const QVariant& horizontal) {
        RecordSet settings(Database::open(env.path(SettingsDb::kFileName)),
                           SettingsDb::kSettingsTable);
        settings.edit();
        settings.setValue(SettingsDb::kVerticalStart, vertical);
        settings.setValue(SettingsDb::kHorizontalStart, horizontal);
        settings.update();
    }

    TestEnv env;
    QString file;
    PrintRun::Outcome outcome = PrintRun::Outcome::Ended;
};

QString describe(const QList<Prompt>& prompts) {
    QStringList out;
    for (const Prompt& p : prompts) {
        const QString kind = p.kind == Prompt::Kind::Message    ? QStringLiteral("message")
                             : p.kind == Prompt::Kind::Question ? QStringLiteral("question")
                                                                : QStringLiteral("input");
        QString text = p.text;
        if (text == kLoadStock)
            text = QStringLiteral("load stock");
        else if (text == kChecksQuestion)
            text = QStringLiteral("checks?");
        else if (text == kLabelPrompt)
            text = QStringLiteral("first label?");
        else if (text == kLabelsQuestion)
            text = QStringLiteral("labels?");
        out << kind + QLatin1Char(' ') + text;
    }
    return out.join(QStringLiteral(" | "));
}

} // namespace

class TestPrintRun : public QObject {
    Q_OBJECT

private slots:
    void nothingSelected() {
        Shop shop;
        const qint64 id = shop.add({{"Print", "Once"}, {"LabelPrint", YesNo::True}});
        QCOMPARE(shop.print(select(false, false)), QString());
        QCOMPARE(shop.outcome, PrintRun::Outcome::NothingToDo);
        const QList<Prompt> prompts = shop.env.prompter.take();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts[0].title, QStringLiteral("Nothing to do."));
        QCOMPARE(prompts[0].text,
                 QStringLiteral("You have not selected anything to print. Please select the proper "
                                "check box from the list for what you want to print. To print "
                                "blank checks, choose Print Blank Checks from the upper left "
                                "menu. "));
        QVERIFY(shop.env.printer.jobs().isEmpty());
        QCOMPARE(shop.row(id).value("Print"), QVariant("Once"));
    }

    // Which boxes lead to which prompts, in order.
    void promptsOfARun_data() {
        QTest::addColumn<bool>("once");
        QTest::addColumn<bool>("oLabel");
        QTest::addColumn<QString>("prompts");
        QTest::addColumn<QStringList>("jobs");
        QTest::newRow("checks") << true << false << "message load stock | question checks?"
                                << QStringList{"checks"};
        QTest::newRow("labels only: no load-stock prompt")
            << false << true << "input first label? | question labels?" << QStringList{"labels"};
        QTest::newRow("both: checks first")
            << true << true
            << "message load stock | question checks? | input first label? | question labels?"
            << QStringList{"checks", "labels"};
    }
    void promptsOfARun() {
        QFETCH(bool, once);
        QFETCH(bool, oLabel);
        QFETCH(QString, prompts);
        QFETCH(QStringList, jobs);
        Shop shop;
        shop.add({{"Print", "Once"}, {"LabelPrint", YesNo::True}});
        shop.env.prompter.answerQuestion(false);
        shop.env.prompter.answerQuestion(false);
        shop.env.prompter.answerInput(QString());
        QCOMPARE(shop.print(select(once, false, oLabel)), QString());
        QCOMPARE(shop.outcome, PrintRun::Outcome::Ended);
        const QList<Prompt> shown = shop.env.prompter.take();
        QCOMPARE(describe(shown), prompts);
        for (const Prompt& p : shown) {
            if (p.kind == Prompt::Kind::Question) {
                QCOMPARE(p.title, QStringLiteral(" "));
                QCOMPARE(p.icon, Prompter::Icon::Stop);
                QCOMPARE(p.yesIsDefault, false);
            } else if (p.kind == Prompt::Kind::Input) {
                QCOMPARE(p.title, QString()); // the program's title
            } else {
                QCOMPARE(p.title, QStringLiteral(" "));
            }
        }
        QStringList started;
        for (const RecordingPrinter::Job& j : shop.env.printer.jobs())
            started << j.contents;
        QCOMPARE(started, jobs);
    }

    // Which checks print, and what Yes writes into each: the one-time checks are set not
    // to print again, the checks that print every time get a new number; every printed
    // check gets the print note.
    void confirmedRun() {
        Shop shop;
        const qint64 a = shop.add({{"Print", "Once"}, {"Check", 1048}, {"Comments", "Called on Monday"}});
        const qint64 b = shop.add({{"Print", "Once"}, {"Check", 1049}, {"Amount", "250.00"}});
        const qint64 never = shop.add({{"Print", "Never"}, {"Check", 1047}});
        const qint64 odd = shop.add({{"Print", "once"}, {"Check", 1046}});
        const qint64 m = shop.add({{"Print", "Monthly"}, {"Check", 1050}, {"Amount", "75.00"}});
        setLastCheck(shop.env, shop.file, QVariant());
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print(select(true, true)), QString());

        const QList<Printed::Statement> printed =
            Printed::statements(*shop.env.printer.jobs().first().page);
        QStringList numbers;
        for (const Printed::Statement& s : printed)
            if (s.text.startsWith(QLatin1String("C ")))
                numbers << s.text;
        QCOMPARE(numbers, QStringList({"C 1048 C  ", "C 1049 C  ", "C 1050 C  "}));

        QVariantMap ra = shop.row(a);
        QCOMPARE(ra.value("Print"), QVariant("Never"));
        QCOMPARE(ra.value("Printed"), QVariant(kToday));
        QCOMPARE(ra.value("Comments"),
                 QVariant("Printed this check as #1048 For $142.18 on 12/7/2026  \r\nCalled on Monday"));
        QCOMPARE(ra.value("Check"), QVariant(1048));
        QVariantMap rb = shop.row(b);
        QCOMPARE(rb.value("Comments"),
                 QVariant("Printed this check as #1049 For $250.00 on 12/7/2026  \r\n"));
        QVariantMap rm = shop.row(m);
        QCOMPARE(rm.value("Print"), QVariant("Monthly"));
        QCOMPARE(rm.value("Check"), QVariant(1051));
        QCOMPARE(rm.value("Date"), QVariant(kToday));
        QCOMPARE(rm.value("Printed"), QVariant(kToday));
        QCOMPARE(rm.value("Comments"),
                 QVariant("Printed this check as #1050 For $75.00 on 12/7/2026  \r\n"));
        QCOMPARE(lastCheck(shop.env, shop.file), QVariant(1051));
        for (qint64 untouched : {never, odd}) {
            const QVariantMap r = shop.row(untouched);
            QVERIFY(r.value("Printed").isNull());
            QVERIFY(r.value("Comments").isNull());
        }
    }

    // The new number of a check that prints every time, by kind of database: the number of
    // the check itself, the number of the last check of the database and the header's
    // LastCheck before the run; its number and LastCheck after Yes.
    void renumbering_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariant>("own");
        QTest::addColumn<QVariant>("last");
        QTest::addColumn<QVariant>("lastCheck");
        QTest::addColumn<QVariant>("renumbered");
        QTest::addColumn<QVariant>("lastCheckAfter");
        const int check = int(CheckDb::Kind::Check);
        const int draft = int(CheckDb::Kind::Draft);
        QTest::newRow("check: after the last check") << check << QVariant(1020) << QVariant(1050)
                                                     << QVariant() << QVariant(1051) << QVariant(1051);
        QTest::newRow("check: after a higher LastCheck")
            << check << QVariant(1020) << QVariant(1050) << QVariant(1200) << QVariant(1201)
            << QVariant(1201);
        QTest::newRow("check: last check higher than LastCheck")
            << check << QVariant(1020) << QVariant(1050) << QVariant(1049) << QVariant(1051)
            << QVariant(1051);
        QTest::newRow("check: 999900 starts again at 101")
            << check << QVariant(1020) << QVariant(999900) << QVariant(999900) << QVariant(101)
            << QVariant(101);
        QTest::newRow("check: 999899 reaches 999900")
            << check << QVariant(1020) << QVariant(999899) << QVariant() << QVariant(999900)
            << QVariant(999900);
        QTest::newRow("draft: its own number up one") << draft << QVariant(1050) << QVariant(7)
                                                      << QVariant(3000) << QVariant(1051)
                                                      << QVariant(3000);
        QTest::newRow("draft 999899") << draft << QVariant(999899) << QVariant(7) << QVariant()
                                      << QVariant(999900) << QVariant();
        QTest::newRow("draft 999900 starts again at 101")
            << draft << QVariant(999900) << QVariant(7) << QVariant() << QVariant(101)
            << QVariant();
        QTest::newRow("draft without a number keeps none")
            << draft << QVariant() << QVariant(7) << QVariant() << QVariant() << QVariant();
    }
    void renumbering() {
        QFETCH(int, kind);
        QFETCH(QVariant, own);
        QFETCH(QVariant, last);
        QFETCH(QVariant, lastCheck);
        QFETCH(QVariant, renumbered);
        QFETCH(QVariant, lastCheckAfter);
        Shop shop{CheckDb::Kind(kind)};
        const qint64 m = shop.add({{"Print", "Monthly"}, {"Check", own}});
        shop.add({{"Print", "Never"}, {"Check", last}});
        setLastCheck(shop.env, shop.file, lastCheck);
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print(select(false, true)), QString());
        QCOMPARE(shop.row(m).value("Check"), renumbered);
        QCOMPARE(CheckDbFixture::lastCheck(shop.env, shop.file), lastCheckAfter);
    }

    // Several checks that print every time take consecutive numbers in database order.
    void monthlyChecksTakeConsecutiveNumbers() {
        Shop shop;
        const qint64 first = shop.add({{"Print", "Monthly"}, {"Check", 1049}});
        const qint64 second = shop.add({{"Print", "Monthly"}, {"Check", 1050}});
        setLastCheck(shop.env, shop.file, 1050);
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print(select(false, true)), QString());
        QCOMPARE(shop.row(first).value("Check"), QVariant(1051));
        QCOMPARE(shop.row(second).value("Check"), QVariant(1052));
        QCOMPARE(CheckDbFixture::lastCheck(shop.env, shop.file), QVariant(1052));
    }

    // No: nothing is marked or renumbered; a check that prints every time keeps the date
    // of the run it printed with.
    void answerNo() {
        Shop shop;
        const qint64 once = shop.add({{"Print", "Once"}, {"Check", 1049}});
        const qint64 monthly = shop.add({{"Print", "Monthly"}, {"Check", 1050}});
        setLastCheck(shop.env, shop.file, 1050);
        const QVariantMap before[] = {shop.row(once), shop.row(monthly)};
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print(select(true, true)), QString());
        QCOMPARE(shop.row(once), before[0]);
        QCOMPARE(shop.row(monthly), with(before[1], {{"Date", kToday}}));
        QCOMPARE(CheckDbFixture::lastCheck(shop.env, shop.file), QVariant(1050));
    }

    // With Once and Monthly set but nothing selected, an empty job is ended and the
    // question asked; Yes changes nothing.
    void nothingMatches() {
        Shop shop;
        const qint64 never = shop.add({{"Print", "Never"}});
        const QVariantMap before = shop.row(never);
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print(select(true, true)), QString());
        QCOMPARE(describe(shop.env.prompter.take()), "message load stock | question checks?");
        QVERIFY(shop.env.printer.jobs().first().page->ended());
        QCOMPARE(shop.env.printer.jobs().first().page->pages(), 0);
        QCOMPARE(shop.row(never), before);
    }

    // A job that fails: one message saying so, no question, and nothing marked, numbered
    // or dated.
    void failedJob_data() {
        QTest::addColumn<int>("at");
        QTest::newRow("printer refuses the job") << int(FailingPage::At::Start);
        QTest::newRow("first text") << int(FailingPage::At::Text);
        QTest::newRow("second sheet") << int(FailingPage::At::NewPage);
        QTest::newRow("end of the document") << int(FailingPage::At::End);
    }
    void failedJob() {
        QFETCH(int, at);
        Shop shop;
        QList<qint64> ids;
        for (int i = 0; i < 4; ++i)
            ids << shop.add({{"Print", "Once"}, {"Check", 1040 + i}, {"LabelPrint", YesNo::True}});
        ids << shop.add({{"Print", "Monthly"}, {"Check", 1050}});
        setLastCheck(shop.env, shop.file, 1050);
        QList<QVariantMap> before;
        for (qint64 id : ids)
            before << shop.row(id);
        FailingPrinter printer{FailingPage::At(at)};
        QCOMPARE(shop.print(select(true, true, true), &printer),
                 QStringLiteral("Printing the checks failed. The printer is out of paper. No check "
                                "was marked as printed, renumbered or dated; print them again once "
                                "the printer is ready."));
        QCOMPARE(describe(shop.env.prompter.take()), "message load stock");
        QCOMPARE(printer.started, 1); // no label job after a failed check job
        for (int i = 0; i < ids.size(); ++i)
            QCOMPARE(shop.row(ids[i]), before[i]);
        QCOMPARE(CheckDbFixture::lastCheck(shop.env, shop.file), QVariant(1050));
    }

    // A marking that cannot be stored changes no check at all, and says the checks printed.
    void failedMarkingChangesNothing() {
        Shop shop;
        const qint64 once = shop.add({{"Print", "Once"}, {"Check", 1049}});
        const qint64 monthly = shop.add({{"Print", "Monthly"}, {"Check", 1050}});
        setLastCheck(shop.env, shop.file, 1050);
        Database::open(shop.env.path(shop.file))
            ->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF \"Check\" ON Account "
                                  "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
        shop.env.prompter.answerQuestion(true);
        const QString failure = shop.print(select(true, true));
        QVERIFY2(failure.startsWith(QLatin1String("The checks printed, but they could not be "
                                                  "marked as printed. ")),
                 qPrintable(failure));
        QVERIFY(failure.endsWith(QLatin1String(
            "No check was marked or renumbered: before you print again, set the checks that "
            "printed to Don't Print on the data-entry screen, or they will print twice.")));
        QCOMPARE(shop.row(once).value("Print"), QVariant("Once"));
        QVERIFY(shop.row(once).value("Comments").isNull());
        QCOMPARE(shop.row(monthly).value("Check"), QVariant(1050));
        QCOMPARE(CheckDbFixture::lastCheck(shop.env, shop.file), QVariant(1050));
    }

    // Without the MICR font nothing prints: no bank line in a stand-in font.
    void micrFontMissing() {
        Shop shop;
        const qint64 id = shop.add({{"Print", "Once"}, {"LabelPrint", YesNo::True}});
        const QVariantMap before = shop.row(id);
        shop.env.printer.setFonts({QStringLiteral("Times New Roman"), QStringLiteral("micr65")});
        QCOMPARE(shop.print(select(true, false, true)), QString());
        const QList<Prompt> shown = shop.env.prompter.take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("WARNING"));
        QCOMPARE(shown[0].text, QStringLiteral("Your PC does not have the MICR font installed. "
                                               "Further program execution is not possible"));
        QVERIFY(shop.env.printer.jobs().isEmpty());
        QCOMPARE(shop.row(id), before);
    }

    // Starting positions that would put a check off the Letter sheet (or past what 16 bits
    // hold) are refused before anything prints; the largest that fit are accepted.
    void offsets_data() {
        QTest::addColumn<QVariant>("vertical");
        QTest::addColumn<QVariant>("horizontal");
        QTest::addColumn<bool>("use88");
        QTest::addColumn<bool>("two");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("shipped") << QVariant(200) << QVariant(525) << true << false << false << "";
        QTest::newRow("never set counts as 0")
            << QVariant() << QVariant() << true << false << false << "";
        QTest::newRow("88 mm lowest") << QVariant(1505) << QVariant(1440) << true << false << false << "";
        QTest::newRow("88 mm too low")
            << QVariant(1506) << QVariant(525) << true << false << false
            << "The vertical starting position 1506 would put checks below the bottom of the "
               "sheet. Set it to a number from 0 to 1505.";
        QTest::newRow("92 mm lowest") << QVariant(791) << QVariant(525) << false << false << false << "";
        QTest::newRow("92 mm too low")
            << QVariant(792) << QVariant(525) << false << false << false
            << "The vertical starting position 792 would put checks below the bottom of the "
               "sheet. Set it to a number from 0 to 791.";
        QTest::newRow("92 mm two a sheet") << QVariant(6061) << QVariant(525) << false << true << false << "";
        QTest::newRow("92 mm two a sheet, plain paper cut marks")
            << QVariant(5701) << QVariant(525) << false << true << true
            << "The vertical starting position 5701 would put checks below the bottom of the "
               "sheet. Set it to a number from 0 to 5700.";
        QTest::newRow("beyond 16 bits")
            << QVariant(70000) << QVariant(525) << true << false << false
            << "The vertical starting position 70000 would put checks below the bottom of the "
               "sheet. Set it to a number from 0 to 1505.";
        QTest::newRow("above the sheet")
            << QVariant(-1) << QVariant(525) << true << false << false
            << "The vertical starting position -1 would put checks above the top of the sheet. "
               "Set it to a number from 0 to 1505.";
        QTest::newRow("too far right")
            << QVariant(200) << QVariant(1441) << true << false << false
            << "The horizontal starting position 1441 would put checks past the right edge of "
               "the sheet. Set it to a number from 0 to 1440.";
        QTest::newRow("both")
            << QVariant(4000000000LL) << QVariant(-525) << true << false << false
            << "The vertical starting position 4000000000 would put checks below the bottom of "
               "the sheet. Set it to a number from 0 to 1505. The horizontal starting position "
               "-525 would put checks past the left edge of the sheet. Set it to a number from "
               "0 to 1440.";
    }
    void offsets() {
        QFETCH(QVariant, vertical);
        QFETCH(QVariant, horizontal);
        QFETCH(bool, use88);
        QFETCH(bool, two);
        QFETCH(bool, plain);
        QFETCH(QString, refusal);
        Shop shop;
        const qint64 id = shop.add({{"Print", "Once"}});
        shop.setOffsets(vertical, horizontal);
        StockOptions options;
        options.use88mm = use88;
        options.twoPerPage = two;
        options.plainPaper = plain;
        if (refusal.isEmpty())
            shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print(select(true, false), nullptr, options), QString());
        const QList<Prompt> shown = shop.env.prompter.take();
        if (refusal.isEmpty()) {
            QCOMPARE(shop.env.printer.jobs().size(), 1);
            QCOMPARE(shop.row(id).value("Print"), QVariant("Never"));
            return;
        }
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("The checks were not printed. ") + refusal +
                                    QStringLiteral(" Choose Align Printer on the printer control "
                                                   "screen to correct this."));
        QVERIFY(shop.env.printer.jobs().isEmpty());
        QCOMPARE(shop.row(id).value("Print"), QVariant("Once"));
    }

    // A job written to a file says where, once, before the question.
    void destinationIsToldBeforeTheQuestion() {
        Shop shop;
        shop.add({{"Print", "Once"}});
        FilePrinter printer;
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print(select(true, false), &printer), QString());
        QCOMPARE(describe(shop.env.prompter.take()),
                 "message load stock | message Written to run.pdf. | question checks?");
    }

    // The first label as typed, and the sheets the labels go on: "page:x:y" of the first
    // line of each label, in order.
    void labelSheets_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("labels");
        QTest::addColumn<QStringList>("places"); // first, last of sheet 1, first of sheet 2, last
        QTest::addColumn<int>("sheets");
        QTest::newRow("label 11, 25 labels") << "11" << 25
                                             << QStringList{"0:4200:700", "0:8200:13687",
                                                            "1:200:700", "1:200:6472"}
                                             << 2;
        QTest::newRow("empty entry: label 1") << "" << 31
                                              << QStringList{"0:200:700", "0:8200:13687",
                                                             "1:200:700", "1:200:700"}
                                              << 2;
        QTest::newRow("31: label 1 of a new sheet, no blank sheet")
            << "31" << 2 << QStringList{"0:200:700", "0:200:2143"} << 1;
        QTest::newRow("30: the last label, then a new sheet")
            << "30" << 2 << QStringList{"0:8200:13687", "1:200:700"} << 2;
    }
    void labelSheets() {
        QFETCH(QString, entry);
        QFETCH(int, labels);
        QFETCH(QStringList, places);
        QFETCH(int, sheets);
        Shop shop{CheckDb::Kind::Draft};
        for (int i = 0; i < labels; ++i)
            shop.add({{"Print", "Once"}, {"LabelPrint", YesNo::True},
                      {"BusinessName", QStringLiteral("Customer %1").arg(i + 1)}});
        shop.env.prompter.answerInput(entry);
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print(select(false, false, true)), QString());
        const RecordingPage& page = *shop.env.printer.jobs().first().page;
        QStringList firsts;
        for (const Printed::Statement& s : Printed::statements(page))
            if (s.text.startsWith(QLatin1String("Customer ")))
                firsts << QStringLiteral("%1:%2:%3").arg(s.page).arg(s.x).arg(s.y);
        QCOMPARE(firsts.size(), labels);
        QStringList chosen;
        if (labels == 2)
            chosen = {firsts[0], firsts[1]};
        else {
            const int firstOfSecond = int(firsts.indexOf(QRegularExpression(QStringLiteral("^1:.*"))));
            chosen = {firsts.first(), firsts[firstOfSecond - 1], firsts[firstOfSecond], firsts.last()};
        }
        QCOMPARE(chosen, places);
        QCOMPARE(page.pages(), sheets);
    }

    // What the first-label box accepts: entries typed in turn, until one is taken.
    void labelEntry_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("label");
        QTest::addColumn<QStringList>("refusals");
        QTest::newRow("a number") << QStringList{"7"} << 7 << QStringList();
        QTest::newRow("blanks around") << QStringList{" 12 "} << 12 << QStringList();
        QTest::newRow("leading zeros") << QStringList{"030"} << 30 << QStringList();
        QTest::newRow("far past the sheet") << QStringList{"99999999999999999999"} << 1
                                            << QStringList();
        QTest::newRow("a word, then a number")
            << QStringList{"abc", "5"} << 5
            << QStringList{QStringLiteral("\"abc\" is not a label number.") + kLabelHelp};
        QTest::newRow("a fraction") << QStringList{"1.5", "3"} << 3
                                    << QStringList{QStringLiteral("\"1.5\" is not a label number.") +
                                                   kLabelHelp};
        QTest::newRow("zero, then Cancel")
            << QStringList{"0", ""} << 1
            << QStringList{QStringLiteral("There is no label 0: labels are numbered from 1.") +
                           kLabelHelp};
        QTest::newRow("negative")
            << QStringList{"-3", "2"} << 2
            << QStringList{QStringLiteral("There is no label -3: labels are numbered from 1.") +
                           kLabelHelp};
    }
    void labelEntry() {
        QFETCH(QStringList, entries);
        QFETCH(int, label);
        QFETCH(QStringList, refusals);
        Shop shop{CheckDb::Kind::Draft};
        shop.add({{"Print", "Once"}, {"LabelPrint", YesNo::True}});
        for (const QString& e : entries)
            shop.env.prompter.answerInput(e);
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print(select(false, false, true)), QString());
        QStringList messages;
        for (const Prompt& p : shop.env.prompter.take())
            if (p.kind == Prompt::Kind::Message) {
                messages << p.text;
                QCOMPARE(p.icon, Prompter::Icon::Warning);
            }
        QCOMPARE(messages, refusals);
        const QList<Printed::Statement> printed =
            Printed::statements(*shop.env.printer.jobs().first().page);
        QCOMPARE(printed.first().x, double(label <= 10 ? 200 : label <= 20 ? 4200 : 8200));
        QCOMPARE(printed.first().y, double(700 + 1443 * ((label - 1) % 10)));
        QCOMPARE(printed.first().page, 0);
    }

    // Which records get a label, and what Yes writes: a one-time label is not printed
    // again; a label of a check that prints every time is.
    void labelSelection_data() {
        QTest::addColumn<QString>("print");
        QTest::addColumn<bool>("labelPrint");
        QTest::addColumn<bool>("oLabel");
        QTest::addColumn<bool>("mLabel");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<QVariant>("labelPrintAfter");
        QTest::newRow("one time") << "Once" << true << true << false << true << QVariant(0);
        QTest::newRow("one time, check printed before") << "Never" << true << true << false << true
                                                        << QVariant(0);
        QTest::newRow("no label wanted") << "Never" << false << true << true << false << QVariant(0);
        QTest::newRow("every time") << "Monthly" << true << false << true << true << QVariant(-1);
        QTest::newRow("every time, box not set") << "Monthly" << true << true << false << false
                                                 << QVariant(-1);
        QTest::newRow("one time, box not set") << "Once" << true << false << true << false
                                               << QVariant(-1);
        QTest::newRow("no print option") << "" << true << true << true << false << QVariant(-1);
    }
    void labelSelection() {
        QFETCH(QString, print);
        QFETCH(bool, labelPrint);
        QFETCH(bool, oLabel);
        QFETCH(bool, mLabel);
        QFETCH(bool, printed);
        QFETCH(QVariant, labelPrintAfter);
        Shop shop{CheckDb::Kind::Draft};
        const qint64 id = shop.add({{"Print", print.isEmpty() ? QVariant() : QVariant(print)},
                                    {"LabelPrint", labelPrint ? YesNo::True : YesNo::False}});
        const QVariantMap before = shop.row(id);
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print(select(false, false, oLabel, mLabel)), QString());
        const QList<Printed::Statement> labels =
            Printed::statements(*shop.env.printer.jobs().first().page);
        QCOMPARE(!labels.isEmpty(), printed);
        if (!printed) {
            QCOMPARE(shop.row(id), before);
            return;
        }
        QCOMPARE(shop.row(id).value("LabelPrint"), labelPrintAfter);
        QCOMPARE(shop.row(id).value("LPrinted"), QVariant(kToday));
        QCOMPARE(shop.row(id).value("Print"), before.value("Print"));
    }

    // A one-time check printed and confirmed in this run still gets its label.
    void labelOfACheckPrintedInTheSameRun() {
        Shop shop;
        const qint64 id = shop.add({{"Print", "Once"}, {"LabelPrint", YesNo::True}, {"Check", 1049}});
        shop.env.prompter.answerQuestion(true);
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(true);
        QCOMPARE(shop.print(select(true, false, true)), QString());
        QCOMPARE(shop.env.printer.jobs().size(), 2);
        QVERIFY(!Printed::find(Printed::statements(*shop.env.printer.jobs()[1].page),
                               "Maple Street Bakery")
                     .isEmpty());
        const QVariantMap r = shop.row(id);
        QCOMPARE(r.value("Print"), QVariant("Never"));
        QCOMPARE(r.value("LabelPrint"), QVariant(0));
        QCOMPARE(r.value("LPrinted"), QVariant(kToday));
    }

    void labelsAnsweredNoStayUnmarked() {
        Shop shop;
        const qint64 id = shop.add({{"Print", "Once"}, {"LabelPrint", YesNo::True}});
        const QVariantMap before = shop.row(id);
        shop.env.prompter.answerInput(QStringLiteral("4"));
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print(select(false, false, true)), QString());
        QCOMPARE(shop.row(id), before);
    }

    void failedLabelJobMarksNothing() {
        Shop shop;
        const qint64 id = shop.add({{"Print", "Once"}, {"LabelPrint", YesNo::True}});
        const QVariantMap before = shop.row(id);
        FailingPrinter printer{FailingPage::At::End};
        shop.env.prompter.answerInput(QString());
        QCOMPARE(shop.print(select(false, false, true), &printer),
                 QStringLiteral("Printing the labels failed. The printer is out of paper. No label "
                                "was marked as printed; print them again once the printer is "
                                "ready."));
        QCOMPARE(describe(shop.env.prompter.take()), "input first label?");
        QCOMPARE(shop.row(id), before);
    }

    // The option boxes are stored for the next run, and read back as stored.
    void optionsAreStored_data() {
        QTest::addColumn<bool>("use88");
        QTest::addColumn<bool>("two");
        QTest::addColumn<bool>("plain");
        QTest::newRow("92 mm two a sheet") << false << true << false;
        QTest::newRow("88 mm plain paper") << true << false << true;
    }
    void optionsAreStored() {
        QFETCH(bool, use88);
        QFETCH(bool, two);
        QFETCH(bool, plain);
        TestEnv env;
        const QString settings = env.path(SettingsDb::kFileName);
        StockOptions options;
        options.use88mm = use88;
        options.twoPerPage = two;
        options.plainPaper = plain;
        PrintSettings::storeOptions(settings, options);
        const PrintSettings read = PrintSettings::read(settings);
        QCOMPARE(read.options.use88mm, use88);
        QCOMPARE(read.options.twoPerPage, two);
        QCOMPARE(read.options.plainPaper, plain);
        QCOMPARE(read.verticalStart, 200);
        QCOMPARE(read.horizontalStart, 525);
        RecordSet stored(Database::open(settings), SettingsDb::kSettingsTable);
        QCOMPARE(stored.value(SettingsDb::kPrint2Checks), QVariant(two ? -1 : 0));
    }
};

QTEST_MAIN(TestPrintRun)
#include "tst_printrun.moc"
