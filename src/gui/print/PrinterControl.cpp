#include "gui/print/PrinterControl.h"

#include "core/platform/Failure.h"
#include "core/platform/Printer.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/print/BlankCheckJob.h"
#include "core/print/CalibrationSheet.h"
#include "core/print/DepositTicketJob.h"
#include "core/print/PrintCounts.h"
#include "core/print/PrintPreview.h"
#include "core/print/PrintRun.h"
#include "core/print/PrintSettings.h"
#include "core/settings/SettingsDb.h"
#include "gui/app/AppContext.h"
#include "gui/platform/CaptionClick.h"
#include "gui/platform/PrintDialogs.h"
#include "gui/platform/ProgressWindow.h"
#include "gui/platform/ScreenForm.h"
#include "gui/print/PrintingHelp.h"

#include <QCloseEvent>

PrinterControl::PrinterControl(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
    CaptionClick::byBuddies(this);
}

QString PrinterControl::databasePath() const {
    const Program& program = m_context.program();
    return program.path(program.currentDatabase());
}

QString PrinterControl::settingsPath() const {
    return m_context.program().path(SettingsDb::kFileName);
}

void PrinterControl::load() {
    Prompter& prompter = m_context.prompter();
    tellIfFails(prompter, [&] {
        const StockOptions stored = PrintSettings::read(settingsPath()).options;
        m_ui.QCS->setChecked(stored.use88mm);
        m_ui.Print2Checks->setChecked(stored.twoPerPage);
        m_ui.Check1->setChecked(stored.plainPaper);
    });
    show();
    tellIfFails(prompter, [&] {
        ProgressWindow progress(this);
        const PrintCounts counts = PrintCounts::count(databasePath(), progress);
        const std::pair<QLineEdit*, qint64> shown[] = {{m_ui.OTNumber, counts.once},
                                                       {m_ui.MNumber, counts.monthly},
                                                       {m_ui.OLNumber, counts.oneTimeLabels},
                                                       {m_ui.MLNumber, counts.monthlyLabels}};
        QCheckBox* boxes[] = {m_ui.Once, m_ui.Monthly, m_ui.OLabel, m_ui.MLabel};
        for (int i = 0; i < 4; ++i) {
            shown[i].first->setText(QString::number(shown[i].second));
            // The count boxes take no focus: their box carries the count to a screen reader.
            boxes[i]->setAccessibleDescription(QStringLiteral("%1 to print").arg(shown[i].second));
        }
    });
}

PrintSelection PrinterControl::selection() const {
    PrintSelection s;
    s.once = m_ui.Once->isChecked();
    s.monthly = m_ui.Monthly->isChecked();
    s.oneTimeLabels = m_ui.OLabel->isChecked();
    s.monthlyLabels = m_ui.MLabel->isChecked();
    return s;
}

StockOptions PrinterControl::options() const {
    StockOptions o;
    o.use88mm = m_ui.QCS->isChecked();
    o.twoPerPage = m_ui.Print2Checks->isChecked();
    o.plainPaper = m_ui.Check1->isChecked();
    return o;
}

bool PrinterControl::storeOptions() {
    return tellIfFails(m_context.prompter(),
                       [&] { PrintSettings::storeOptions(settingsPath(), options()); });
}

void PrinterControl::leaveFor(QWidget* (AppContext::*open)()) {
    m_leaving = true;
    (m_context.*open)();
    close();
}

void PrinterControl::closeEvent(QCloseEvent* event) {
    if (!m_leaving) {
        if (!storeOptions()) {
            event->ignore();
            return;
        }
        m_leaving = true;
        m_context.openCheck();
    }
    QWidget::closeEvent(event);
}

void PrinterControl::printSelection() {
    if (!storeOptions())
        return;
    PrintRun run(databasePath(), settingsPath(), m_context.printer(), m_context.prompter(),
                 m_context.clock());
    ProgressWindow progress(this);
    run.setProgress(progress);
    PrintRun::Outcome outcome = PrintRun::Outcome::Ended;
    // A run that fails has said why; like every run that got under way it ends on data
    // entry, which shows the checks as they now are.
    if (tellIfFails(m_context.prompter(), [&] { outcome = run.run(selection(), options()); }) &&
        outcome != PrintRun::Outcome::Ended)
        return;
    leaveFor(&AppContext::openCheck);
}

void PrinterControl::previewSelection() {
    const PrintSelection chosen = selection();
    const StockOptions stock = options();
    PrintPreview preview(databasePath(), settingsPath(), m_context.printer(), m_context.prompter(),
                         m_context.clock());
    tellIfFails(m_context.prompter(), [&] {
        if (preview.ready(chosen, stock))
            m_context.printDialogs().preview(
                this, [&](Printer& pages) { preview.render(pages, chosen, stock); });
    });
}

void PrinterControl::printSample() {
    tellIfFails(m_context.prompter(),
                [&] { CalibrationSheet::print(m_context.printer(), m_context.prompter()); });
}

void PrinterControl::setUpPrinter() {
    tellIfFails(m_context.prompter(), [&] { m_context.printDialogs().setUpPrinter(this); });
}

void PrinterControl::openAlignment() {
    if (storeOptions())
        leaveFor(&AppContext::openAlignPrinter);
}

void PrinterControl::returnToDataEntry() {
    close();
}

void PrinterControl::notePlainPaper(bool checked) {
    if (checked)
        m_context.prompter().message(PrintingHelp::plainPaperNote(),
                                     PrintingHelp::kPlainPaperNoteTitle);
}

void PrinterControl::printRegularBlankChecks() {
    printBlankChecks(BlankCheckJob::Layout::Regular);
}

void PrinterControl::printQuickenChecks() {
    printBlankChecks(BlankCheckJob::Layout::Quicken3Up);
}

void PrinterControl::printVoucherChecks() {
    printBlankChecks(BlankCheckJob::Layout::Voucher);
}

BlankPrintSettings PrinterControl::blankSettings() const {
    // The jobs take the option boxes as they are shown, stored or not.
    BlankPrintSettings settings = BlankPrintSettings::read(settingsPath());
    settings.options = options();
    return settings;
}

void PrinterControl::printBlankChecks(BlankCheckJob::Layout layout) {
    // The screen stays open after a blank job, whatever its outcome; a job that found no
    // MICR font has ended the program itself.
    tellIfFails(m_context.prompter(), [&] {
        BlankCheckJob job(m_context.printer(), m_context.prompter(), m_context.clock(),
                          m_context.program());
        ProgressWindow progress(this);
        job.setProgress(progress);
        job.run(layout, databasePath(), blankSettings());
    });
}

void PrinterControl::printDepositTickets() {
    tellIfFails(m_context.prompter(), [&] {
        DepositTicketJob job(m_context.printer(), m_context.prompter(), m_context.clock(),
                             m_context.program());
        ProgressWindow progress(this);
        job.setProgress(progress);
        job.run(databasePath(), blankSettings());
    });
}

void PrinterControl::showHelp(const QString& text) {
    m_context.prompter().message(text);
}

void PrinterControl::openAbout() {
    m_context.openHelpAbout();
}

void PrinterControl::explainMisprinting() {
    showHelp(PrintingHelp::checksNotPrinting());
}

void PrinterControl::explainLabels() {
    showHelp(PrintingHelp::printingLabels());
}

void PrinterControl::explainBlankChecks() {
    showHelp(PrintingHelp::printingBlankChecks());
}

void PrinterControl::explainQuickenChecks() {
    showHelp(PrintingHelp::printingQuickenChecks());
}

void PrinterControl::explainMultipleTimes() {
    showHelp(PrintingHelp::printingMultipleTimes());
}

void PrinterControl::explainSelecting() {
    showHelp(PrintingHelp::selectingWhatToPrint());
}

void PrinterControl::explainCheckStock() {
    showHelp(PrintingHelp::aboutCheckStock());
}
