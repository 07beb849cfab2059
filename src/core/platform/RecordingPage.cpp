#include "core/platform/RecordingPage.h"

#include <QFont>
#include <QFontMetricsF>

QFont twipFont(const PrintFont& f) {
    // A page whose face was never set prints in the system's default font (the calibration
    // sheet does). A font with an empty family would do the same on paper, but a print
    // preview cannot record it: Qt 6.4 crashes writing it into the preview's pages.
    QFont font = f.face.isEmpty() ? QFont() : QFont(f.face);
    // A pixel size, not a point size: under a painter scaled to twips, a point size would be
    // scaled twice.
    font.setPixelSize(qRound(f.size * 20));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

RecordingPage::~RecordingPage() {
    if (m_onDestroyed)
        m_onDestroyed(*this);
}

void RecordingPage::touch() {
    if (m_pages == 0)
        m_pages = 1;
}

double RecordingPage::drawText(double x, double y, const QString& text, const PrintFont& font) {
    if (!text.isEmpty())
        touch();
    m_texts.append({qMax(0, m_pages - 1), x, y, text, font, statements()});
    return QFontMetricsF(twipFont(font)).horizontalAdvance(text);
}

double RecordingPage::lineHeight(const PrintFont& font) {
    return QFontMetricsF(twipFont(font)).lineSpacing();
}

void RecordingPage::drawLineAt(double x1, double y1, double x2, double y2, int width) {
    touch();
    m_lines.append({m_pages - 1, x1, y1, x2, y2, width});
}

void RecordingPage::startNewPage() {
    touch();
    ++m_pages;
}

void RecordingPage::finishDocument() {
    m_ended = true;
}
