// The print preview on the real Qt printing: the preview's document holds the run's pages
// where the run's own page puts them, each job from a new sheet; the preview window offers
// no way to print; and what the printer setup dialog chose is what later jobs use.
#include "core/platform/DbError.h"
#include "core/platform/QuietPrompter.h"
#include "core/platform/TableSchema.h"
#include "core/print/PrintPreview.h"
#include "core/settings/SettingsDb.h"
#include "gui/platform/MicrFont.h"
#include "gui/platform/QtPreviewPrinter.h"
#include "gui/platform/QtPrintDialogs.h"
#include "gui/platform/QtPrintPage.h"
#include "gui/platform/QtPrinter.h"
#include "support/PdfText.h"
#include "support/PrintShop.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QTimer>

namespace {

// Four checks on two sheets and 12 labels from label 25 on two more, from one database.
void fill(PrintShop& shop) {
    for (int i = 0; i < 4; ++i)
        shop.add({{"Check", 1043 + i}, {"LabelPrint", YesNo::True}});
    for (int i = 0; i < 8; ++i)
        shop.add({{"Print", "Never"},
                  {"LabelPrint", YesNo::True},
                  {"BusinessName", QStringLiteral("Customer%1").arg(i)}});
}

// The words of one job's sheets, numbered from the job's first sheet.
QList<PdfText::Word> sheets(const QList<PdfText::Word>& words, int from, int to) {
    QList<PdfText::Word> out;
    for (PdfText::Word w : words)
        if (w.page >= from && w.page < to) {
            w.page -= from;
            out << w;
        }
    return out;
}

} // namespace

class TestQtPreviewPrinter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        registerMicrFont();
        if (!QFontDatabase::families().contains(QStringLiteral("MICR65")))
            QSKIP("The MICR65 font could not be registered from the program's resources.");
    }

    // The preview drawn into a PDF: the check sheets, then the label sheets, every item where
    // the recorded run (labels from label 1) put it.
    void previewHoldsTheRunsPages() {
        PrintShop shop;
        fill(shop);
        shop.env.printer.setFonts(QFontDatabase::families());
        shop.env.prompter.answerQuestion(false);
        shop.env.prompter.answerInput(QString());
        shop.env.prompter.answerQuestion(false);
        QCOMPARE(shop.print("Once OLabel"), QString());
        const RecordingPage& checks = shop.job(0);
        const RecordingPage& labels = shop.job(1);
        QCOMPARE(checks.pages(), 2);
        QCOMPARE(labels.pages(), 1);

        const QString pdf = shop.env.path("preview.pdf");
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            QtPrintPage::setUpSheet(printer);
            QtPreviewPrinter pages(printer);
            PrintPreview preview(shop.env.path(shop.file), shop.env.path(SettingsDb::kFileName),
                                 shop.env.printer, shop.env.prompter, shop.env.clock);
            preview.render(pages, selection("Once OLabel"), StockOptions());
            pages.finish();
        }
        QCOMPARE(PdfText::pages(pdf), 3);
        const QList<PdfText::Word> words = PdfText::words(pdf);
        QCOMPARE(PdfText::misplaced(checks, sheets(words, 0, 2)), QStringList());
        QCOMPARE(PdfText::misplaced(labels, sheets(words, 2, 3)), QStringList());
        QCOMPARE(PdfText::find(words, "Customer0").value(0).page, 2);
    }

    // The system's preview window shows the pages, and neither prints them nor changes the
    // sheet: checks are printed by the Print run alone.
    void previewWindowCannotPrint() {
        QtPrinter printer;
        QuietPrompter prompter;
        QtPrintDialogs dialogs(&printer, prompter);
        int drawn = 0;
        int pages = -1;
        QStringList offered;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
            for (QAction* action : dialog->findChildren<QAction*>())
                if (action->isVisible() && !action->text().isEmpty())
                    offered << action->text();
            dialog->reject();
        });
        dialogs.preview(nullptr, [&](Printer& target) {
            ++drawn;
            for (const char* text : {"first sheet", "second sheet"}) {
                auto job = target.startJob(QStringLiteral("checks"));
                job->print({QString::fromLatin1(text)});
                job->endDocument();
            }
        });
        QVERIFY(drawn >= 1);
        QCOMPARE(pages, 2);
        QVERIFY2(!offered.contains(QStringLiteral("Print")), qPrintable(offered.join(", ")));
        QVERIFY2(!offered.contains(QStringLiteral("Page setup")), qPrintable(offered.join(", ")));
        QVERIFY2(!offered.contains(QStringLiteral("Landscape")), qPrintable(offered.join(", ")));
        QVERIFY2(offered.contains(QStringLiteral("Next page")), qPrintable(offered.join(", ")));
    }

    // What the printer setup dialog leaves in its printer, as the program takes it.
    void setupChoice_data() {
        QTest::addColumn<QString>("file"); // "-": none given
        QTest::addColumn<QString>("refusal");
        QTest::newRow("a PDF file") << "chosen.pdf"
                                    << "";
        QTest::newRow("a PDF without a name")
            << "-"
            << "No name was given for the PDF file, so the printer was not changed.";
    }
    void setupChoice() {
        QFETCH(QString, file);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        QtPrinter printer(dir.path());
        QPrinter chosen;
        chosen.setOutputFormat(QPrinter::PdfFormat);
        chosen.setOutputFileName(file == QLatin1String("-") ? QString() : dir.filePath(file));
        QString told;
        try {
            printer.choose(chosen);
        } catch (const DbError& e) {
            told = e.message();
        }
        QCOMPARE(told, refusal);
        QCOMPARE(printer.target(),
                 refusal.isEmpty() ? QtPrinter::Target::File : QtPrinter::Target::Default);
        if (refusal.isEmpty())
            QCOMPARE(printer.chosen(), dir.filePath(file));
    }
};

QTEST_MAIN(TestQtPreviewPrinter)
#include "tst_qtpreviewprinter.moc"
