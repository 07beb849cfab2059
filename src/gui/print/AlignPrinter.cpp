#include "gui/print/AlignPrinter.h"

#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/print/PrinterAlignment.h"
#include "core/settings/SettingsDb.h"
#include "gui/app/AppContext.h"
#include "gui/platform/CaptionClick.h"
#include "gui/platform/ScreenForm.h"
#include "gui/print/PrintingHelp.h"

#include <QCloseEvent>

AlignPrinter::AlignPrinter(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
    CaptionClick::byBuddies(this);
}

void AlignPrinter::load() {
    tellIfFails(m_context.prompter(), [&] {
        const PrinterAlignment::Values stored =
            PrinterAlignment::read(m_context.program().path(SettingsDb::kFileName));
        m_ui.Text3->setText(stored.vertical);
        m_ui.Text2->setText(stored.horizontal);
        m_ui.QCS->setChecked(stored.use88mm);
    });
    show();
    m_ui.TEXT4->setPlainText(PrintingHelp::standardPrintingMethod());
    m_ui.Text1->setPlainText(PrintingHelp::alignmentInformation());
}

bool AlignPrinter::storeAlignment() {
    PrinterAlignment::Values typed;
    typed.vertical = m_ui.Text3->text();
    typed.horizontal = m_ui.Text2->text();
    typed.use88mm = m_ui.QCS->isChecked();
    PrinterAlignment::Result result;
    if (!tellIfFails(m_context.prompter(), [&] {
            result =
                PrinterAlignment::store(m_context.program().path(SettingsDb::kFileName), typed);
        }))
        return false;
    if (result.problem.isEmpty())
        return true;
    // A refused box shows the value it keeps, and takes the cursor for the next try.
    if (result.horizontalRefused) {
        m_ui.Text2->setText(result.stored.horizontal);
        m_ui.Text2->setFocus();
        m_ui.Text2->selectAll();
    }
    if (result.verticalRefused) {
        m_ui.Text3->setText(result.stored.vertical);
        m_ui.Text3->setFocus();
        m_ui.Text3->selectAll();
    }
    m_context.prompter().message(result.problem, {}, Prompter::Icon::Warning);
    return false;
}

void AlignPrinter::acceptAlignment() {
    close();
}

void AlignPrinter::closeEvent(QCloseEvent* event) {
    if (!m_leaving) {
        if (!storeAlignment()) {
            event->ignore();
            return;
        }
        m_leaving = true;
        m_context.openPrinterControl();
    }
    QWidget::closeEvent(event);
}
