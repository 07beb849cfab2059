#pragma once

#include <QString>
#include <QStringList>

/// The printer as the program sees it. This part answers which fonts the printer can
/// use; the page operations join it as the printed layouts are built.
class PrintPage {
public:
    virtual ~PrintPage() = default;

    /// The printer's installed fonts, by index from 0 to fontCount() - 1.
    virtual int fontCount() const = 0;
    virtual QString fontName(int index) const = 0;
};

/// True when the printer lists a font of exactly this name (letter case counts).
bool PrinterHasFont(const PrintPage& page, const QString& name);

/// A printer whose font list is given; tests and the tour use it.
class FontListPage : public PrintPage {
public:
    explicit FontListPage(QStringList fonts = {}) : m_fonts(std::move(fonts)) {}
    int fontCount() const override { return int(m_fonts.size()); }
    QString fontName(int index) const override { return m_fonts.value(index); }
    void setFonts(QStringList fonts) { m_fonts = std::move(fonts); }

private:
    QStringList m_fonts;
};
