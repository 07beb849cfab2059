#include "gui/start/FontFailure.h"

#include "gui/platform/ScreenForm.h"

#include <algorithm>

namespace {
// Each line of the notice ends with a carriage return and a line feed, the last one too.
const QString kTexts[] = {
    QStringLiteral("Font Failure Notice"),
    QStringLiteral("The MICR65 TrueType Font cannot be detected.  If you just installed this \r\n"
                   "program, you must reboot your PC before the font will be active. If "
                   "rebooting \r\ndoes not work, you will need to do the following:\r\n"),
    QStringLiteral("Choose Start - Settings - Control Panel, \r\n"
                   "choose FONTS, choose FILE - INSTALL NEW FONT, choose the directory \r\n"
                   "where your program is installed, select the MICR65 font and choose OK.\r\n"),
};
} // namespace

FontFailure::FontFailure() {
    ScreenForm::setUp(m_ui, this);
    // Each box keeps its text exactly (noticeText) and is sized to show it whole, one line
    // for the heading and four for the others.
    QPlainTextEdit* const boxes[] = {m_ui.Text1, m_ui.Text2, m_ui.Text3};
    for (int i = 0; i < 3; ++i) {
        QPlainTextEdit* box = boxes[i];
        const QString& text = kTexts[i];
        box->setProperty("noticeText", text);
        box->setPlainText(text);
        box->setAccessibleDescription(text);
        int widest = 0;
        for (const QString& line : text.split(QStringLiteral("\r\n")))
            widest = std::max(widest, box->fontMetrics().horizontalAdvance(line));
        box->setMinimumWidth(widest + 24);
        box->setFixedHeight(box->fontMetrics().lineSpacing() * (i == 0 ? 1 : 4) + 12);
    }
}
