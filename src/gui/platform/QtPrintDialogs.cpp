#include "gui/platform/QtPrintDialogs.h"

#include "core/platform/DbError.h"
#include "core/platform/Failure.h"
#include "gui/platform/QtPreviewPrinter.h"
#include "gui/platform/QtPrintPage.h"
#include "gui/platform/QtPrinter.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

QtPrintDialogs::QtPrintDialogs(QtPrinter* printer, Prompter& prompter)
    : m_printer(printer), m_prompter(prompter) {}

void QtPrintDialogs::setUpPrinter(QWidget* parent) {
    if (!m_printer)
        throw DbError(QStringLiteral("Printer Setup is not available here."));
    QPrinter chosen(QPrinter::HighResolution);
    m_printer->showChoice(chosen);
    QtPrintPage::setUpSheet(chosen);
    QPrintDialog dialog(&chosen, parent);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    // Only where the jobs go is chosen here: every job prints all of its pages, once.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // Nothing prints when the dialog closes: its button says so.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_printer->choose(chosen);
}

void QtPrintDialogs::preview(QWidget* parent, const std::function<void(Printer&)>& draw) {
    QPrinter printer(QPrinter::HighResolution);
    if (m_printer)
        m_printer->showPreviewOn(printer);
    else
        printer.setOutputFormat(QPrinter::PdfFormat);
    // After the printer is chosen: choosing it may bring its own paper.
    QtPrintPage::setUpSheet(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    // Checks are printed by the Print run alone, which asks whether they printed and marks
    // them; and the sheet is always Letter, portrait.
    for (QAction* action : dialog.findChildren<QAction*>()) {
        const QString text = action->text();
        if (text == QCoreApplication::translate("QPrintPreviewDialog", "Print") ||
            text == QCoreApplication::translate("QPrintPreviewDialog", "Page setup") ||
            text == QCoreApplication::translate("QPrintPreviewDialog", "Portrait") ||
            text == QCoreApplication::translate("QPrintPreviewDialog", "Landscape"))
            action->setVisible(false);
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        QtPreviewPrinter pages(*target);
        tellIfFails(m_prompter, [&] { draw(pages); });
        pages.finish();
    });
    dialog.exec();
}
