#pragma once

#include "core/platform/Printer.h"

#include <QDir>

class QPrinter;

/// The system's printers through Qt. The fonts are those installed on the system (and
/// those the program registers itself), which is what a printer driver renders with.
///
/// Jobs go to the system's default printer. On a computer without a printer they are
/// written as PDF files into the program folder, each job a file of its own named by the
/// date, time and contents ("Ledgerline 2026-12-08 14.05 checks.pdf"), numbered when the
/// name is taken. The printer setup dialog may choose a printer or a PDF file for the rest
/// of the run; with a chosen file each job is written beside it under that name, numbered,
/// and never over an earlier job.
class QtPrinter : public Printer {
public:
    explicit QtPrinter(const QString& programFolder = QDir::currentPath());

    QStringList fonts() const override;
    /// Throws DbError when the chosen printer is no longer there.
    std::unique_ptr<PrintPage> startJob(const QString& contents) override;

    /// Sends the following jobs to the system printer of that name. Throws DbError when the
    /// system has no such printer.
    void usePrinter(const QString& name);
    /// Writes the following jobs to PDF files named after `path`.
    void useFile(const QString& path);
    /// Back to the default printer (or PDF files in the program folder).
    void useDefault();

    /// Presets `printer` to the choice in force, for the printer setup dialog to start from.
    void showChoice(QPrinter& printer) const;
    /// Takes what the printer setup dialog left in `printer`: a PDF file, or a printer.
    /// Throws DbError when it names no file, or a printer that is not there.
    void choose(const QPrinter& printer);
    /// Sets a print preview's `printer` to the page the jobs would get: the chosen (or the
    /// default) printer's printable area, or the whole sheet of a PDF file.
    void showPreviewOn(QPrinter& printer) const;

    enum class Target { Default, Printer, File };
    Target target() const { return m_target; }
    /// The chosen printer's name or PDF file; empty for the default.
    const QString& chosen() const { return m_chosen; }

private:
    QDir m_programFolder;
    Target m_target = Target::Default;
    QString m_chosen;
};
