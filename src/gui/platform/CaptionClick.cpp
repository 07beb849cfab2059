#include "gui/platform/CaptionClick.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

CaptionClick::CaptionClick(QLabel* label, QAbstractButton* box) : QObject(label), m_box(box) {
    label->installEventFilter(this);
}

void CaptionClick::byBuddies(QWidget* form) {
    for (QLabel* label : form->findChildren<QLabel*>())
        if (auto* box = qobject_cast<QCheckBox*>(label->buddy()))
            new CaptionClick(label, box);
}

bool CaptionClick::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && m_box->isEnabled()) {
        m_box->setFocus(Qt::MouseFocusReason);
        m_box->click();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
