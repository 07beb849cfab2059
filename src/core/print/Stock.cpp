#include "core/print/Stock.h"

#include "core/platform/PrintPage.h"

QString PrintFaces::body(const PrintPage& page) {
    return PrinterHasFont(page, kTimes) ? kTimes : kHelv;
}
