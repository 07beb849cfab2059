// The preview of a Print run: the same pages as the run, item for item, and not a byte
// changed in the check database or the settings; and when there is nothing to show, the
// reason in the run's own words.
#include "core/platform/Database.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"
#include "core/print/PrintPreview.h"
#include "core/settings/SettingsDb.h"
#include "support/Drive.h"
#include "support/PrintShop.h"
#include "support/Printed.h"

#include <QTest>

namespace {

// Everything a job recorded, one line per item, as a reader of the sheets would tell them
// apart: sheet, place, font state, statement and text; then the lines drawn.
QStringList items(const RecordingPage& page) {
    QStringList out;
    for (const RecordingPage::Text& t : page.texts())
        out << QStringLiteral("%1 %2,%3 %4 %5%6%7 #%8 [%9]")
                   .arg(t.page)
                   .arg(t.x)
                   .arg(t.y)
                   .arg(t.font.face)
                   .arg(t.font.size)
                   .arg(t.font.bold ? "b" : "")
                   .arg(t.font.italic ? "i" : "")
                   .arg(t.statement)
                   .arg(t.text);
    for (const RecordingPage::Line& l : page.lines())
        out << QStringLiteral("line %1 %2,%3 %4,%5 %6")
                   .arg(l.page)
                   .arg(l.x1)
                   .arg(l.y1)
                   .arg(l.x2)
                   .arg(l.y2)
                   .arg(l.width);
    out << QStringLiteral("sheets %1").arg(page.pages());
    return out;
}

void setSettings(TestEnv& env, const QString& field, const QVariant& value) {
    RecordSet settings(Database::open(env.path(SettingsDb::kFileName)), SettingsDb::kSettingsTable);
    settings.edit();
    settings.setValue(field, value);
    settings.update();
}

} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT

private slots:
    // The preview of a selection, then the run of the same selection (No to both questions,
    // labels from label 1): the same jobs, the same items, and the preview changed nothing.
    void previewIsWhatPrintPrints_data() {
        QTest::addColumn<bool>("draft");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<QStringList>("jobs");
        QTest::newRow("checks and labels, 88 mm") << false << "Once Monthly OLabel MLabel"
                                                  << "" << QStringList{"checks", "labels"};
        QTest::newRow("drafts on plain paper, 92 mm, two a sheet")
            << true << "Once Monthly"
            << "92mm two plain" << QStringList{"checks"};
        QTest::newRow("labels only") << true << "OLabel"
                                     << "" << QStringList{"labels"};
    }
    void previewIsWhatPrintPrints() {
        QFETCH(bool, draft);
        QFETCH(QString, boxes);
        QFETCH(QString, stock);
        QFETCH(QStringList, jobs);
        PrintShop shop(draft ? CheckDb::Kind::Draft : CheckDb::Kind::Check);
        for (int i = 0; i < 7; ++i)
            shop.add({{"Check", 1043 + i},
                      {"Print", i % 3 == 2   ? "Monthly"
                                : i % 3 == 1 ? "Never"
                                             : "Once"},
                      {"LabelPrint", i % 2 ? YesNo::True : YesNo::False},
                      {"BusinessName", i == 4 ? QVariant() : QVariant("Maple Street Bakery")}});
        setSettings(shop.env, SettingsDb::kVerticalStart, 350);
        const QString database = shop.env.path(shop.file);
        const QString settings = shop.env.path(SettingsDb::kFileName);
        const QByteArray before[] = {Drive::digest(database), Drive::digest(settings)};

        RecordingPrinter pages;
        PrintPreview preview(database, settings, shop.env.printer, shop.env.prompter,
                             shop.env.clock);
        QVERIFY(preview.ready(selection(boxes), ::stock(stock)));
        preview.render(pages, selection(boxes), ::stock(stock));
        QCOMPARE(shop.env.prompter.takeTexts(), QStringList());
        QCOMPARE(Drive::digest(database), before[0]);
        QCOMPARE(Drive::digest(settings), before[1]);

        shop.env.prompter.answerQuestion(false);
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print(boxes, nullptr, ::stock(stock)), QString());
        QStringList started;
        for (const RecordingPrinter::Job& job : pages.jobs())
            started << job.contents;
        QCOMPARE(started, jobs);
        QCOMPARE(shop.env.printer.jobs().size(), jobs.size());
        for (int i = 0; i < jobs.size(); ++i) {
            QVERIFY(!pages.jobs()[i].page->texts().isEmpty());
            QCOMPARE(items(*pages.jobs()[i].page), items(*shop.env.printer.jobs()[i].page));
        }
    }

    // A check that prints every time shows today's date in the preview, which stores none.
    void monthlyDateIsShownNotStored() {
        PrintShop shop;
        const qint64 id = shop.add({{"Print", "Monthly"}, {"Date", "11/1/2026"}});
        RecordingPrinter pages;
        PrintPreview preview(shop.env.path(shop.file), shop.env.path(SettingsDb::kFileName),
                             shop.env.printer, shop.env.prompter, shop.env.clock);
        preview.render(pages, selection("Monthly"), StockOptions());
        QCOMPARE(Printed::find(Printed::statements(*pages.jobs()[0].page), "12/7/2026").size(), 1);
        QCOMPARE(shop.row(id).value("Date"), QVariant("11/1/2026"));
    }

    // Nothing to show: the reason, as Print gives it where Print would give one.
    void nothingToShow_data() {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("setup"); // "no micr", "low", or empty
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("no box") << ""
                                << ""
                                << "Nothing to do."
                                << "You have not selected anything to print. Please select the "
                                   "proper check box from the list for what you want to print. "
                                   "To print blank checks, choose Print Blank Checks from the "
                                   "upper left menu. ";
        QTest::newRow("no MICR font, labels too")
            << "Once"
            << "no micr"
            << ""
            << "Checks cannot be printed without the MICR font MICR65, in which the bank's "
               "numbers at the bottom of every check are printed. No check was printed, marked or "
               "numbered. Ledgerline goes on, and address labels still print: they need no MICR "
               "font. Install MICR65, then print the checks again.";
        QTest::newRow("checks below the sheet")
            << "Once"
            << "low"
            << ""
            << "The checks were not printed. The vertical starting position 1600 would put "
               "checks below the bottom of the sheet. Set it to a number from 0 to 1505. Choose "
               "Align Printer on the printer control screen to correct this.";
        QTest::newRow("no label wanted")
            << "MLabel"
            << ""
            << ""
            << "There is nothing to preview: no check or label in this database is selected to "
               "print by the boxes you checked.";
    }
    void nothingToShow() {
        QFETCH(QString, boxes);
        QFETCH(QString, setup);
        QFETCH(QString, title);
        QFETCH(QString, message);
        PrintShop shop;
        shop.add({{"LabelPrint", YesNo::True}});
        if (setup == QLatin1String("no micr"))
            shop.env.printer.setFonts({QStringLiteral("Times New Roman")});
        if (setup == QLatin1String("low"))
            setSettings(shop.env, SettingsDb::kVerticalStart, 1600);
        PrintPreview preview(shop.env.path(shop.file), shop.env.path(SettingsDb::kFileName),
                             shop.env.printer, shop.env.prompter, shop.env.clock);
        QVERIFY(!preview.ready(selection(boxes), StockOptions()));
        const QList<Prompt> shown = shop.env.prompter.take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].title, title);
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_printpreview.moc"
