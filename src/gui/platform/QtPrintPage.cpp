#include "gui/platform/QtPrintPage.h"

#include "core/platform/DbError.h"

#include <QFontDatabase>

QtPrintPage::QtPrintPage() : m_fonts(QFontDatabase::families()) {}

int QtPrintPage::fontCount() const {
    return int(m_fonts.size());
}

QString QtPrintPage::fontName(int index) const {
    return m_fonts.value(index);
}

namespace {
[[noreturn]] void notYet() {
    throw DbError(QStringLiteral("Printing is not available in this version."));
}
} // namespace

double QtPrintPage::drawText(double, double, const QString&, const PrintFont&) {
    notYet();
}
double QtPrintPage::lineHeight(const PrintFont&) {
    notYet();
}
void QtPrintPage::drawLineAt(double, double, double, double, int) {
    notYet();
}
void QtPrintPage::startNewPage() {
    notYet();
}
void QtPrintPage::finishDocument() {
    notYet();
}
