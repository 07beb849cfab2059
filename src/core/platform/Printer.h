#pragma once

#include "core/platform/PrintPage.h"

#include <QStringList>
#include <memory>

/// Where print jobs go: the system's printer or PDF files in the program's run, recording
/// pages in tests. Each job is a print page of its own.
class Printer {
public:
    virtual ~Printer() = default;

    /// The fonts the printer offers, in the printer's order.
    virtual QStringList fonts() const = 0;

    /// Starts a job that holds `contents` (in words: "checks", "labels"). Nothing reaches
    /// the printer or a file until the job prints something or ends.
    virtual std::unique_ptr<PrintPage> startJob(const QString& contents) = 0;
};

/// True when the printer lists the font `name`, by itself or from one of several foundries
/// (letter case counts; see IsFontFamily).
bool PrinterHasFont(const Printer& printer, const QString& name);
