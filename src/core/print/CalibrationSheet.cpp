#include "core/print/CalibrationSheet.h"

#include "core/platform/PrintPage.h"

void CalibrationSheet::print(PrintPage& page) {
    for (int y = 0; y < kBelow; y += kStep) {
        page.setCurrentX(0);
        page.setCurrentY(y);
        page.print({"----H  Y=", PrintItem::number(y)});
    }
    page.endDocument();
}
