#include "gui/platform/QtPrinter.h"

#include "core/databases/PartFile.h"
#include "core/platform/DbError.h"
#include "core/platform/Program.h"
#include "gui/platform/PrintQueue.h"
#include "gui/platform/QtPrintPage.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPrinter>

namespace {

/// How far the printer's printable area starts from the paper's edges, in points, as the
/// print system describes the printer.
QMarginsF marginsOf(const QString& printerName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(printerName);
    QtPrintPage::setUpSheet(printer);
    return printer.pageLayout().margins(QPageLayout::Point);
}

std::unique_ptr<PrintPage> printerJob(const QString& printerName, const QString& contents) {
    // A queue that would hold the job, or none that would take it, is told before anything
    // is sent.
    PrintQueue::checkReady(printerName, contents);
    return QtPrintPage::toPrinter(printerName, marginsOf(printerName), contents);
}

} // namespace

QtPrinter::QtPrinter(const QString& programFolder) : m_programFolder(programFolder) {
    // Print jobs a copy of Ledgerline left half written when it was stopped.
    PartFile::removeStale(m_programFolder);
}

QStringList QtPrinter::fonts() const {
    return QFontDatabase::families();
}

std::unique_ptr<PrintPage> QtPrinter::startJob(const QString& contents) {
    switch (m_target) {
    case Target::Printer:
        if (!PrintQueue::exists(m_chosen))
            throw DbError(QStringLiteral("The printer \"%1\" chosen in Printer Setup is no longer "
                                         "available. Choose another printer and print again.")
                              .arg(m_chosen));
        return printerJob(m_chosen, contents);
    case Target::File: {
        const QFileInfo file(m_chosen);
        QString base = file.fileName();
        if (base.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            base.chop(4);
        return QtPrintPage::toPdf(file.absoluteDir(), base, contents, false);
    }
    case Target::Default:
        break;
    }
    if (const QString system = PrintQueue::defaultPrinter(); !system.isEmpty())
        return printerJob(system, contents);
    const QString base =
        QStringLiteral("%1 %2 %3")
            .arg(QString::fromLatin1(Program::kName),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm")),
                 contents);
    return QtPrintPage::toPdf(m_programFolder, base, contents, true);
}

void QtPrinter::usePrinter(const QString& name) {
    if (!PrintQueue::exists(name))
        throw DbError(
            QStringLiteral("There is no printer named \"%1\" on this computer.").arg(name));
    m_target = Target::Printer;
    m_chosen = name;
}

void QtPrinter::useFile(const QString& path) {
    m_target = Target::File;
    m_chosen = QFileInfo(path).absoluteFilePath();
}

void QtPrinter::useDefault() {
    m_target = Target::Default;
    m_chosen.clear();
}

void QtPrinter::showChoice(QPrinter& printer) const {
    const QString name = m_target == Target::Printer ? m_chosen : PrintQueue::defaultPrinter();
    if (m_target == Target::File || name.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_target == Target::File
                                      ? m_chosen
                                      : m_programFolder.filePath(QStringLiteral("Ledgerline.pdf")));
        return;
    }
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
}

void QtPrinter::choose(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (printer.outputFileName().isEmpty())
            throw DbError(QStringLiteral("No name was given for the PDF file, so the printer "
                                         "was not changed."));
        useFile(printer.outputFileName());
        return;
    }
    usePrinter(printer.printerName());
}

void QtPrinter::showPreviewOn(QPrinter& printer) const {
    const QString name = m_target == Target::Printer ? m_chosen : PrintQueue::defaultPrinter();
    // A PDF file gets the whole sheet, as does a computer without a printer.
    if (m_target == Target::File || name.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return;
    }
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
}
