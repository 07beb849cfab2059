#pragma once

#include "core/platform/PrintPage.h"

#include <QFont>
#include <functional>

/// A print page that keeps everything printed on it, with its position and font state, for
/// tests and for counting what a job would print. Text is measured with the same fonts and
/// the same twip mapping as the printer's page, so line ends move y as they do on paper.
class RecordingPage : public PrintPage {
public:
    struct Text {
        int page; ///< 0 for the first sheet
        double x;
        double y;
        QString text;
        PrintFont font;
        int statement = 0; ///< the print statement it belongs to, from 0
    };
    struct Line {
        int page;
        double x1, y1, x2, y2;
        int width;
    };

    explicit RecordingPage(QStringList fonts = {}) : m_fonts(std::move(fonts)) {}
    RecordingPage(const RecordingPage& other) = default;
    ~RecordingPage() override;

    /// Called with the page when it goes, so that what it recorded can be kept.
    void setOnDestroyed(std::function<void(const RecordingPage&)> onDestroyed) {
        m_onDestroyed = std::move(onDestroyed);
    }

    int fontCount() const override { return int(m_fonts.size()); }
    QString fontName(int index) const override { return m_fonts.value(index); }
    void setFonts(QStringList fonts) { m_fonts = std::move(fonts); }

    /// Every text item, empty ones included, in the order printed.
    const QList<Text>& texts() const { return m_texts; }
    const QList<Line>& lines() const { return m_lines; }
    /// Sheets started so far (0 until something is printed).
    int pages() const { return m_pages; }
    bool ended() const { return m_ended; }

protected:
    double drawText(double x, double y, const QString& text, const PrintFont& font) override;
    double lineHeight(const PrintFont& font) override;
    void drawLineAt(double x1, double y1, double x2, double y2, int width) override;
    void startNewPage() override;
    void finishDocument() override;

private:
    void touch();

    QStringList m_fonts;
    QList<Text> m_texts;
    QList<Line> m_lines;
    int m_pages = 0;
    bool m_ended = false;
    std::function<void(const RecordingPage&)> m_onDestroyed;
};

/// The font the printer's page draws with for a font state, sized for a page on which one
/// unit is one twip.
QFont twipFont(const PrintFont& font);
