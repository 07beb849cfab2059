#include "gui/platform/QtPrintPage.h"

#include "core/platform/DbError.h"
#include "core/platform/RecordingPage.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

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

QString candidateName(const QString& baseName, int number) {
    return number == 1 ? baseName + QStringLiteral(".pdf")
                       : QStringLiteral("%1 (%2).pdf").arg(baseName).arg(number);
}

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

QtPrintPage::QtPrintPage()
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)), m_device(m_printer.get()),
      m_painter(&m_ownPainter), m_fonts(QFontDatabase::families()) {
    setUpSheet(*m_printer);
}

QtPrintPage::QtPrintPage(QPrinter& printer, QPainter& painter)
    : m_device(&printer), m_painter(&painter), m_fonts(QFontDatabase::families()), m_shared(true) {}

std::unique_ptr<QtPrintPage> QtPrintPage::onto(QPrinter& printer, QPainter& painter) {
    return std::unique_ptr<QtPrintPage>(new QtPrintPage(printer, painter));
}

std::unique_ptr<QtPrintPage> QtPrintPage::toPrinter(const QString& printerName) {
    std::unique_ptr<QtPrintPage> page(new QtPrintPage());
    // The format is always set: without a printer Qt would quietly switch to PDF.
    page->m_device->setOutputFormat(QPrinter::NativeFormat);
    page->m_device->setPrinterName(printerName);
    page->m_device->setDocName(QStringLiteral("Ledgerline"));
    return page;
}

std::unique_ptr<QtPrintPage> QtPrintPage::toPdf(const QDir& folder, const QString& baseName,
                                                const QString& contents, bool noPrinter) {
    std::unique_ptr<QtPrintPage> page(new QtPrintPage());
    page->m_device->setOutputFormat(QPrinter::PdfFormat);
    page->m_device->setDocName(baseName);
    page->m_device->setCreator(QStringLiteral("Ledgerline"));
    page->m_toPdf = true;
    page->m_noPrinter = noPrinter;
    page->m_folder = folder;
    page->m_baseName = baseName;
    page->m_contents = contents;
    return page;
}

QtPrintPage::~QtPrintPage() {
    // A shared document belongs to whoever holds its painter.
    if (m_begun && !m_finished && !m_shared) {
        m_device->abort();
        if (m_painter->isActive())
            m_painter->end();
    }
    // m_temp removes the hidden file unless it became the job's file.
}

int QtPrintPage::fontCount() const {
    return int(m_fonts.size());
}

QString QtPrintPage::fontName(int index) const {
    return m_fonts.value(index);
}

QString QtPrintPage::where() const {
    return m_toPdf ? QStringLiteral("the PDF file in %1")
                         .arg(QDir::toNativeSeparators(m_folder.absolutePath()))
                   : QStringLiteral("the printer \"%1\"").arg(m_device->printerName());
}

void QtPrintPage::begin() {
    if (m_begun)
        return;
    if (m_shared) {
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
    if (m_toPdf) {
        // The job is written under a hidden name of its own and given its real name only
        // when complete: no earlier file is ever opened for writing.
        m_temp = std::make_unique<QTemporaryFile>(
            m_folder.filePath(QStringLiteral(".Ledgerline-job-XXXXXX.part")));
        if (!m_temp->open())
            throw DbError(QStringLiteral("The %1 could not be written to a PDF file in %2: %3. "
                                         "Check that the folder exists and that you may write "
                                         "in it.")
                              .arg(m_contents, QDir::toNativeSeparators(m_folder.absolutePath()),
                                   m_temp->errorString()));
        m_temp->close();
        m_device->setOutputFileName(m_temp->fileName());
    }
    if (!m_painter->begin(m_device))
        throw DbError(m_toPdf
                          ? QStringLiteral("The %1 could not be written to a PDF file in %2. "
                                           "Check that the folder exists, that you may write "
                                           "in it and that the disk is not full.")
                                .arg(m_contents, QDir::toNativeSeparators(m_folder.absolutePath()))
                          : QStringLiteral("The printer \"%1\" did not accept the print "
                                           "job. Check that it is switched on and "
                                           "connected, then print again.")
                                .arg(m_device->printerName()));
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
                          .arg(where(), m_toPdf ? m_contents : QStringLiteral("pages")));
}

void QtPrintPage::finishDocument() {
    if (!m_begun || m_shared) {
        // Nothing was printed, or the document goes on with the next job of a preview: no
        // sheet is fed and no file is written.
        m_finished = true;
        return;
    }
    if (!m_painter->end())
        throw DbError(m_toPdf
                          ? QStringLiteral("The PDF file of the %1 could not be finished in "
                                           "%2. Check that the disk is not full.")
                                .arg(m_contents, QDir::toNativeSeparators(m_folder.absolutePath()))
                          : QStringLiteral("The print job could not be handed to the "
                                           "printer \"%1\".")
                                .arg(m_device->printerName()));
    m_finished = true;
    if (m_toPdf) {
        m_written = placeFile();
        m_temp.reset();
    }
}

QString QtPrintPage::placeFile() {
    const QString temp = m_temp->fileName();
    if (QFileInfo(temp).size() == 0)
        throw DbError(QStringLiteral("The PDF file of the %1 could not be written in %2. Check "
                                     "that the disk is not full.")
                          .arg(m_contents, QDir::toNativeSeparators(m_folder.absolutePath())));
    for (int number = 1; number < 10000; ++number) {
        const QString target = m_folder.filePath(candidateName(m_baseName, number));
        // A hard link never replaces a file that exists: the first free name wins, also
        // against another program that takes a name at the same moment.
        if (::link(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) == 0)
            return target; // the temporary name goes when m_temp does
        const int error = errno;
        if (error == EEXIST)
            continue;
        // A file system without hard links: copy into a file created only if it is new.
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (out.exists())
                continue;
            throw DbError(QStringLiteral("The PDF file %1 could not be created: %2.")
                              .arg(QDir::toNativeSeparators(target), out.errorString()));
        }
        QFile in(temp);
        bool copied = in.open(QIODevice::ReadOnly);
        while (copied && !in.atEnd()) {
            const QByteArray chunk = in.read(1 << 20);
            copied = !chunk.isEmpty() && out.write(chunk) == chunk.size();
        }
        copied = copied && out.flush();
        out.close();
        if (!copied) {
            out.remove();
            throw DbError(QStringLiteral("The PDF file %1 could not be written. Check that the "
                                         "disk is not full.")
                              .arg(QDir::toNativeSeparators(target)));
        }
        return target;
    }
    throw DbError(QStringLiteral("There are too many PDF files named \"%1\" in %2. Move some "
                                 "of them elsewhere and print again.")
                      .arg(m_baseName, QDir::toNativeSeparators(m_folder.absolutePath())));
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
