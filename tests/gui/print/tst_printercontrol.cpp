// The printer control and alignment screens, driven through their real widgets on real
// check databases and the settings file: the counts, the boxes, the ways out, the print
// run and its preview, the calibration sheet, the alignment and its refusals.
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/settings/SettingsDb.h"
#include "gui/print/AlignPrinter.h"
#include "gui/print/PrinterControl.h"
#include "support/Drive.h"
#include "support/PrintShop.h"
#include "support/Printed.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace Drive;

namespace {

const QString kNote = QStringLiteral(
    "When printing on paper instead of check stock you should use paper that has a light "
    "pattern on both sides of it. The checks must also be cut out of the paper so that the "
    "bottom of the check is completely straight. Be sure to cut checks where the dashes ( - ) "
    "are placed.");

QWidget* openControl(PrintShop& shop) {
    shop.env.program.setCurrentDatabase(shop.file);
    shop.env.context.openPrinterControl();
    return TestEnv::screen(QStringLiteral("PrinterControl"));
}

void tick(QWidget* screen, const QString& box) {
    auto* b = screen->findChild<QCheckBox*>(box);
    QVERIFY2(b, qPrintable(box));
    QTest::mouseClick(b, Qt::LeftButton);
}

bool ticked(QWidget* screen, const QString& box) {
    return screen->findChild<QCheckBox*>(box)->isChecked();
}

QVariant setting(TestEnv& env, const QString& field) {
    return RecordSet(Database::open(env.path(SettingsDb::kFileName)), SettingsDb::kSettingsTable)
        .value(field);
}

void setSetting(TestEnv& env, const QString& field, const QVariant& value) {
    RecordSet settings(Database::open(env.path(SettingsDb::kFileName)), SettingsDb::kSettingsTable);
    settings.edit();
    settings.setValue(field, value);
    settings.update();
}

QString countsShown(QWidget* screen) {
    QStringList shown;
    for (const char* name : {"OTNumber", "MNumber", "OLNumber", "MLNumber"})
        shown << box(screen, QString::fromLatin1(name))->text();
    return shown.join(QLatin1Char(' '));
}

// Checks from words: "Once+L" prints one time with a label wanted, "Monthly" every time
// without; "null" has no Print value, "+N" a label flag that was never set.
void addRows(PrintShop& shop, const QString& rows) {
    for (const QString& word : rows.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString print = word;
        QVariant label = YesNo::False;
        if (word.endsWith(QLatin1String("+L")) || word.endsWith(QLatin1String("+N"))) {
            label = word.endsWith(QLatin1String("+L")) ? QVariant(YesNo::True) : QVariant();
            print.chop(2);
        }
        shop.add({{"Print", print == QLatin1String("null") ? QVariant() : QVariant(print)},
                  {"LabelPrint", label}});
    }
}

} // namespace

class TestPrinterControl : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { TestEnv::closeAllScreens(); }

    // The four counts: one-time checks, multiple-times checks, their labels.
    void counts_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the example") << "Once Once+L Once Monthly+L Monthly+L"
                                     << "3 2 1 2";
        QTest::newRow("a printed one-time check keeps its label") << "Never+L Never"
                                                                  << "0 0 1 0";
        QTest::newRow("other values count nowhere") << "once+L Monthly+N null+L Never+N Weekly+L"
                                                    << "0 1 0 0";
        QTest::newRow("the template record counts") << "template"
                                                    << "1 0 1 0";
    }
    void counts() {
        QFETCH(QString, rows);
        QFETCH(QString, shown);
        PrintShop shop;
        if (rows == QLatin1String("template"))
            CheckDbFixture::setTemplate(shop.env, shop.file,
                                        {{"Print", "Once"}, {"LabelPrint", YesNo::True}});
        else
            addRows(shop, rows);
        QWidget* screen = openControl(shop);
        QVERIFY(screen);
        QCOMPARE(countsShown(screen), shown);
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList());
        for (const char* name : {"Once", "Monthly", "OLabel", "MLabel"})
            QVERIFY(!ticked(screen, QString::fromLatin1(name)));
    }

    // What each box counts is what Print prints with that box alone.
    void countsAreWhatPrintPrints_data() {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("count");
        for (const char* name :
             {"OTNumber Once", "MNumber Monthly", "OLNumber OLabel", "MLNumber MLabel"}) {
            const QStringList pair = QString::fromLatin1(name).split(' ');
            QTest::newRow(name) << pair[1] << pair[0];
        }
    }
    void countsAreWhatPrintPrints() {
        QFETCH(QString, boxName);
        QFETCH(QString, count);
        PrintShop shop(CheckDb::Kind::Draft);
        addRows(shop, "Once+L Never+L Monthly+L Once Monthly Monthly+L Never once+L Once+N");
        QWidget* screen = openControl(shop);
        const QString shown = box(screen, count)->text();
        tick(screen, boxName);
        shop.env.prompter.answerQuestion(false);
        shop.env.prompter.answerInput(QString());
        click(screen, QStringLiteral("PrintButton"));
        const bool labels = boxName.contains(QLatin1String("Label"));
        const QList<Printed::Statement> printed = Printed::statements(shop.job());
        const QString each = labels ? QStringLiteral("Maple Street Bakery")
                                    : QStringLiteral("PAY TO THE ORDER OF:  Harbor Office Supply");
        QCOMPARE(QString::number(Printed::find(printed, each).size()), shown);
    }

    // Print with no box set: "Nothing to do.", the screen stays; the options are stored first.
    void nothingToDo() {
        PrintShop shop;
        shop.add();
        QWidget* screen = openControl(shop);
        QVERIFY(ticked(screen, QStringLiteral("QCS")));
        tick(screen, QStringLiteral("QCS"));
        click(screen, QStringLiteral("PrintButton"));
        const QList<Prompt> shown = shop.env.prompter.take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Nothing to do."));
        QCOMPARE(shown[0].text,
                 QStringLiteral("You have not selected anything to print. Please select the "
                                "proper check box from the list for what you want to print. To "
                                "print blank checks, choose Print Blank Checks from the upper "
                                "left menu. "));
        QCOMPARE(TestEnv::openScreens(), QStringList{"PrinterControl"});
        QCOMPARE(setting(shop.env, SettingsDb::kQuickenCheckStock), QVariant(0));
        QVERIFY(shop.env.printer.jobs().isEmpty());
    }

    // Every way out stores the option boxes and leads back to data entry, program running.
    void leavingStoresTheOptions_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("Cancel") << "Cancelpc";
        QTest::newRow("Done") << "Command3";
        QTest::newRow("close box") << "";
    }
    void leavingStoresTheOptions() {
        QFETCH(QString, way);
        PrintShop shop;
        CheckDbFixture::setTemplate(shop.env, shop.file, {{"BusinessName", "Maple"}});
        QWidget* screen = openControl(shop);
        QCOMPARE(setting(shop.env, SettingsDb::kPlainPaper), QVariant(0));
        tick(screen, QStringLiteral("Check1"));
        tick(screen, QStringLiteral("Print2Checks"));
        const QList<Prompt> note = shop.env.prompter.take();
        QCOMPARE(note.size(), 1);
        QCOMPARE(note[0].title, QStringLiteral("NOTE"));
        QCOMPARE(note[0].text, kNote);
        if (way.isEmpty())
            screen->close();
        else
            click(screen, way);
        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});
        QVERIFY(!shop.env.program.ended());
        QCOMPARE(setting(shop.env, SettingsDb::kPlainPaper), QVariant(-1));
        QCOMPARE(setting(shop.env, SettingsDb::kPrint2Checks), QVariant(-1));
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList());
    }

    // Clearing plain paper says nothing; its caption ticks it as the box does.
    void plainPaperNoteOnlyWhenSet() {
        PrintShop shop;
        QWidget* screen = openControl(shop);
        QTest::mouseClick(screen->findChild<QLabel*>(QStringLiteral("Check1Label")),
                          Qt::LeftButton);
        QVERIFY(ticked(screen, QStringLiteral("Check1")));
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList{kNote});
        tick(screen, QStringLiteral("Check1"));
        QVERIFY(!ticked(screen, QStringLiteral("Check1")));
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList());
    }

    // Print runs the print run with the boxes as shown, then data entry comes back.
    void printRunsAndReturns() {
        PrintShop shop;
        CheckDbFixture::setTemplate(shop.env, shop.file, {{"BusinessName", "Maple"}});
        const qint64 id = shop.add();
        QWidget* screen = openControl(shop);
        tick(screen, QStringLiteral("Once"));
        tick(screen, QStringLiteral("Check1"));
        shop.env.prompter.take();
        shop.env.prompter.answerQuestion(true);
        click(screen, QStringLiteral("PrintButton"));
        QCOMPARE(shop.env.prompter.take().size(), 2); // load the stock; did they print?
        QCOMPARE(shop.row(id).value("Print"), QVariant("Never"));
        QCOMPARE(Printed::find(Printed::statements(shop.job()), "-").size(), 2);
        QCOMPARE(TestEnv::openScreens(), QStringList{"Check"});
    }

    // A run that cannot print the checks as set up says why and leaves the screen open, so
    // that Align Printer is at hand.
    void refusedRunStaysOpen() {
        PrintShop shop;
        const qint64 id = shop.add();
        setSetting(shop.env, SettingsDb::kVerticalStart, 1600);
        QWidget* screen = openControl(shop);
        tick(screen, QStringLiteral("Once"));
        click(screen, QStringLiteral("PrintButton"));
        const QStringList shown = shop.env.prompter.takeTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith(QLatin1String("The checks were not printed. The vertical "
                                                   "starting position 1600")),
                 qPrintable(shown[0]));
        QCOMPARE(TestEnv::openScreens(), QStringList{"PrinterControl"});
        QCOMPARE(shop.row(id).value("Print"), QVariant("Once"));
    }

    // Preview: the boxes as shown, nothing asked, stored or written; then Print prints the
    // very same pages.
    void previewChangesNothing() {
        PrintShop shop;
        shop.add({{"LabelPrint", YesNo::True}});
        const qint64 monthly = shop.add({{"Print", "Monthly"}, {"Date", "11/1/2026"}});
        QWidget* screen = openControl(shop);
        for (const char* name : {"Once", "Monthly", "OLabel", "QCS", "Check1"})
            tick(screen, QString::fromLatin1(name));
        shop.env.prompter.take();
        const QByteArray before[] = {digest(shop.env.path(shop.file)),
                                     digest(shop.env.path(SettingsDb::kFileName))};
        click(screen, QStringLiteral("PreviewButton"));
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList());
        QCOMPARE(digest(shop.env.path(shop.file)), before[0]);
        QCOMPARE(digest(shop.env.path(SettingsDb::kFileName)), before[1]);
        QCOMPARE(TestEnv::openScreens(), QStringList{"PrinterControl"});
        QCOMPARE(shop.env.printDialogs.previews.size(), 1);
        const RecordingPrinter& preview = *shop.env.printDialogs.previews[0];
        QCOMPARE(preview.jobs().size(), 2);
        const QList<Printed::Statement> checks = Printed::statements(*preview.jobs()[0].page);
        QCOMPARE(Printed::find(checks, "12/7/2026").size(), 1);
        QCOMPARE(Printed::find(checks, "-").size(), 4);                 // plain paper, as shown
        QCOMPARE(Printed::find(checks, "-")[2].y, 5270 + 200 + 4670.0); // 92 mm, as shown

        shop.env.prompter.answerQuestion(false);
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(false);
        click(screen, QStringLiteral("PrintButton"));
        for (int job = 0; job < 2; ++job) {
            const auto printed = Printed::statements(*shop.env.printer.jobs()[job].page);
            const auto shown = Printed::statements(*preview.jobs()[job].page);
            QCOMPARE(printed.size(), shown.size());
            for (int i = 0; i < printed.size(); ++i)
                QVERIFY(printed[i].text == shown[i].text && printed[i].x == shown[i].x &&
                        printed[i].y == shown[i].y && printed[i].page == shown[i].page &&
                        printed[i].font == shown[i].font);
        }
        QCOMPARE(shop.row(monthly).value("Date"), QVariant("12/7/2026"));
    }

    void previewOfNothing() {
        PrintShop shop;
        shop.add();
        QWidget* screen = openControl(shop);
        click(screen, QStringLiteral("PreviewButton"));
        const QList<Prompt> shown = shop.env.prompter.take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Nothing to do."));
        QVERIFY(shop.env.printDialogs.previews.isEmpty());
    }

    // The calibration sheet: a mark and its y every 100 twips from 0 to 19900, at x 0.
    void printSample() {
        PrintShop shop;
        QWidget* screen = openControl(shop);
        click(screen, QStringLiteral("Command1"));
        QCOMPARE(shop.env.printer.jobs().size(), 1);
        QCOMPARE(shop.env.printer.jobs()[0].contents, QStringLiteral("calibration lines"));
        const QList<Printed::Statement> lines = Printed::statements(shop.job());
        QCOMPARE(lines.size(), 200);
        QStringList ends;
        for (int i : {0, 1, 199})
            ends << QStringLiteral("%1,%2 %3").arg(lines[i].x).arg(lines[i].y).arg(lines[i].text);
        QCOMPARE(ends, QStringList({"0,0 ----H  Y= 0 ", "0,100 ----H  Y= 100 ",
                                    "0,19900 ----H  Y= 19900 "}));
        QVERIFY(shop.job().ended());
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList());
        QCOMPARE(TestEnv::openScreens(), QStringList{"PrinterControl"});
    }

    // Printer Setup opens the system's dialog; a choice that cannot be used is told.
    void printerSetup() {
        PrintShop shop;
        QWidget* screen = openControl(shop);
        click(screen, QStringLiteral("PrintSetup"));
        QCOMPARE(shop.env.printDialogs.setups, 1);
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList());
        shop.env.printDialogs.choice = [] {
            throw DbError(QStringLiteral("There is no printer named \"Office\" on this "
                                         "computer."));
        };
        click(screen, QStringLiteral("PrintSetup"));
        QCOMPARE(shop.env.prompter.takeTexts(),
                 QStringList{"There is no printer named \"Office\" on this computer."});
    }

    // Help entries: their texts, with the program's name, and paragraphs as given.
    void help_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("starts");
        QTest::addColumn<int>("paragraphs"); // separated by two line feeds
        QTest::newRow("canpp") << "canpp"
                               << "Some printers do not have a printable area" << 3;
        QTest::newRow("hpl") << "hpl"
                             << "Ledgerline supports Avery(tm) 5160, MACO(tm)" << 2;
        QTest::newRow("hpbsc") << "hpbsc"
                               << "To print blank business size checks" << 1;
        QTest::newRow("pcfqoqb") << "pcfqoqb"
                                 << "To print blank check stock for use with" << 1;
        QTest::newRow("atpcm") << "atpcm"
                               << "From this menu, you will need to select" << 3;
        QTest::newRow("spmcb") << "spmcb"
                               << "Deselect the 88mm check stock check box" << 3;
    }
    void help() {
        QFETCH(QString, entry);
        QFETCH(QString, starts);
        QFETCH(int, paragraphs);
        PrintShop shop;
        trigger(openControl(shop), entry);
        const QList<Prompt> shown = shop.env.prompter.take();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(starts), qPrintable(shown[0].text));
        QCOMPARE(shown[0].text.split(QStringLiteral("\n\n")).size(), paragraphs);
        QCOMPARE(shown[0].title, QString());
    }

    void helpOnMultipleTimesHasOneLineFeed() {
        PrintShop shop;
        trigger(openControl(shop), QStringLiteral("pcmth"));
        QCOMPARE(shop.env.prompter.takeTexts(),
                 QStringList{"You can print checks selected to print multiple times as often as "
                             "you want to.  \nUnfortunately Ledgerline cannot prompt you when it "
                             "is time to print these checks again, therefore, you should print "
                             "them on a regular basis. For example, in a monthly draft database, "
                             "choose to print all selected to print multiple times on the first "
                             "Monday of every month."});
    }

    // The two About entries open the About screen on top.
    void aboutEntries_data() {
        QTest::addColumn<QString>("entry");
        QTest::newRow("About") << "PrintControlAbout";
        QTest::newRow("Purchasing Check Stock") << "PurchasingCheckStock";
    }
    void aboutEntries() {
        QFETCH(QString, entry);
        PrintShop shop;
        QWidget* screen = openControl(shop);
        trigger(screen, entry);
        QVERIFY(TestEnv::openScreens().contains(QStringLiteral("HelpAbout")));
        QVERIFY(TestEnv::openScreens().contains(QStringLiteral("PrinterControl")));
    }

    // The blank layouts' entries run their jobs from the template, with the option boxes as
    // the screen shows them (the 88 mm box cleared on the screen only), and the screen
    // stays open.
    void blankLayouts_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("clear88mm");
        QTest::addColumn<int>("pages");
        QTest::addColumn<qlonglong>("templateCheck");
        QTest::addColumn<QString>("lastMessage");
        QTest::newRow("regular, 4 on 88 mm") << "BlankCehcks" << false << 2 << 1204LL << "";
        QTest::newRow("Quicken 3 up, 4") << "BlankQuicken" << false << 2 << 1204LL << "";
        QTest::newRow("Quicken 3 up, 92 mm shown")
            << "BlankQuicken" << true << 0 << 1200LL
            << "To print Quicken(tm) checks you must set check length to 88mm. Select the 88mm "
               "check length check box at the bottom of this screen.";
        QTest::newRow("voucher, 4") << "qcbv" << false << 4 << 1204LL << "";
        QTest::newRow("deposit tickets, 4") << "BlankDepositTickets" << false << 2 << 1200LL << "";
    }
    void blankLayouts() {
        QFETCH(QString, entry);
        QFETCH(bool, clear88mm);
        QFETCH(int, pages);
        QFETCH(qlonglong, templateCheck);
        QFETCH(QString, lastMessage);
        PrintShop shop;
        CheckDbFixture::setTemplate(shop.env, shop.file,
                                    PrintShop::with(PrintShop::kCheck, {{"Check", 1200}}));
        QWidget* screen = openControl(shop);
        if (clear88mm)
            tick(screen, QStringLiteral("QCS"));
        shop.env.prompter.answerInput(QStringLiteral("4"));
        trigger(screen, entry);
        const QStringList shown = shop.env.prompter.takeTexts();
        if (!lastMessage.isEmpty()) {
            QCOMPARE(shown.last(), lastMessage);
            QCOMPARE(shop.env.printer.jobs().size(), 0);
            shop.env.prompter.clear();
        } else {
            QCOMPARE(shop.env.printer.jobs().size(), 1);
            QCOMPARE(shop.job().pages(), pages);
        }
        QCOMPARE(shop.row(1).value("Check").toLongLong(), templateCheck);
        QVERIFY(TestEnv::openScreens().contains(QStringLiteral("PrinterControl")));
        QVERIFY(!shop.env.program.ended());
    }

    // Every fixed text is on the screen, and every box is announced by the text beside it.
    void captions() {
        PrintShop shop;
        QWidget* screen = openControl(shop);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Printer Control Menu"));
        QStringList labels;
        for (const QLabel* l : screen->findChildren<QLabel*>())
            labels << l->text();
        for (const char* text :
             {"To print checks from information you have entered into the database, select "
              "which checks and / or labels you want to print below and choose the Print button.",
              "Select what CHECKS you want to print from the database:",
              "Select what LABELS you want to print from the database:", "Print Options:",
              "If you are not printing on check stock, select I am printing checks on plain "
              "paper.",
              "The bottom of the MICR line must be positioned 3/16 of an inch from the bottom of "
              "the check or draft you are printing. If it is not, choose Align Printer to "
              "adjust.",
              "To print several blank checks or checks for Quicken(tm) or Quickbooks(tm), "
              "choose Print Blank Checks from the top menu bar.",
              "1.", "2.", "3.", "4.", "# to print:"})
            QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
        const std::pair<const char*, const char*> boxes[] = {
            {"Once", "Print all checks selected to print ONE TIME"},
            {"MLabel", "Print labels for checks selected to print MULTIPLE TIMES"},
            {"QCS", "Use 88mm check stock.  Deselect this check box only if you are printing on "
                    "92mm check stock."},
            {"Print2Checks", "Print only 2 checks per page. Check this box only if your printer "
                             "is having a problem printing the last check on each page. "},
            {"Check1", "Print checks on plain paper.  Deselect this check box if using check "
                       "stock."},
        };
        for (const auto& [name, caption] : boxes)
            QCOMPARE(screen->findChild<QCheckBox*>(QString::fromLatin1(name))->accessibleName(),
                     QString::fromLatin1(caption));
        QCOMPARE(box(screen, QStringLiteral("OTNumber"))->accessibleName(),
                 QStringLiteral("Number of one-time checks to print"));
        QStringList buttons;
        for (const char* name : {"PrintButton", "PreviewButton", "Command1", "PrintSetup", "Align",
                                 "Cancelpc", "Command3"})
            buttons << screen->findChild<QAbstractButton*>(QString::fromLatin1(name))->text();
        QCOMPARE(buttons, QStringList({"&Print", "Preview", "Print Sample", "Printer Setup",
                                       "&Align Printer", "&Cancel", "&Done"}));
    }

    // Align: the options are stored, the alignment screen shows the stored values, and OK
    // brings back a freshly loaded printer control screen.
    void alignmentIsStoredAndUsed() {
        PrintShop shop;
        shop.add();
        QWidget* screen = openControl(shop);
        tick(screen, QStringLiteral("Print2Checks"));
        click(screen, QStringLiteral("Align"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"AlignPrinter"});
        QCOMPARE(setting(shop.env, SettingsDb::kPrint2Checks), QVariant(-1));
        QWidget* align = TestEnv::screen(QStringLiteral("AlignPrinter"));
        QCOMPARE(align->windowTitle(), QStringLiteral("Printer Alignment Options"));
        QCOMPARE(box(align, QStringLiteral("Text3"))->text(), QStringLiteral("200"));
        QCOMPARE(box(align, QStringLiteral("Text2"))->text(), QStringLiteral("525"));
        QCOMPARE(box(align, QStringLiteral("Text3"))->accessibleName(),
                 QStringLiteral("Vertical Starting Position:"));
        const QString info =
            align->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText();
        QVERIFY2(info.startsWith(QLatin1String("Before aligning your printer, be sure your "
                                               "printer options are setup to print on Letter "
                                               "Size Paper and Portrait Orientation.\n\nTo "
                                               "adjust")),
                 qPrintable(info));
        QVERIFY(align->findChild<QPlainTextEdit*>(QStringLiteral("TEXT4"))
                    ->toPlainText()
                    .endsWith(QLatin1String("most ink jet and bubble jet printers cannot.")));

        typeInto(align, QStringLiteral("Text3"), QStringLiteral("350"));
        typeInto(align, QStringLiteral("Text2"), QStringLiteral("600"));
        tick(align, QStringLiteral("QCS"));
        click(align, QStringLiteral("Command1"));
        QCOMPARE(TestEnv::openScreens(), QStringList{"PrinterControl"});
        QCOMPARE(setting(shop.env, SettingsDb::kVerticalStart), QVariant(350));
        QCOMPARE(setting(shop.env, SettingsDb::kHorizontalStart), QVariant(600));
        QCOMPARE(setting(shop.env, SettingsDb::kQuickenCheckStock), QVariant(0));

        screen = TestEnv::screen(QStringLiteral("PrinterControl"));
        QCOMPARE(countsShown(screen), QStringLiteral("1 0 0 0"));
        QVERIFY(!ticked(screen, QStringLiteral("QCS")));
        tick(screen, QStringLiteral("Once"));
        shop.env.prompter.answerQuestion(false);
        click(screen, QStringLiteral("PrintButton"));
        const QList<Printed::Statement> printed = Printed::statements(shop.job());
        const Printed::Statement payer = Printed::find(printed, "Maple Street Bakery").value(0);
        const Printed::Statement routing = Printed::find(printed, "A041000124A  ").value(0);
        QCOMPARE(QList<double>({payer.x, payer.y, routing.x, routing.y}),
                 QList<double>({600, 350, 600 + 3330, 350 + 4269}));
    }

    // What the alignment screen refuses, and what it takes; a refused entry keeps its stored
    // value and the screen stays.
    void alignmentEntries_data() {
        QTest::addColumn<QString>("vertical");
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("refusal"); // empty: stored
        QTest::addColumn<QVariantList>("stored");
        // The limits of the next print run: three 88 mm checks a sheet, as shipped.
        const QString down = QStringLiteral("The vertical starting position must be a whole "
                                            "number from 0 to 1505 (twips, 1440 to the inch).");
        const QString across = QStringLiteral("The horizontal starting position must be a whole "
                                              "number from 0 to 1440 (twips, 1440 to the inch).");
        QTest::newRow("a word") << "abc"
                                << "525"
                                << down + " \"abc\" is not a whole number, so it stays 200."
                                << QVariantList{200, 525};
        QTest::newRow("a fraction")
            << "3.5"
            << "525" << down + " \"3.5\" is not a whole number, so it stays 200."
            << QVariantList{200, 525};
        QTest::newRow("empty") << ""
                               << "525" << down + " The box is empty, so it stays 200."
                               << QVariantList{200, 525};
        QTest::newRow("negative") << "-1"
                                  << "525"
                                  << "The vertical starting position -1 would put checks above "
                                     "the top of the sheet. Set it to a number from 0 to 1505. It "
                                     "stays 200."
                                  << QVariantList{200, 525};
        // What the run would refuse, in the run's words: checks off the sheet.
        QTest::newRow("third check below the sheet")
            << "1506"
            << "525"
            << "The vertical starting position 1506 would put checks below the bottom of the "
               "sheet. Set it to a number from 0 to 1505. It stays 200."
            << QVariantList{200, 525};
        QTest::newRow("past 64 bits")
            << "99999999999999999999"
            << "525" << down + " 99999999999999999999 lies off the sheet, so it stays 200."
            << QVariantList{200, 525};
        QTest::newRow("both refused, horizontal too wide")
            << "x"
            << "1441"
            << down + " \"x\" is not a whole number, so it stays 200.\n\nThe horizontal starting "
                      "position 1441 would put checks past the right edge of the sheet. Set it to "
                      "a number from 0 to 1440. It stays 525."
            << QVariantList{200, 525};
        QTest::newRow("the largest that keep checks on the sheet")
            << "1505"
            << "1440"
            << "" << QVariantList{1505, 1440};
        // Unticking 88 mm here makes the run's checks 92 mm long, and the limit follows.
        QTest::newRow("92 mm chosen here: the third check below the sheet")
            << "792 92mm"
            << "525"
            << "The vertical starting position 792 would put checks below the bottom of the "
               "sheet. Set it to a number from 0 to 791. It stays 200."
            << QVariantList{200, 525};
        QTest::newRow("zero, blanks around") << " 0 "
                                             << "0"
                                             << "" << QVariantList{0, 0};
    }
    void alignmentEntries() {
        QFETCH(QString, vertical);
        QFETCH(QString, horizontal);
        QFETCH(QString, refusal);
        QFETCH(QVariantList, stored);
        PrintShop shop;
        shop.env.program.setCurrentDatabase(shop.file);
        shop.env.context.openAlignPrinter();
        QWidget* align = TestEnv::screen(QStringLiteral("AlignPrinter"));
        if (vertical.endsWith(QLatin1String(" 92mm"))) {
            vertical.chop(5);
            tick(align, QStringLiteral("QCS"));
        }
        typeInto(align, QStringLiteral("Text3"), vertical);
        typeInto(align, QStringLiteral("Text2"), horizontal);
        click(align, QStringLiteral("Command1"));
        QCOMPARE(shop.env.prompter.takeTexts(),
                 refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QCOMPARE(QVariantList({setting(shop.env, SettingsDb::kVerticalStart),
                               setting(shop.env, SettingsDb::kHorizontalStart)}),
                 stored);
        QCOMPARE(TestEnv::openScreens(),
                 QStringList{refusal.isEmpty() ? "PrinterControl" : "AlignPrinter"});
        if (!refusal.isEmpty())
            QCOMPARE(box(align, QStringLiteral("Text3"))->text(), QStringLiteral("200"));
    }

    // The close box does what OK does: stores, or refuses and stays.
    void closingTheAlignmentScreen() {
        PrintShop shop;
        shop.env.program.setCurrentDatabase(shop.file);
        shop.env.context.openAlignPrinter();
        QWidget* align = TestEnv::screen(QStringLiteral("AlignPrinter"));
        typeInto(align, QStringLiteral("Text3"), QStringLiteral("twenty"));
        QVERIFY(!align->close());
        QCOMPARE(shop.env.prompter.take().size(), 1);
        QCOMPARE(TestEnv::openScreens(), QStringList{"AlignPrinter"});
        typeInto(align, QStringLiteral("Text3"), QStringLiteral("420"));
        QVERIFY(align->close());
        QCOMPARE(TestEnv::openScreens(), QStringList{"PrinterControl"});
        QCOMPARE(setting(shop.env, SettingsDb::kVerticalStart), QVariant(420));
    }

    // A position left as shown is kept as stored, even one no longer on the sheet.
    void untouchedPositionIsKept() {
        PrintShop shop;
        setSetting(shop.env, SettingsDb::kHorizontalStart, QVariant());
        shop.env.program.setCurrentDatabase(shop.file);
        shop.env.context.openAlignPrinter();
        QWidget* align = TestEnv::screen(QStringLiteral("AlignPrinter"));
        QCOMPARE(box(align, QStringLiteral("Text2"))->text(), QString());
        typeInto(align, QStringLiteral("Text3"), QStringLiteral("300"));
        click(align, QStringLiteral("Command1"));
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList());
        QCOMPARE(setting(shop.env, SettingsDb::kVerticalStart), QVariant(300));
        QCOMPARE(setting(shop.env, SettingsDb::kHorizontalStart), QVariant());
    }
};

QTEST_MAIN(TestPrinterControl)
#include "tst_printercontrol.moc"
