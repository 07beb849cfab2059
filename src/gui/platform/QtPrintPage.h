#pragma once

#include "core/platform/PrintPage.h"

/// The system's printer through Qt. Its fonts are the fonts installed on the system,
/// which is what a printer driver renders with. (Only the font list so far: the page
/// operations come with printing.)
class QtPrintPage : public PrintPage {
public:
    QtPrintPage();
    int fontCount() const override;
    QString fontName(int index) const override;

protected:
    double drawText(double x, double y, const QString& text, const PrintFont& font) override;
    double lineHeight(const PrintFont& font) override;
    void drawLineAt(double x1, double y1, double x2, double y2, int width) override;
    void startNewPage() override;
    void finishDocument() override;

private:
    QStringList m_fonts;
};
