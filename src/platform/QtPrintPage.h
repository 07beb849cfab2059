#pragma once

#include "platform/PrintPage.h"

/// The system's printer through Qt. Its fonts are the fonts installed on the system,
/// which is what a printer driver renders with.
class QtPrintPage : public PrintPage {
public:
    QtPrintPage();
    int fontCount() const override;
    QString fontName(int index) const override;

private:
    QStringList m_fonts;
};
