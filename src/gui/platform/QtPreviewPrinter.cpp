#include "gui/platform/QtPreviewPrinter.h"

#include "gui/platform/QtPrintPage.h"

#include <QFontDatabase>
#include <QPrinter>

QtPreviewPrinter::QtPreviewPrinter(QPrinter& printer) : m_printer(printer) {}

QtPreviewPrinter::~QtPreviewPrinter() {
    finish();
}

QStringList QtPreviewPrinter::fonts() const {
    return QFontDatabase::families();
}

std::unique_ptr<PrintPage> QtPreviewPrinter::startJob(const QString&) {
    return QtPrintPage::onto(m_printer, m_painter);
}

void QtPreviewPrinter::finish() {
    if (m_painter.isActive())
        m_painter.end();
}
