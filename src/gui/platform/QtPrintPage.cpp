#include "gui/platform/QtPrintPage.h"

#include "core/platform/DbError.h"
#include "core/platform/RecordingPage.h"
#include "gui/platform/JobFile.h"
#include "gui/platform/PrintQueue.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>

namespace {

// Font metrics are asked for at every item; building them is the costly part of measuring,
// and a job uses only a handful of font states.
QFontMetricsF metricsFor(const PrintFont& font) {
    thread_local QList<std::pair<PrintFont, QFontMetricsF>> cache;
    for (const auto& [state, metrics] : cache)
        if (state == font)
            return metrics;
    if (cache.size() > 64)
        cache.clear();
    cache.append({font, QFontMetricsF(twipFont(font))});
    return cache.last().second;
}

// The resolution of the job's document: what a laser printer prints at, and fine enough
// that no place on the page is rounded by more than a fiftieth of a point.
constexpr int kDocumentDpi = 1200;

} // namespace

void QtPrintPage::setUpSheet(QPrinter& printer) {
    // Letter portrait, and margins of zero, which Qt raises to the least the printer can do:
    // (0, 0) is then the corner of what the printer can reach (the paper corner on a PDF).
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    printer.setColorMode(QPrinter::GrayScale);
}

QtPrintPage::QtPrintPage(Output output, QString contents)
    : m_output(output), m_contents(std::move(contents)), m_painter(&m_ownPainter),
      m_fonts(QFontDatabase::families()) {}

QtPrintPage::QtPrintPage(QPrinter& printer, QPainter& painter)
    : m_output(Output::Shared), m_device(&printer), m_painter(&painter),
      m_fonts(QFontDatabase::families()) {}

std::unique_ptr<QtPrintPage> QtPrintPage::onto(QPrinter& printer, QPainter& painter) {
    return std::unique_ptr<QtPrintPage>(new QtPrintPage(printer, painter));
}

std::unique_ptr<QtPrintPage> QtPrintPage::toPrinter(const QString& printerName,
                                                    const QMarginsF& margins,
                                                    const QString& contents) {
    std::unique_ptr<QtPrintPage> page(new QtPrintPage(Output::Printer, contents));
    page->m_printerName = printerName;
    page->m_margins = margins;
    // The job waits in the computer's temporary folder until the print system takes it.
    page->m_folder = QDir::temp();
    return page;
}

std::unique_ptr<QtPrintPage> QtPrintPage::toPdf(const QDir& folder, const QString& baseName,
                                                const QString& contents, bool noPrinter) {
    std::unique_ptr<QtPrintPage> page(new QtPrintPage(Output::PdfFile, contents));
    page->m_noPrinter = noPrinter;
    page->m_folder = folder;
    page->m_baseName = baseName;
    return page;
}

QtPrintPage::~QtPrintPage() {
    // A shared document belongs to whoever holds its painter. A job of our own that did not
    // finish ends here unused: its private file goes with m_file.
    if (m_output != Output::Shared && m_painter->isActive())
        m_painter->end();
}

int QtPrintPage::fontCount() const {
    return int(m_fonts.size());
}

QString QtPrintPage::fontName(int index) const {
    return m_fonts.value(index);
}

QString QtPrintPage::where() const {
    switch (m_output) {
    case Output::PdfFile:
        return QStringLiteral("the PDF file in %1")
            .arg(QDir::toNativeSeparators(m_folder.absolutePath()));
    case Output::Printer:
        return QStringLiteral("the printer \"%1\"").arg(m_printerName);
    case Output::Shared:
        break;
    }
    return QStringLiteral("the preview");
}

void QtPrintPage::begin() {
    if (m_begun)
        return;
    if (m_output == Output::Shared) {
        // A job that follows another one in the same document starts on a sheet of its own.
        if (m_painter->isActive()) {
            if (!m_device->newPage())
                throw DbError(QStringLiteral("A new sheet could not be started on the "
                                             "preview."));
            m_begun = true;
            return;
        }
        if (!m_painter->begin(m_device))
            throw DbError(QStringLiteral("The preview could not be drawn."));
        m_begun = true;
        scaleToTwips();
        return;
    }
    // The job is drawn into a private file of its own and used only when complete: no
    // earlier file is ever opened for writing, and nothing half drawn reaches a printer.
    m_file = std::make_unique<JobFile>(m_folder, m_contents);
    m_file->create();
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    m_writer->setResolution(kDocumentDpi);
    m_writer->setCreator(QStringLiteral("Ledgerline"));
    m_writer->setTitle(m_output == Output::PdfFile ? m_baseName : QStringLiteral("Ledgerline"));
    // The document is the whole sheet; where the printer cannot reach, its margins keep
    // (0, 0) at the corner of what it can.
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                        m_margins, QPageLayout::Point));
    m_device = m_writer.get();
    if (!m_painter->begin(m_device))
        throw DbError(QStringLiteral("The %1 could not be drawn for %2.").arg(m_contents, where()));
    m_begun = true;
    scaleToTwips();
}

void QtPrintPage::scaleToTwips() {
    // One unit is one twip, on either axis.
    m_painter->scale(m_device->logicalDpiX() / 1440.0, m_device->logicalDpiY() / 1440.0);
    m_painter->setRenderHint(QPainter::TextAntialiasing);
    m_painter->setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap));
}

void QtPrintPage::useFont(const PrintFont& font) {
    if (m_painterFontSet && m_painterFont == font)
        return;
    m_painter->setFont(twipFont(font));
    m_painterFont = font;
    m_painterFontSet = true;
}

double QtPrintPage::drawText(double x, double y, const QString& text, const PrintFont& font) {
    if (text.isEmpty())
        return 0;
    const QFontMetricsF metrics = metricsFor(font);
    begin();
    useFont(font);
    m_painter->drawText(QPointF(x, y + metrics.ascent()), text);
    // Measuring shapes the text a second time: only when the next item needs it.
    return advanceNeeded() ? metrics.horizontalAdvance(text) : 0;
}

double QtPrintPage::lineHeight(const PrintFont& font) {
    return metricsFor(font).lineSpacing();
}

void QtPrintPage::drawLineAt(double x1, double y1, double x2, double y2, int width) {
    begin();
    // A line width counts printer dots of a 300 dpi printer (4.8 twips each), so the
    // heavier rules stay heavier on every printer and in a PDF, whatever its resolution.
    m_painter->setPen(QPen(Qt::black, width * 4.8, Qt::SolidLine, Qt::FlatCap));
    m_painter->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtPrintPage::startNewPage() {
    begin();
    if (!m_device->newPage())
        throw DbError(QStringLiteral("A new sheet could not be started on %1; the %2 were not "
                                     "all printed.")
                          .arg(where(), m_contents));
}

void QtPrintPage::finishDocument() {
    if (!m_begun || m_output == Output::Shared) {
        // Nothing was printed, or the document goes on with the next job of a preview: no
        // sheet is fed and no file is written.
        m_finished = true;
        return;
    }
    if (!m_painter->end())
        throw DbError(
            QStringLiteral("The %1 could not be finished for %2.").arg(m_contents, where()));
    m_writer.reset();
    // Only a whole file goes on: to its name, or to the print system.
    m_file->finish();
    if (m_output == Output::PdfFile)
        m_written = m_file->publish(m_baseName);
    else
        PrintQueue::submit(m_printerName, m_file->path(), QStringLiteral("Ledgerline"));
    m_file.reset();
    m_finished = true;
}

QString QtPrintPage::destinationNotice() const {
    if (m_written.isEmpty())
        return {};
    const QFileInfo file(m_written);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    if (m_noPrinter)
        return QStringLiteral("No printer is set up on this computer, so the %1 were written "
                              "to the PDF file \"%2\" in the folder %3. Open that file to "
                              "print them later.")
            .arg(m_contents, file.fileName(), folder);
    return QStringLiteral("The %1 were written to the PDF file \"%2\" in the folder %3.")
        .arg(m_contents, file.fileName(), folder);
}
