#include "gui/print/PrinterControl.h"

#include "ui_PrinterControl.h"

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
#include "gui/platform/Accessible.h"
#include "gui/platform/CaptionClick.h"
#include "gui/platform/PrintDialogs.h"
#include "gui/print/PrintingHelp.h"

#include <QCloseEvent>

PrinterControl::PrinterControl(AppContext& context)
    : m_context(context), m_ui(std::make_unique<Ui::PrinterControl>()) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_ui->setupUi(this);

    // Each box is announced, and toggled when clicked, by the text beside it.
    for (QLabel* label : {m_ui->OnceLabel, m_ui->MonthlyLabel, m_ui->OLabelLabel, m_ui->MLabelLabel,
                          m_ui->QCSLabel, m_ui->Print2ChecksLabel, m_ui->Check1Label}) {
        Accessible::label(label, label->buddy());
        CaptionClick::toggles(label, qobject_cast<QAbstractButton*>(label->buddy()));
    }

    auto on = [this](QAbstractButton* button, void (PrinterControl::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on(m_ui->PrintButton, &PrinterControl::printSelection);
    on(m_ui->PreviewButton, &PrinterControl::previewSelection);
    on(m_ui->Command1, &PrinterControl::printSample);
    on(m_ui->PrintSetup, &PrinterControl::setUpPrinter);
    on(m_ui->Align, &PrinterControl::openAlignment);
    on(m_ui->Cancelpc, &PrinterControl::returnToDataEntry);
    on(m_ui->Command3, &PrinterControl::returnToDataEntry);
    connect(m_ui->Check1, &QCheckBox::clicked, this, &PrinterControl::notePlainPaper);

    auto entry = [this](QAction* action, void (PrinterControl::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    entry(m_ui->BlankCehcks, &PrinterControl::printRegularBlankChecks);
    entry(m_ui->BlankQuicken, &PrinterControl::printQuickenChecks);
    entry(m_ui->qcbv, &PrinterControl::printVoucherChecks);
    entry(m_ui->BlankDepositTickets, &PrinterControl::printDepositTickets);
    entry(m_ui->PurchasingCheckStock, &PrinterControl::openAbout);
    entry(m_ui->PrintControlAbout, &PrinterControl::openAbout);
    const std::pair<QAction*, QString (*)()> help[] = {
        {m_ui->canpp, PrintingHelp::checksNotPrinting},
        {m_ui->hpl, PrintingHelp::printingLabels},
        {m_ui->hpbsc, PrintingHelp::printingBlankChecks},
        {m_ui->pcfqoqb, PrintingHelp::printingQuickenChecks},
        {m_ui->pcmth, PrintingHelp::printingMultipleTimes},
        {m_ui->atpcm, PrintingHelp::selectingWhatToPrint},
        {m_ui->spmcb, PrintingHelp::aboutCheckStock},
    };
    for (const auto& [action, text] : help)
        connect(action, &QAction::triggered, this, [this, text = text] { showHelp(text()); });
}

PrinterControl::~PrinterControl() = default;

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
        m_ui->QCS->setChecked(stored.use88mm);
        m_ui->Print2Checks->setChecked(stored.twoPerPage);
        m_ui->Check1->setChecked(stored.plainPaper);
    });
    show();
    tellIfFails(prompter, [&] {
        const PrintCounts counts = PrintCounts::count(databasePath());
        const std::pair<QLineEdit*, qint64> shown[] = {{m_ui->OTNumber, counts.once},
                                                       {m_ui->MNumber, counts.monthly},
                                                       {m_ui->OLNumber, counts.oneTimeLabels},
                                                       {m_ui->MLNumber, counts.monthlyLabels}};
        QCheckBox* boxes[] = {m_ui->Once, m_ui->Monthly, m_ui->OLabel, m_ui->MLabel};
        for (int i = 0; i < 4; ++i) {
            shown[i].first->setText(QString::number(shown[i].second));
            // The count boxes take no focus: their box carries the count to a screen reader.
            boxes[i]->setAccessibleDescription(QStringLiteral("%1 to print").arg(shown[i].second));
        }
    });
}

PrintSelection PrinterControl::selection() const {
    PrintSelection s;
    s.once = m_ui->Once->isChecked();
    s.monthly = m_ui->Monthly->isChecked();
    s.oneTimeLabels = m_ui->OLabel->isChecked();
    s.monthlyLabels = m_ui->MLabel->isChecked();
    return s;
}

StockOptions PrinterControl::options() const {
    StockOptions o;
    o.use88mm = m_ui->QCS->isChecked();
    o.twoPerPage = m_ui->Print2Checks->isChecked();
    o.plainPaper = m_ui->Check1->isChecked();
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
        // As Done: the options are stored and data entry comes back; the program goes on.
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
    tellIfFails(m_context.prompter(), [&] {
        auto page = m_context.printer().startJob(QStringLiteral("calibration lines"));
        CalibrationSheet::print(*page);
        const QString notice = page->destinationNotice();
        if (!notice.isEmpty())
            m_context.prompter().message(notice, {}, Prompter::Icon::Information);
    });
}

void PrinterControl::setUpPrinter() {
    tellIfFails(m_context.prompter(), [&] { m_context.printDialogs().setUpPrinter(this); });
}

void PrinterControl::openAlignment() {
    if (storeOptions())
        leaveFor(&AppContext::openAlignPrinter);
}

void PrinterControl::returnToDataEntry() {
    if (storeOptions())
        leaveFor(&AppContext::openCheck);
}

void PrinterControl::notePlainPaper(bool checked) {
    if (checked)
        m_context.prompter().message(PrintingHelp::plainPaperNote(),
                                     PrintingHelp::kPlainPaperNoteTitle);
}

// The blank layouts open their own screens once they come; until then each entry says so.
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
        job.run(layout, databasePath(), blankSettings());
    });
}

void PrinterControl::printDepositTickets() {
    tellIfFails(m_context.prompter(), [&] {
        DepositTicketJob job(m_context.printer(), m_context.prompter(), m_context.clock(),
                             m_context.program());
        job.run(databasePath(), blankSettings());
    });
}

void PrinterControl::showHelp(const QString& text) {
    m_context.prompter().message(text);
}

void PrinterControl::openAbout() {
    m_context.openHelpAbout();
}
