#include "core/platform/PrintPage.h"

#include "core/platform/Printer.h"

#include <algorithm>

namespace {

// Plain decimal form: no exponent, no thousands separators, no trailing zeros.
QString plainDecimal(QString digits) {
    if (digits.contains(QLatin1Char('.'))) {
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        if (digits.endsWith(QLatin1Char('.')))
            digits.chop(1);
    }
    if (digits == QLatin1String("-0"))
        digits = QStringLiteral("0");
    return digits;
}

// A number takes one blank before it in the place of a plus sign, and one after it.
QString signedWithBlanks(const QString& digits) {
    return digits.startsWith(QLatin1Char('-')) ? digits + QLatin1Char(' ')
                                               : QLatin1Char(' ') + digits + QLatin1Char(' ');
}

} // namespace

PrintItem PrintItem::number(qint64 value) {
    return PrintItem(signedWithBlanks(QString::number(value)));
}

PrintItem PrintItem::number(const QString& plain) {
    return PrintItem(signedWithBlanks(plainDecimal(plain.trimmed())));
}

PrintItem PrintItem::value(const QVariant& value) {
    if (value.isNull())
        return PrintItem(QString());
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return number(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return number(QString::number(value.toDouble(), 'f', 10));
    default:
        return PrintItem(value.toString());
    }
}

void PrintPage::print(const QList<PrintItem>& items) {
    for (qsizetype i = 0; i < items.size(); ++i) {
        const PrintItem& item = items[i];
        if (m_breakPending && !item.text().isEmpty()) {
            m_breakPending = false;
            startNewPage();
        }
        m_advanceNeeded = i + 1 < items.size();
        m_x += drawText(m_x, m_y, item.text(), m_font);
    }
    m_advanceNeeded = true;
    m_x = 0;
    m_y += lineHeight(m_font);
    ++m_statements;
}

void PrintPage::drawLine(double x1, double y1, double x2, double y2) {
    if (std::exchange(m_breakPending, false))
        startNewPage();
    drawLineAt(x1, y1, x2, y2, m_lineWidth);
}

void PrintPage::newPage() {
    // The break takes effect with the next output, so a job that ends right after the last
    // sheet's break feeds no blank sheet.
    if (m_breakPending)
        startNewPage();
    m_breakPending = true;
    m_x = 0;
    m_y = 0;
}

void PrintPage::endDocument() {
    m_breakPending = false;
    finishDocument();
}

bool IsFontFamily(const QString& listed, const QString& family) {
    if (!listed.startsWith(family))
        return false;
    const QStringView rest = QStringView(listed).sliced(family.size());
    return rest.isEmpty() || (rest.startsWith(u" [") && rest.endsWith(u']'));
}

bool PrinterHasFont(const PrintPage& page, const QString& name) {
    const int count = page.fontCount();
    for (int i = 0; i < count; ++i)
        if (IsFontFamily(page.fontName(i), name))
            return true;
    return false;
}

bool PrinterHasFont(const Printer& printer, const QString& name) {
    const QStringList fonts = printer.fonts();
    return std::any_of(fonts.cbegin(), fonts.cend(),
                       [&](const QString& listed) { return IsFontFamily(listed, name); });
}
