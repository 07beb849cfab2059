// The blank-check and deposit-ticket jobs on real check databases and a recording printer:
// what they ask, how checks fill the sheets, the numbers they print and record, and what
// they refuse. Nothing may be printed or written unless the whole job went through.
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/RecordingPage.h"
#include "core/platform/RecordingPrinter.h"
#include "core/print/BlankCheckJob.h"
#include "core/print/DepositTicketJob.h"
#include "core/print/Stock.h"
#include "core/settings/SettingsDb.h"
#include "support/CheckDbFixture.h"
#include "support/Drive.h"
#include "support/TestEnv.h"

#include <QTest>
#include <functional>

using Layout = BlankCheckJob::Layout;
using Result = BlankJob::Result;

namespace {

const QVariantMap kPayer = CheckDbFixture::with(CheckDbFixture::payer(), {{"Check", 1200}});

const QString kRegularPrompt = QStringLiteral(
    "Blank checks are printed from information on the first check in this database. Enter the "
    "number of checks to print:");
const QString kQuickenPrompt = QStringLiteral(
    "Quicken checks are printed from information on the first check in this database. Enter "
    "the number of checks to print:");
const QString kDepositPrompt = QStringLiteral(
    "Deposit slips are printed from information on the first check in this database. Enter the "
    "number of deposit slips to print:");
const QString kDraft = QStringLiteral("Sorry - this function only works with CHECK databases, "
                                      "the current database is a Draft database.");
const QString kEmptyTemplate = QStringLiteral(
    "You must fill in the fields of the first check before you can print checks. Ledgerline "
    "uses the first check in each Database for printing blank checks. ");
const QString k88mm = QStringLiteral(
    "To print Quicken(tm) checks you must set check length to 88mm. Select the 88mm check "
    "length check box at the bottom of this screen.");
const QString kTranNotice = QStringLiteral(
    "Some banks use different routing numbers or insert an additional number that is usually "
    "called TRAN CODE after the account number on deposit tickets. If your bank uses this code "
    "on deposit tickets, enter the tran code in Program Setup before printing deposit "
    "tickets.  \n\nTo get to Program Setup, from the data entry screen choose File - Program "
    "Setup from the menu. If the routing number is different for deposit tickets, you will "
    "need to create a new check database for deposit tickets. ");

// Layouts in the tables: the three blank checks, and 3 for deposit tickets.
constexpr int kDeposit = 3;

BlankPrintSettings options(bool use88mm = true, bool plainPaper = false, bool twoPerPage = false,
                           QVariant vertical = 200, QVariant horizontal = 525,
                           QString tranCode = {}) {
    StockOptions stock;
    stock.use88mm = use88mm;
    stock.plainPaper = plainPaper;
    stock.twoPerPage = twoPerPage;
    return {vertical, horizontal, tranCode, stock};
}

// A CHECK database with the payer's template, numbered 1200, the header at 1150.
QString shop(TestEnv& env, CheckDb::Kind kind = CheckDb::Kind::Check,
             const QVariantMap& templ = kPayer) {
    const QString file = CheckDbFixture::create(env, QStringLiteral("Shop"), kind);
    CheckDbFixture::setTemplate(env, file, templ);
    CheckDbFixture::setLastCheck(env, file, 1150);
    return file;
}

// Runs a layout (or deposit tickets) on the test's printer.
struct Run {
    TestEnv& env;

    Result operator()(int layout, const QString& file, const BlankPrintSettings& settings) {
        const QString path = env.path(file);
        if (layout == kDeposit)
            return DepositTicketJob(env.printer, env.prompter, env.clock, env.program)
                .run(path, settings);
        return BlankCheckJob(env.printer, env.prompter, env.clock, env.program)
            .run(Layout(layout), path, settings);
    }
    /// What the last job printed.
    const RecordingPage* page() const {
        return env.printer.jobs().isEmpty() ? nullptr : env.printer.jobs().last().page;
    }
};

// The checks of a job by sheet: each check's number at the y of its top (the check
// number's place), sheets apart by " / "; for deposit tickets only the tops.
QString sheets(const RecordingPage& page, int layout) {
    QStringList out;
    int sheet = 0;
    QStringList current;
    for (const RecordingPage::Text& t : page.texts()) {
        QString entry;
        if (layout == kDeposit && t.text == QLatin1String("DEPOSIT TICKET"))
            entry = QStringLiteral("@%1").arg(t.y - 1800);
        else if (layout != kDeposit && t.x == 10525 && t.font.bold && !t.font.italic)
            entry = t.text.trimmed() + QStringLiteral("@%1").arg(t.y);
        if (entry.isEmpty())
            continue;
        if (t.page != sheet) {
            out << current.join(QLatin1Char(' '));
            current.clear();
            sheet = t.page;
        }
        current << entry;
    }
    out << current.join(QLatin1Char(' '));
    return out.join(QStringLiteral(" / "));
}

QStringList micrNumbers(const RecordingPage& page) {
    QStringList out;
    for (const RecordingPage::Text& t : page.texts())
        if (t.font.face == PrintFaces::kMicr && t.x == 2055)
            out << t.text.trimmed();
    return out;
}

// A page that the printer refuses at one point of the job.
class RefusedPage : public RecordingPage {
public:
    enum class At { Sheet, End };
    explicit RefusedPage(At at) : m_at(at) {}

protected:
    void startNewPage() override {
        if (m_at == At::Sheet)
            refuse();
        RecordingPage::startNewPage();
    }
    void finishDocument() override {
        if (m_at == At::End)
            refuse();
        RecordingPage::finishDocument();
    }

private:
    [[noreturn]] static void refuse() {
        throw DbError(QStringLiteral("The printer \"Office\" did not accept the print job. "
                                     "Check that it is switched on and connected, then print "
                                     "again."));
    }
    At m_at;
};

// A printer that refuses its jobs at the start, on a new sheet or at their end.
class TestPrinter : public RecordingPrinter {
public:
    enum class Mode { Start, Sheet, End };
    explicit TestPrinter(Mode mode)
        : RecordingPrinter({PrintFaces::kTimes, PrintFaces::kMicr}), m_mode(mode) {}
    std::unique_ptr<PrintPage> startJob(const QString&) override {
        switch (m_mode) {
        case Mode::Start:
            throw DbError(QStringLiteral("The printer \"Office\" chosen in Printer Setup is no "
                                         "longer available. Choose another printer and print "
                                         "again."));
        case Mode::Sheet:
            return std::make_unique<RefusedPage>(RefusedPage::At::Sheet);
        case Mode::End:
            break;
        }
        return std::make_unique<RefusedPage>(RefusedPage::At::End);
    }

private:
    Mode m_mode;
};

} // namespace

class TestBlankJobs : public QObject {
    Q_OBJECT

private slots:
    // Pages per sheet by stock and options; a job that fills its last sheet feeds no blank
    // one.
    void checksFillTheSheets_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("use88mm");
        QTest::addColumn<bool>("twoPerPage");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("pages");
        const int regular = int(Layout::Regular);
        QTest::newRow("88 mm, seven") << regular << true << false << "7"
                                      << "1201@200 1202@5220 1203@10240 / 1204@200 1205@5220 "
                                         "1206@10240 / 1207@200"
                                      << 3;
        QTest::newRow("88 mm ignores two per page")
            << regular << true << true << "4"
            << "1201@200 1202@5220 1203@10240 / 1204@200" << 2;
        QTest::newRow("92 mm, four") << regular << false << false << "4"
                                     << "1201@200 1202@5470 1203@10740 / 1204@200" << 2;
        QTest::newRow("92 mm two per page, seven")
            << regular << false << true << "7"
            << "1201@200 1202@5470 / 1203@200 1204@5470 / 1205@200 1206@5470 / 1207@200" << 4;
        QTest::newRow("six fill two sheets: no blank third")
            << regular << true << false << "6"
            << "1201@200 1202@5220 1203@10240 / 1204@200 1205@5220 1206@10240" << 2;
        QTest::newRow("Quicken, four, two per page not read")
            << int(Layout::Quicken3Up) << true << true << "4"
            << "1201@200 1202@5220 1203@10240 / 1204@200" << 2;
        QTest::newRow("voucher, three: one to a sheet")
            << int(Layout::Voucher) << true << false << "3"
            << "1201@200 / 1202@200 / 1203@200" << 3;
        QTest::newRow("deposit tickets, 92 mm, four") << kDeposit << false << false << "4"
                                                      << "@200 @5470 @10740 / @200" << 2;
        QTest::newRow("deposit tickets ignore two per page") << kDeposit << true << true << "4"
                                                             << "@200 @5220 @10240 / @200" << 2;
    }
    void checksFillTheSheets() {
        QFETCH(int, layout);
        QFETCH(bool, use88mm);
        QFETCH(bool, twoPerPage);
        QFETCH(QString, count);
        QFETCH(QString, expected);
        QFETCH(int, pages);
        TestEnv env;
        const QString file = shop(env);
        env.prompter.answerInput(count);
        Run run{env};
        QCOMPARE(run(layout, file, options(use88mm, false, twoPerPage)), Result::Printed);
        const RecordingPage* page = run.page();
        QVERIFY(page && page->ended());
        QCOMPARE(sheets(*page, layout), expected);
        QCOMPARE(page->pages(), pages);
    }

    // Plain paper: marks at the left and right of the sheet below the checks that have a
    // cut below them.
    void cutMarks_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("use88mm");
        QTest::addColumn<bool>("twoPerPage");
        QTest::addColumn<bool>("plainPaper");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("expected"); // sheet:y of each pair of marks
        QTest::addColumn<int>("right");
        const int regular = int(Layout::Regular);
        QTest::newRow("88 mm: below every check") << regular << true << false << true << "3"
                                                  << "0:4655 0:9675 0:14695" << 10500;
        QTest::newRow("92 mm: not below the third") << regular << false << false << true << "4"
                                                    << "0:4870 0:10140 1:4870" << 10500;
        QTest::newRow("92 mm two per page: below both") << regular << false << true << true << "3"
                                                        << "0:4870 0:10140 1:4870" << 10500;
        QTest::newRow("check stock: none") << regular << true << false << false << "3"
                                           << "" << 10500;
        QTest::newRow("Quicken: below every check")
            << int(Layout::Quicken3Up) << true << false << true << "3"
            << "0:4655 0:9675 0:14695" << 10500;
        QTest::newRow("voucher: below the check, not the stubs")
            << int(Layout::Voucher) << true << false << true << "2"
            << "0:4655 1:4655" << 10500;
        QTest::newRow("deposit tickets, 88 mm: below every ticket")
            << kDeposit << true << false << true << "3"
            << "0:4655 0:9675 0:14695" << 12000;
        QTest::newRow("deposit tickets, 92 mm: not below the third")
            << kDeposit << false << false << true << "3"
            << "0:4870 0:10140" << 12000;
    }
    void cutMarks() {
        QFETCH(int, layout);
        QFETCH(bool, use88mm);
        QFETCH(bool, twoPerPage);
        QFETCH(bool, plainPaper);
        QFETCH(QString, count);
        QFETCH(QString, expected);
        QFETCH(int, right);
        TestEnv env;
        const QString file = shop(env);
        env.prompter.answerInput(count);
        Run run{env};
        QCOMPARE(run(layout, file, options(use88mm, plainPaper, twoPerPage)), Result::Printed);
        QStringList left;
        QStringList rightMarks;
        for (const RecordingPage::Text& t : run.page()->texts()) {
            if (t.text != QLatin1String("-"))
                continue;
            QCOMPARE(t.font.size, 10.0);
            (t.x == 0 ? left : rightMarks) << QStringLiteral("%1:%2").arg(t.page).arg(t.y);
            QVERIFY(t.x == 0 || t.x == right);
        }
        QCOMPARE(left.join(QLatin1Char(' ')), expected);
        QCOMPARE(rightMarks, left);
    }

    // The numbers continue the database's numbering; both fields hold the last one after.
    void numbering_data() {
        QTest::addColumn<QVariant>("templateCheck");
        QTest::addColumn<QVariant>("lastCheck");
        QTest::addColumn<QVariantList>("checks"); // numbers of the records after the template
        QTest::addColumn<QString>("count");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<qlonglong>("after");
        QTest::newRow("template ahead of the header")
            << QVariant(1200) << QVariant(1150) << QVariantList{} << "3"
            << QStringList{"1201", "1202", "1203"} << 1203LL;
        QTest::newRow("header ahead of the template")
            << QVariant(1200) << QVariant(1300) << QVariantList{} << "2"
            << QStringList{"1301", "1302"} << 1302LL;
        QTest::newRow("the header's number rules over a later record")
            << QVariant(1200) << QVariant(1150) << QVariantList{5000} << "1" << QStringList{"1201"}
            << 1201LL;
        QTest::newRow("header past the wrap: 102")
            << QVariant(500) << QVariant(999950) << QVariantList{} << "2"
            << QStringList{"102", "103"} << 103LL;
        QTest::newRow("template past the wrap: 102")
            << QVariant(999901) << QVariant(1150) << QVariantList{} << "1" << QStringList{"102"}
            << 102LL;
        QTest::newRow("at the wrap: not yet")
            << QVariant(999900) << QVariant(999899) << QVariantList{} << "1"
            << QStringList{"999901"} << 999901LL;
        QTest::newRow("a run keeps counting past the wrap")
            << QVariant(999898) << QVariant(999898) << QVariantList{} << "4"
            << QStringList{"999899", "999900", "999901", "999902"} << 999902LL;
        QTest::newRow("the next run starts again")
            << QVariant(999902) << QVariant(999902) << QVariantList{} << "1" << QStringList{"102"}
            << 102LL;
        QVariantList older;
        for (int n = 1001; n <= 1050; ++n)
            older << n;
        QTest::newRow("older database without a header number: after its checks")
            << QVariant() << QVariant() << older << "2" << QStringList{"1051", "1052"} << 1052LL;
        QTest::newRow("no header number, template ahead")
            << QVariant(2000) << QVariant() << QVariantList{1050} << "1" << QStringList{"2001"}
            << 2001LL;
        QTest::newRow("nothing numbered yet")
            << QVariant() << QVariant() << QVariantList{} << "2" << QStringList{"1", "2"} << 2LL;
        QTest::newRow("no header number, a record past the wrap")
            << QVariant() << QVariant() << QVariantList{999950} << "1" << QStringList{"102"}
            << 102LL;
        // A negative number (typed, or from an import) is never continued below 1.
        QTest::newRow("a negative template number, no header number")
            << QVariant(-5) << QVariant() << QVariantList{} << "2" << QStringList{"1", "2"} << 2LL;
        QTest::newRow("a negative template number under the header's")
            << QVariant(-5) << QVariant(1150) << QVariantList{} << "1" << QStringList{"1151"}
            << 1151LL;
    }
    void numbering() {
        QFETCH(QVariant, templateCheck);
        QFETCH(QVariant, lastCheck);
        QFETCH(QVariantList, checks);
        QFETCH(QString, count);
        QFETCH(QStringList, printed);
        QFETCH(qlonglong, after);
        TestEnv env;
        const QString file = shop(env);
        CheckDbFixture::setTemplate(env, file, {{"Check", templateCheck}});
        CheckDbFixture::setLastCheck(env, file, lastCheck);
        for (const QVariant& n : checks)
            CheckDbFixture::addCheck(env, file, {{"Check", n}});
        env.prompter.answerInput(count);
        Run run{env};
        QCOMPARE(run(int(Layout::Regular), file, options()), Result::Printed);
        QCOMPARE(micrNumbers(*run.page()), printed);
        QCOMPARE(CheckDbFixture::row(env, file, 1).value("Check").toLongLong(), after);
        QCOMPARE(CheckDbFixture::lastCheck(env, file).toLongLong(), after);
        const QString comments = CheckDbFixture::row(env, file, 1).value("Comments").toString();
        QCOMPARE(comments, QStringLiteral("Printed blank checks from check #%1 to #%2 on "
                                          "12/7/2026  \r\n")
                               .arg(printed.first(), printed.last()));
        // The records after the template keep their numbers.
        for (int i = 0; i < checks.size(); ++i)
            QCOMPARE(CheckDbFixture::row(env, file, 2 + i).value("Check"), checks[i]);
    }

    // What a run asks, and the line it puts at the top of the template's comments.
    void runLines_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QVariant>("oldComments");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("comments");
        QTest::newRow("regular, no comments yet")
            << int(Layout::Regular) << QVariant() << kRegularPrompt
            << "Printed blank checks from check #1201 to #1202 on 12/7/2026  \r\n";
        QTest::newRow("Quicken 3-up, comments kept below")
            << int(Layout::Quicken3Up) << QVariant("Opened in March") << kQuickenPrompt
            << "Printed Quicken 3up checks from check #1201 to #1202 on 12/7/2026  \r\nOpened "
               "in March";
        QTest::newRow("voucher, earlier run lines kept below")
            << int(Layout::Voucher)
            << QVariant("Printed blank checks from check #1101 to #1150 on 11/2/2026  \r\nNew")
            << kQuickenPrompt
            << "Printed Quicken voucher checks from check #1201 to #1202 on 12/7/2026  \r\n"
               "Printed blank checks from check #1101 to #1150 on 11/2/2026  \r\nNew";
    }
    void runLines() {
        QFETCH(int, layout);
        QFETCH(QVariant, oldComments);
        QFETCH(QString, prompt);
        QFETCH(QString, comments);
        TestEnv env;
        const QString file = shop(env);
        CheckDbFixture::setTemplate(env, file, {{"Comments", oldComments}});
        env.prompter.answerInput(QStringLiteral("2"));
        Run run{env};
        QCOMPARE(run(layout, file, options()), Result::Printed);
        const QList<Prompt> prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 2);
        QCOMPARE(prompts[0].text, PrintFaces::kLoadStock);
        QCOMPARE(prompts[0].title, QStringLiteral(" "));
        QCOMPARE(prompts[1].kind, Prompt::Kind::Input);
        QCOMPARE(prompts[1].text, prompt);
        QCOMPARE(prompts[1].title, QStringLiteral("Ledgerline"));
        QCOMPARE(CheckDbFixture::row(env, file, 1).value("Comments").toString(), comments);
        QCOMPARE(CheckDbFixture::lastCheck(env, file).toLongLong(), 1202LL);
    }

    // Refusals come before the count is asked; nothing is printed or written.
    void refusals_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariantMap>("templ");
        QTest::addColumn<bool>("use88mm");
        QTest::addColumn<QVariant>("vertical");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const int regular = int(Layout::Regular);
        const int check = int(CheckDb::Kind::Check);
        const int draft = int(CheckDb::Kind::Draft);
        const QVariantMap lastNameOnly{{"LastName", "Reyes"}, {"PayTo", "Someone"}};
        QTest::newRow("empty template") << regular << check << QVariantMap{} << true
                                        << QVariant(200) << "NOTE:" << kEmptyTemplate;
        QTest::newRow("neither business nor first name")
            << int(Layout::Voucher) << check << lastNameOnly << true << QVariant(200)
            << "NOTE:" << kEmptyTemplate;
        QTest::newRow("empty template in a draft database")
            << regular << draft << QVariantMap{} << true << QVariant(200)
            << "NOTE:" << kEmptyTemplate;
        QTest::newRow("draft database")
            << regular << draft << kPayer << true << QVariant(200) << "Ledgerline" << kDraft;
        QTest::newRow("draft database, Quicken on 92 mm: only the draft message")
            << int(Layout::Quicken3Up) << draft << kPayer << false << QVariant(200) << "Ledgerline"
            << kDraft;
        QTest::newRow("Quicken on 92 mm") << int(Layout::Quicken3Up) << check << kPayer << false
                                          << QVariant(200) << "Ledgerline" << k88mm;
        QTest::newRow("voucher on 92 mm") << int(Layout::Voucher) << check << kPayer << false
                                          << QVariant(200) << "Ledgerline" << k88mm;
        QTest::newRow("deposit tickets in a draft database")
            << kDeposit << draft << kPayer << true << QVariant(200) << "Ledgerline" << kDraft;
        QTest::newRow("third check's MICR line off the sheet")
            << regular << check << kPayer << false << QVariant(792) << "Ledgerline"
            << "Blank checks were not printed. The vertical starting position 792 would put "
               "blank checks below the bottom of the sheet. Set it to a number from 0 to 791. "
               "Choose Align Printer on the printer control screen to correct this.";
        QTest::newRow("second voucher stub off the sheet")
            << int(Layout::Voucher) << check << kPayer << true << QVariant(5561) << "Ledgerline"
            << "Voucher checks were not printed. The vertical starting position 5561 would put "
               "voucher checks below the bottom of the sheet. Set it to a number from 0 to 5560. "
               "Choose Align Printer on the printer control screen to correct this.";
    }
    void refusals() {
        QFETCH(int, layout);
        QFETCH(int, kind);
        QFETCH(QVariantMap, templ);
        QFETCH(bool, use88mm);
        QFETCH(QVariant, vertical);
        QFETCH(QString, title);
        QFETCH(QString, text);
        TestEnv env;
        const QString file = shop(env, CheckDb::Kind(kind), templ);
        if (layout == kDeposit)
            env.prompter.answerInput(QStringLiteral("1")); // never asked
        const QByteArray before = Drive::digest(env.path(file));
        Run run{env};
        QCOMPARE(run(layout, file, options(use88mm, false, false, vertical)), Result::Stopped);
        const QList<Prompt> prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 2);
        QCOMPARE(prompts[0].text, PrintFaces::kLoadStock);
        QCOMPARE(prompts[1].kind, Prompt::Kind::Message);
        QCOMPARE(prompts[1].title, title);
        QCOMPARE(prompts[1].text, text);
        QVERIFY(env.printer.jobs().isEmpty());
        QCOMPARE(Drive::digest(env.path(file)), before);
        env.prompter.clear();
    }

    // The template's MICR line (and the tran code after it on deposit tickets) must hold only
    // what a bank reads; otherwise nothing prints and no number is used.
    void micrLinesABankCannotRead_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QVariantMap>("changes");
        QTest::addColumn<QString>("tranCode");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("afterwards");
        const QString checks = QStringLiteral(
            "Nothing was printed and no check number was used. Correct the first check of this "
            "database on the data-entry screen and print again.");
        const QString tickets = QStringLiteral(
            "Nothing was printed. Correct the first check of this database on the data-entry "
            "screen, or the tran code in File - Program Setup, and print again.");
        QTest::newRow("letters in the account")
            << int(Layout::Regular) << QVariantMap{{"Account", "1234-5678 x"}} << ""
            << "The first check: the account number \"1234-5678 x\" (digits, blanks, D and - "
               "only)"
            << checks;
        QTest::newRow("routing and account, voucher")
            << int(Layout::Voucher) << QVariantMap{{"ABA", "O41000124"}, {"Account", "12_34"}} << ""
            << "The first check: the routing number \"O41000124\" (digits only)\nThe first "
               "check: the account number \"12_34\" (digits, blanks, D and - only)"
            << checks;
        QTest::newRow("tran code with letters")
            << kDeposit << QVariantMap{} << "XYZ-12"
            << "Program Setup: the tran code \"XYZ-12\" (digits, blanks, D and - only)" << tickets;
    }
    void micrLinesABankCannotRead() {
        QFETCH(int, layout);
        QFETCH(QVariantMap, changes);
        QFETCH(QString, tranCode);
        QFETCH(QString, refused);
        QFETCH(QString, afterwards);
        TestEnv env;
        const QString file = shop(env, CheckDb::Kind::Check, CheckDbFixture::with(kPayer, changes));
        const QByteArray before = Drive::digest(env.path(file));
        Run run{env};
        QCOMPARE(run(layout, file, options(true, false, false, 200, 525, tranCode)),
                 Result::Stopped);
        QCOMPARE(env.prompter.takeTexts().constLast(),
                 QStringLiteral("The MICR line at the bottom of a check may hold only what a "
                                "bank's reader can read. These values would print something "
                                "else:\n\n%1\n\n%2")
                     .arg(refused, afterwards));
        QVERIFY(env.printer.jobs().isEmpty());
        QCOMPARE(Drive::digest(env.path(file)), before);
    }

    // The lowest vertical start that keeps every check on the sheet depends on the stock and
    // the checks to a sheet.
    void verticalStartByStock_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("use88mm");
        QTest::addColumn<bool>("twoPerPage");
        QTest::addColumn<bool>("plainPaper");
        QTest::addColumn<int>("vertical");
        QTest::addColumn<bool>("prints");
        const int regular = int(Layout::Regular);
        QTest::newRow("92 mm, three: 791") << regular << false << false << false << 791 << true;
        QTest::newRow("92 mm, two per page: 792")
            << regular << false << true << false << 792 << true;
        QTest::newRow("88 mm: 1506") << regular << true << false << false << 1506 << false;
        QTest::newRow("88 mm plain paper, the third check's cut marks: 1146")
            << regular << true << false << true << 1146 << false;
        QTest::newRow("92 mm plain paper, no cut marks below the third: 791")
            << regular << false << false << true << 791 << true;
        QTest::newRow("Quicken: 1506")
            << int(Layout::Quicken3Up) << true << false << false << 1506 << false;
        QTest::newRow("voucher: 5560")
            << int(Layout::Voucher) << true << false << false << 5560 << true;
        QTest::newRow("deposit tickets, 92 mm: 792")
            << kDeposit << false << false << false << 792 << false;
    }
    void verticalStartByStock() {
        QFETCH(int, layout);
        QFETCH(bool, use88mm);
        QFETCH(bool, twoPerPage);
        QFETCH(bool, plainPaper);
        QFETCH(int, vertical);
        QFETCH(bool, prints);
        TestEnv env;
        const QString file = shop(env);
        if (prints)
            env.prompter.answerInput(QStringLiteral("1"));
        Run run{env};
        QCOMPARE(run(layout, file, options(use88mm, plainPaper, twoPerPage, vertical)),
                 prints ? Result::Printed : Result::Stopped);
    }

    // Blank checks raise a horizontal start below 300 to 300; deposit tickets take it as
    // stored.
    void horizontalStart_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("x");
        QTest::newRow("regular, 525") << int(Layout::Regular) << 525 << "PAY" << 525.0;
        QTest::newRow("regular, 100 raised") << int(Layout::Regular) << 100 << "PAY" << 300.0;
        QTest::newRow("regular, negative raised") << int(Layout::Regular) << -40 << "PAY" << 300.0;
        QTest::newRow("Quicken, 100: captions at the sheet's edge")
            << int(Layout::Quicken3Up) << 100 << "PAY" << 0.0;
        QTest::newRow("deposit tickets, 100 as stored")
            << kDeposit << 100 << "DEPOSIT TICKET" << 100.0;
    }
    void horizontalStart() {
        QFETCH(int, layout);
        QFETCH(int, horizontal);
        QFETCH(QString, caption);
        QFETCH(double, x);
        TestEnv env;
        const QString file = shop(env);
        env.prompter.answerInput(QStringLiteral("1"));
        Run run{env};
        QCOMPARE(run(layout, file, options(true, false, false, 200, horizontal)), Result::Printed);
        QList<double> found;
        for (const RecordingPage::Text& t : run.page()->texts())
            if (t.text == caption)
                found << t.x;
        QCOMPARE(found, QList<double>{x});
    }

    // An answer that is no count, and No to the question about a large one, print nothing
    // and use no numbers.
    void countThatPrintsNothing_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer"); // to the question about a large count; -1 none
        QTest::newRow("0") << int(Layout::Regular) << "0" << -1;
        QTest::newRow("-3") << int(Layout::Regular) << "-3" << -1;
        QTest::newRow("Cancel") << int(Layout::Regular) << "" << -1;
        QTest::newRow("abc") << int(Layout::Quicken3Up) << "abc" << -1;
        QTest::newRow("2.5") << int(Layout::Voucher) << "2.5" << -1;
        QTest::newRow("6000, No") << int(Layout::Regular) << "6000" << 0;
        QTest::newRow("deposit tickets, 0") << kDeposit << "0" << -1;
        QTest::newRow("deposit tickets, 6000, No") << kDeposit << "6,000" << 0;
    }
    void countThatPrintsNothing() {
        QFETCH(int, layout);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        TestEnv env;
        const QString file = shop(env);
        env.prompter.answerInput(typed);
        if (answer >= 0)
            env.prompter.answerQuestion(answer == 1);
        const QByteArray before = Drive::digest(env.path(file));
        Run run{env};
        QCOMPARE(run(layout, file, options()), Result::Stopped);
        QVERIFY(env.printer.jobs().isEmpty());
        QCOMPARE(Drive::digest(env.path(file)), before);
        QCOMPARE(CheckDbFixture::lastCheck(env, file).toLongLong(), 1150LL);
    }

    // What the count box refuses is told in the words of the layout.
    void countMessagesNameTheLayout_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("says");
        QTest::newRow("regular") << int(Layout::Regular) << "abc"
                                 << "\"abc\" is not a number of blank checks. Type the number "
                                    "as a whole number in digits, such as 25. Nothing was printed.";
        QTest::newRow("Quicken") << int(Layout::Quicken3Up) << "0"
                                 << "0 Quicken checks means nothing to print. Type a number from "
                                    "1 up, such as 25. Nothing was printed.";
        QTest::newRow("voucher") << int(Layout::Voucher) << "100000"
                                 << "At most 99,999 voucher checks are printed at a time; print "
                                    "more in several runs. Nothing was printed.";
        QTest::newRow("deposit tickets") << kDeposit << "2.5"
                                         << "\"2.5\" is not a number of deposit tickets. Type "
                                            "the number as a whole number in digits, such as 25. "
                                            "Nothing was printed.";
    }
    void countMessagesNameTheLayout() {
        QFETCH(int, layout);
        QFETCH(QString, typed);
        QFETCH(QString, says);
        TestEnv env;
        const QString file = shop(env);
        env.prompter.answerInput(typed);
        Run run{env};
        QCOMPARE(run(layout, file, options()), Result::Stopped);
        QCOMPARE(env.prompter.take().last().text, says);
    }

    // Deposit tickets take the horizontal start as stored: one left of the sheet's edge is
    // refused rather than printed off the paper or quietly moved.
    void depositTicketsLeftOfTheSheetAreRefused() {
        TestEnv env;
        const QString file = shop(env);
        env.prompter.answerInput(QStringLiteral("1")); // never asked
        const QByteArray before = Drive::digest(env.path(file));
        Run run{env};
        QCOMPARE(run(kDeposit, file, options(true, false, false, 200, -200)), Result::Stopped);
        QCOMPARE(env.prompter.take().last().text,
                 QStringLiteral("Deposit tickets were not printed. The horizontal starting "
                                "position -200 would put deposit tickets past the left edge of "
                                "the sheet. Set it to a number from 0 to 3585. Choose Align "
                                "Printer on the printer control screen to correct this."));
        QVERIFY(env.printer.jobs().isEmpty());
        QCOMPARE(Drive::digest(env.path(file)), before);
        env.prompter.clear();
    }

    // A job the printer refuses says so and gives its numbers back: the next run prints
    // them. Numbers that cannot be given back stay used, and the message says so.
    void refusedJobUsesNoNumbers_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("keepBack");
        QTest::addColumn<QString>("message");
        const QString again = QStringLiteral(" No check numbers were used: the next blank "
                                             "checks start again at #1201.");
        QTest::newRow("printer gone")
            << int(TestPrinter::Mode::Start) << false
            << "The printer \"Office\" chosen in Printer Setup is no longer available. Choose "
               "another printer and print again." +
                   again;
        QTest::newRow("second sheet refused")
            << int(TestPrinter::Mode::Sheet) << false
            << "The printer \"Office\" did not accept the print job. Check that it is switched "
               "on and connected, then print again." +
                   again;
        QTest::newRow("end of the job refused")
            << int(TestPrinter::Mode::End) << false
            << "The printer \"Office\" did not accept the print job. Check that it is switched "
               "on and connected, then print again." +
                   again;
        QTest::newRow("refused, and the numbers cannot go back")
            << int(TestPrinter::Mode::End) << true
            << "The printer \"Office\" did not accept the print job. Check that it is switched "
               "on and connected, then print again. The check numbers #1201 to #1204 could not "
               "be given back (The disk is full, so Ledgerline cannot save changes to "
               "Shop.mdb.), so they stay used: the next blank checks start at #1205.";
    }
    void refusedJobUsesNoNumbers() {
        QFETCH(int, mode);
        QFETCH(bool, keepBack);
        QFETCH(QString, message);
        TestEnv env;
        const QString file = shop(env);
        const QVariantMap before = CheckDbFixture::row(env, file, 1);
        if (keepBack)
            Database::open(env.path(file))
                ->exec(QStringLiteral("CREATE TRIGGER keep BEFORE UPDATE OF \"Check\" ON Account "
                                      "WHEN NEW.\"Check\" < OLD.\"Check\" BEGIN SELECT "
                                      "RAISE(ABORT, 'database or disk is full'); END"));
        TestPrinter printer{TestPrinter::Mode(mode)};
        BlankCheckJob job(printer, env.prompter, env.clock, env.program);
        env.prompter.answerInput(QStringLiteral("4"));
        try {
            job.run(Layout::Regular, env.path(file), options());
            QFAIL("the job did not report the refusal");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), message);
        }
        if (keepBack) {
            QCOMPARE(CheckDbFixture::lastCheck(env, file), QVariant(1204));
            return;
        }
        QCOMPARE(CheckDbFixture::row(env, file, 1), before);
        QCOMPARE(CheckDbFixture::lastCheck(env, file), QVariant(1150));

        env.prompter.answerInput(QStringLiteral("1"));
        Run run{env};
        QCOMPARE(run(int(Layout::Regular), file, options()), Result::Printed);
        QCOMPARE(micrNumbers(*run.page()), QStringList{"1201"});
    }

    // The numbers are stored before the job is sent: a crash while it is on its way leaves
    // a gap in the numbering, never a number printed twice.
    void numbersAreReservedBeforeTheJobIsSent() {
        TestEnv env;
        const QString file = shop(env);
        struct Watching : RecordingPrinter {
            std::function<void()> onStart;
            std::unique_ptr<PrintPage> startJob(const QString& contents) override {
                onStart();
                return RecordingPrinter::startJob(contents);
            }
        } printer;
        printer.setFonts({PrintFaces::kTimes, PrintFaces::kMicr});
        QVariant lastWhenSent;
        QString commentsWhenSent;
        printer.onStart = [&] {
            lastWhenSent = CheckDbFixture::lastCheck(env, file);
            commentsWhenSent = CheckDbFixture::row(env, file, 1).value("Comments").toString();
        };
        env.prompter.answerInput(QStringLiteral("2"));
        QCOMPARE(BlankCheckJob(printer, env.prompter, env.clock, env.program)
                     .run(Layout::Regular, env.path(file), options()),
                 Result::Printed);
        QCOMPARE(lastWhenSent, QVariant(1202));
        QCOMPARE(
            commentsWhenSent,
            QStringLiteral("Printed blank checks from check #1201 to #1202 on 12/7/2026  \r\n"));
    }

    // A database that could not record the numbers is refused before anything is asked.
    void damagedDatabasePrintsNothing() {
        TestEnv env;
        const QString file = shop(env);
        Database::open(env.path(file))->exec(QStringLiteral("DELETE FROM Properties"));
        try {
            Run{env}(int(Layout::Regular), file, options());
            QFAIL("the job did not refuse the damaged database");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), QStringLiteral("Shop.mdb is damaged: it has no database "
                                                 "header. The file has not been changed."));
        }
        QVERIFY(env.prompter.take().isEmpty());
        QVERIFY(env.printer.jobs().isEmpty());
    }

    // Numbers that cannot be recorded first print nothing; they are recorded all together
    // or not at all.
    void numbersThatCannotBeRecorded() {
        TestEnv env;
        const QString file = shop(env);
        CheckDbFixture::setTemplate(env, file, {{"Comments", "Opened in March"}});
        Database::open(env.path(file))
            ->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Properties BEGIN "
                                  "SELECT RAISE(ABORT, 'the disk is full'); END"));
        env.prompter.answerInput(QStringLiteral("3"));
        Run run{env};
        try {
            run(int(Layout::Regular), file, options());
            QFAIL("the job did not report the failed write");
        } catch (const DbError& e) {
            QCOMPARE(e.message(),
                     QStringLiteral("The blank checks were not printed: their numbers #1201 to "
                                    "#1203 could not be recorded in the database first. The disk "
                                    "is full, so Ledgerline cannot save changes to Shop.mdb."));
        }
        QVERIFY(env.printer.jobs().isEmpty());
        const QVariantMap templ = CheckDbFixture::row(env, file, 1);
        QCOMPARE(templ.value("Check").toLongLong(), 1200LL);
        QCOMPARE(templ.value("Comments").toString(), QStringLiteral("Opened in March"));
        QCOMPARE(CheckDbFixture::lastCheck(env, file).toLongLong(), 1150LL);
    }

    // Without the MICR font the program ends after the warning, before the count is asked.
    void missingMicrFontEndsTheProgram_data() {
        QTest::addColumn<int>("layout");
        QTest::newRow("regular") << int(Layout::Regular);
        QTest::newRow("Quicken") << int(Layout::Quicken3Up);
        QTest::newRow("voucher") << int(Layout::Voucher);
        QTest::newRow("deposit tickets") << kDeposit;
    }
    void missingMicrFontEndsTheProgram() {
        QFETCH(int, layout);
        TestEnv env;
        const QString file = shop(env);
        env.printer.setFonts({PrintFaces::kTimes, QStringLiteral("micr65")});
        const QByteArray before = Drive::digest(env.path(file));
        Run run{env};
        QCOMPARE(run(layout, file, options()), Result::ProgramEnded);
        QVERIFY(env.program.ended());
        const QList<Prompt> prompts = env.prompter.take();
        const Prompt& last = prompts.last();
        QCOMPARE(last.text, PrintFaces::kMicrMissing);
        QCOMPARE(last.title, QStringLiteral("WARNING"));
        QCOMPARE(last.kind, Prompt::Kind::Message);
        QVERIFY(env.printer.jobs().isEmpty());
        QCOMPARE(Drive::digest(env.path(file)), before);
    }

    void withoutTimesNewRomanTheBodyIsHelv() {
        TestEnv env;
        const QString file = shop(env);
        env.printer.setFonts({QStringLiteral("Arial"), PrintFaces::kMicr});
        env.prompter.answerInput(QStringLiteral("1"));
        Run run{env};
        QCOMPARE(run(int(Layout::Regular), file, options()), Result::Printed);
        QStringList faces;
        for (const RecordingPage::Text& t : run.page()->texts())
            if (!faces.contains(t.font.face))
                faces << t.font.face;
        faces.sort();
        QCOMPARE(faces, (QStringList{"Helv", "MICR65"}));
    }

    // Deposit tickets: the tran-code notice before anything else is asked; nothing written.
    void depositTicketsAskAndWriteNothing() {
        TestEnv env;
        const QString file = shop(env);
        const QByteArray before = Drive::digest(env.path(file));
        env.prompter.answerInput(QStringLiteral("2"));
        Run run{env};
        QCOMPARE(run(kDeposit, file, options()), Result::Printed);
        const QList<Prompt> prompts = env.prompter.take();
        QCOMPARE(prompts.size(), 3);
        QCOMPARE(prompts[0].text, PrintFaces::kLoadStock);
        QCOMPARE(prompts[1].text, kTranNotice);
        QCOMPARE(prompts[1].title, QStringLiteral("Ledgerline"));
        QCOMPARE(prompts[2].kind, Prompt::Kind::Input);
        QCOMPARE(prompts[2].text, kDepositPrompt);
        QCOMPARE(Drive::digest(env.path(file)), before);
        QCOMPARE(env.printer.jobs().size(), 1);
        QCOMPARE(env.printer.jobs().first().contents, QStringLiteral("deposit tickets"));
    }

    void depositTranCode_data() {
        QTest::addColumn<QString>("tranCode");
        QTest::addColumn<QString>("account");
        QTest::newRow("tran code") << "0123"
                                   << "1234D567C   0123   ";
        QTest::newRow("none") << ""
                              << "1234D567C      ";
    }
    void depositTranCode() {
        QFETCH(QString, tranCode);
        QFETCH(QString, account);
        TestEnv env;
        const QString file = shop(env);
        env.prompter.answerInput(QStringLiteral("1"));
        Run run{env};
        QCOMPARE(run(kDeposit, file, options(true, false, false, 200, 525, tranCode)),
                 Result::Printed);
        QStringList micr;
        for (const RecordingPage::Text& t : run.page()->texts())
            if (t.font.face == PrintFaces::kMicr)
                micr << t.text;
        QCOMPARE(micr, (QStringList{"A041000124A ", account}));
    }

    // A template without names prints tickets with an empty depositor block.
    void depositTicketsFromAnEmptyTemplate() {
        TestEnv env;
        const QString file = shop(env, CheckDb::Kind::Check, {});
        env.prompter.answerInput(QStringLiteral("1"));
        Run run{env};
        QCOMPARE(run(kDeposit, file, options()), Result::Printed);
        QStringList texts;
        for (const RecordingPage::Text& t : run.page()->texts())
            if (!t.text.isEmpty() && t.font.size != 10)
                texts << t.text;
        QCOMPARE(texts, (QStringList{"DEPOSIT TICKET", "Date: _______________"}));
    }

    void settingsAsShipped() {
        TestEnv env;
        const BlankPrintSettings read = BlankPrintSettings::read(env.path(SettingsDb::kFileName));
        QCOMPARE(read.verticalStart.toInt(), 200);
        QCOMPARE(read.horizontalStart.toInt(), 525);
        QCOMPARE(read.tranCode, QString());
        QVERIFY(read.options.use88mm);
        QVERIFY(!read.options.plainPaper);
        QVERIFY(!read.options.twoPerPage);
    }
};

QTEST_MAIN(TestBlankJobs)
#include "tst_blankjobs.moc"
