#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

/// One item of a print statement. A text prints as it stands; a number prints in plain
/// decimal form (a minus sign when negative, no thousands separators, no zeros after the
/// last significant decimal) with one blank before it, in the place of a plus sign, and
/// one blank after it.
class PrintItem {
public:
    PrintItem(QString text) : m_text(std::move(text)) {}             // NOLINT: a text is an item
    PrintItem(const char* text) : m_text(QString::fromUtf8(text)) {} // NOLINT

    static PrintItem number(qint64 value);
    /// A number given in plain decimal form ("12.50", "-3"); trailing zeros are dropped.
    static PrintItem number(const QString& plainDecimal);
    /// A field value: Null prints as the empty text; a value of a numeric column (an
    /// integer or a real) prints as a number; anything else as a text.
    static PrintItem value(const QVariant& value);

    const QString& text() const { return m_text; }

private:
    QString m_text;
};

/// The font state of the print page. Sizes are points.
struct PrintFont {
    QString face;
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool operator==(const PrintFont&) const = default;
};

/// The print page every layout draws on: one print job on the printer (or a PDF file),
/// addressed in twips (1440 to the inch) from the top left corner of the printable area,
/// x to the right and y downwards.
///
/// Position and font state persist from item to item until they are set again. A print
/// statement prints its items in sequence from the current position, x moving to the end
/// of each item; after the last one the line ends: x returns to 0 and y moves down by the
/// line height of the font then in effect.
///
/// Failures of the job itself (the printer or the PDF file refuses a page, the document
/// cannot be ended) throw DbError with a message fit to show the user.
class PrintPage {
public:
    virtual ~PrintPage() = default;

    /// The fonts the printer offers, by index from 0 to fontCount() - 1.
    virtual int fontCount() const = 0;
    virtual QString fontName(int index) const = 0;

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }

    const PrintFont& font() const { return m_font; }
    void setFontName(const QString& face) { m_font.face = face; }
    void setFontSize(double points) { m_font.size = points; }
    void setBold(bool on) { m_font.bold = on; }
    void setItalic(bool on) { m_font.italic = on; }

    /// Pen width in dots of a 300 dpi printer (1 is a fine rule, 4 a heavy one).
    int lineWidth() const { return m_lineWidth; }
    void setLineWidth(int width) { m_lineWidth = width; }

    /// One print statement: the items from the current position, then the line ends.
    void print(const QList<PrintItem>& items);
    /// Print statements completed so far in this job.
    int statements() const { return m_statements; }
    /// A line in black, in the current line width.
    void drawLine(double x1, double y1, double x2, double y2);
    /// Ends the current sheet; what follows goes on a new one. x and y return to 0. When
    /// nothing follows before the document ends, no blank sheet is fed; two breaks in a row
    /// do feed a blank sheet, as the printer would.
    void newPage();
    /// Ends the job and hands it to the printer (or finishes the file).
    void endDocument();

    /// After endDocument(): what the user must be told about where the job went, in one
    /// message (the PDF file it was written to when no printer is set up); empty when it
    /// went to a printer.
    virtual QString destinationNotice() const { return {}; }

protected:
    /// Draws `text` with its top left corner at (x, y); returns its advance width. The
    /// advance of the last item of a statement is not used (the line ends after it), so a
    /// page may skip measuring it when advanceNeeded() is false.
    virtual double drawText(double x, double y, const QString& text, const PrintFont& font) = 0;
    /// The height of one line of `font`.
    virtual double lineHeight(const PrintFont& font) = 0;
    virtual void drawLineAt(double x1, double y1, double x2, double y2, int width) = 0;
    virtual void startNewPage() = 0;
    virtual void finishDocument() = 0;
    /// While drawText() runs: whether another item of the same statement follows.
    bool advanceNeeded() const { return m_advanceNeeded; }

private:
    double m_x = 0;
    double m_y = 0;
    PrintFont m_font;
    int m_lineWidth = 1;
    bool m_breakPending = false;
    int m_statements = 0;
    bool m_advanceNeeded = true;
};

/// True when a font list entry is the font `family` (letter case counts): the family's
/// name, or the name with its foundry, "MICR65 [Foundry]", as Qt lists a family that
/// several foundries supply.
bool IsFontFamily(const QString& listed, const QString& family);

/// True when the printer lists the font `name` (see IsFontFamily).
bool PrinterHasFont(const PrintPage& page, const QString& name);
