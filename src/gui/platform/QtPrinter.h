#pragma once

#include "core/platform/Printer.h"

/// The system's printers through Qt. The fonts are those installed on the system, which is
/// what a printer driver renders with.
class QtPrinter : public Printer {
public:
    QStringList fonts() const override;
    std::unique_ptr<PrintPage> startJob(const QString& contents) override;
};
