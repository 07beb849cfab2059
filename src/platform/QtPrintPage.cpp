#include "platform/QtPrintPage.h"

#include <QFontDatabase>

QtPrintPage::QtPrintPage() : m_fonts(QFontDatabase::families()) {}

int QtPrintPage::fontCount() const {
    return int(m_fonts.size());
}

QString QtPrintPage::fontName(int index) const {
    return m_fonts.value(index);
}
