#include "gui/platform/MicrFont.h"

#include "core/print/Stock.h"

#include <QFontDatabase>
#include <QStringList>

bool registerMicrFont() {
    // An installed MICR65 wins: whoever installed it chose it for their printer, and two
    // fonts of one name would leave it to chance which of them prints.
    if (QFontDatabase::families().contains(PrintFaces::kMicr))
        return true;
    const int id = QFontDatabase::addApplicationFont(kMicrFontResource);
    return id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(PrintFaces::kMicr);
}
