#pragma once

#include "core/platform/PrintPage.h"

#include <QDir>
#include <QMarginsF>
#include <QPainter>
#include <memory>

class JobFile;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

/// One print job through Qt: a QPainter on a PDF document, for a PDF file, for a queue of
/// the system's print system (CUPS), or drawn into a preview.
///
/// One painter unit is one twip: the painter is scaled by the device's resolution over
/// 1440, fonts take their size in pixels (points × 20), text is drawn at its top plus the
/// font's ascent and a line end moves y by the font's line spacing, exactly as the
/// recording page measures. Position (0, 0) is the top left corner of the printable area
/// (the paper corner on a PDF file). Nothing reaches the printer or the disk until the
/// first output; a job that prints nothing ends without a sheet or a file.
///
/// Every job is first written whole into a private file (JobFile) and checked. A PDF job
/// is then given the first free name of its series ("name.pdf", "name (2).pdf", ...), so
/// that it never replaces an earlier file and a failed job leaves no file behind; a printer
/// job is handed to the print system, and counts as printed once the print system has
/// accepted it.
class QtPrintPage : public PrintPage {
public:
    /// A job for the system's printer of that name, whose printable area starts `margins`
    /// (points) from the paper's edges; `contents` says what it holds ("checks").
    static std::unique_ptr<QtPrintPage>
    toPrinter(const QString& printerName, const QMarginsF& margins, const QString& contents);
    /// A job written to a new PDF file in `folder`, named `baseName` ".pdf" when that name is
    /// free, else `baseName` " (2).pdf" and so on. `contents` says what the job holds
    /// ("checks") for the notice; `noPrinter` says the file was written because the
    /// computer has no printer.
    static std::unique_ptr<QtPrintPage> toPdf(const QDir& folder, const QString& baseName,
                                              const QString& contents, bool noPrinter);
    /// A job drawn into a document that someone else holds open with `painter` (a print
    /// preview): its first output begins the painter, or starts a new sheet when an earlier
    /// job drew on it already; its end leaves the painter open for the next job. The owner
    /// ends the painter once the last job is drawn.
    static std::unique_ptr<QtPrintPage> onto(QPrinter& printer, QPainter& painter);

    /// Sets a printer up for the program's pages: Letter, portrait, margins as small as the
    /// printer allows, so that (0, 0) is the corner of what it can reach.
    static void setUpSheet(QPrinter& printer);

    /// An unfinished job is cancelled: nothing is printed, no file is left behind.
    ~QtPrintPage() override;

    int fontCount() const override;
    QString fontName(int index) const override;
    QString destinationNotice() const override;

    /// After endDocument(): the PDF file the job was written to (empty for a printer, or
    /// when the job printed nothing).
    const QString& writtenFile() const { return m_written; }

protected:
    double drawText(double x, double y, const QString& text, const PrintFont& font) override;
    double lineHeight(const PrintFont& font) override;
    void drawLineAt(double x1, double y1, double x2, double y2, int width) override;
    void startNewPage() override;
    void finishDocument() override;

private:
    enum class Output { PdfFile, Printer, Shared };

    QtPrintPage(Output output, QString contents);
    QtPrintPage(QPrinter& printer, QPainter& painter);
    void begin();
    void scaleToTwips();
    void useFont(const PrintFont& font);
    QString where() const;

    Output m_output;
    QString m_contents;
    QPainter m_ownPainter;
    QPagedPaintDevice* m_device = nullptr; // the job's own document, or a preview's printer
    QPainter* m_painter;                   // m_ownPainter, or the painter of a shared document
    QStringList m_fonts;
    bool m_begun = false;
    bool m_finished = false;
    PrintFont m_painterFont;
    bool m_painterFontSet = false;

    // A job of its own: the file it is drawn into and the document on it.
    QDir m_folder;
    std::unique_ptr<JobFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QMarginsF m_margins;

    // A PDF job: what it is called, and the file it became.
    bool m_noPrinter = false;
    QString m_baseName;
    QString m_written;

    // A printer job: the queue it goes to.
    QString m_printerName;
};
