#include "gui/start/FontFailure.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

const QString FontFailure::kText1 = QStringLiteral("Font Failure Notice");
const QString FontFailure::kText2 = QStringLiteral(
    "The MICR65 TrueType Font cannot be detected.  If you just installed this \r\n"
    "program, you must reboot your PC before the font will be active. If rebooting \r\n"
    "does not work, you will need to do the following:\r\n");
const QString FontFailure::kText3 =
    QStringLiteral("Choose Start - Settings - Control Panel, \r\n"
                   "choose FONTS, choose FILE - INSTALL NEW FONT, choose the directory \r\n"
                   "where your program is installed, select the MICR65 font and choose OK.\r\n");

FontFailure::FontFailure() {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FontFailure"));
    setWindowTitle(QStringLiteral("Font Failure Notice"));

    auto* layout = new QVBoxLayout(this);
    const QString texts[] = {kText1, kText2, kText3};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QPlainTextEdit(this);
        box->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        box->setReadOnly(true);
        box->setPlainText(texts[i]);
        box->setAccessibleName(i == 0 ? kText1 : QStringLiteral("Notice text %1").arg(i));
        box->setAccessibleDescription(texts[i]);
        box->setFrameShape(QFrame::NoFrame);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        const int lines = i == 0 ? 1 : 4;
        int widest = 0;
        for (const QString& line : texts[i].split(QStringLiteral("\r\n")))
            widest = std::max(widest, box->fontMetrics().horizontalAdvance(line));
        box->setMinimumWidth(widest + 24);
        box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + 12);
        if (i == 0) {
            QFont bold = box->font();
            bold.setBold(true);
            box->setFont(bold);
        }
        box->setProperty("noticeText", texts[i]);
        layout->addWidget(box);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    resize(560, 260);
}
