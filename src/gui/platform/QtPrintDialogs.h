#pragma once

#include "gui/platform/PrintDialogs.h"

class Prompter;
class QtPrinter;

/// The system's printer setup dialog (QPrintDialog) and print preview window
/// (QPrintPreviewDialog). The setup's choice is kept by the program's QtPrinter for the
/// rest of the run; the preview shows the pages as that printer would get them and offers
/// no way to print from it, so that checks are only ever printed by the Print run.
class QtPrintDialogs : public PrintDialogs {
public:
    /// `printer` is the program's printer, or null where there is none to set up.
    QtPrintDialogs(QtPrinter* printer, Prompter& prompter);

    void setUpPrinter(QWidget* parent) override;
    void preview(QWidget* parent, const std::function<void(Printer&)>& draw) override;

private:
    QtPrinter* m_printer;
    Prompter& m_prompter;
};
