#include "core/print/CalibrationSheet.h"

#include "core/platform/PrintPage.h"
#include "core/platform/Printer.h"
#include "core/print/Stock.h"

void CalibrationSheet::print(PrintPage& page) {
    for (int y = 0; y < kBelow; y += kStep) {
        page.setCurrentX(0);
        page.setCurrentY(y);
        page.print({"----H  Y=", PrintItem::number(y)});
    }
    page.endDocument();
}

void CalibrationSheet::print(Printer& printer, Prompter& prompter) {
    const auto page = printer.startJob(QStringLiteral("calibration lines"));
    print(*page);
    PrintFaces::tellDestination(prompter, page->destinationNotice());
}
