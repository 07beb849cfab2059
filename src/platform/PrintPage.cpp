#include "platform/PrintPage.h"

bool PrinterHasFont(const PrintPage& page, const QString& name) {
    const int count = page.fontCount();
    for (int i = 0; i < count; ++i)
        if (page.fontName(i) == name)
            return true;
    return false;
}
