#include "gui/platform/QtPrinter.h"

#include "gui/platform/QtPrintPage.h"

#include <QFontDatabase>

QStringList QtPrinter::fonts() const {
    return QFontDatabase::families();
}

std::unique_ptr<PrintPage> QtPrinter::startJob(const QString&) {
    return std::make_unique<QtPrintPage>();
}
