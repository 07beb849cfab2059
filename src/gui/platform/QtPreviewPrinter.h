#pragma once

#include "core/platform/Printer.h"

#include <QPainter>

class QPrinter;

/// A printer whose jobs all go into one document, the one a print preview window shows:
/// each job from a new sheet, drawn exactly as the program's printer page draws it.
class QtPreviewPrinter : public Printer {
public:
    explicit QtPreviewPrinter(QPrinter& printer);
    ~QtPreviewPrinter() override;

    QStringList fonts() const override;
    std::unique_ptr<PrintPage> startJob(const QString& contents) override;

    /// Ends the document once the last job is drawn.
    void finish();

private:
    QPrinter& m_printer;
    QPainter m_painter;
};
