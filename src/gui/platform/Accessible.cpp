#include "gui/platform/Accessible.h"

#include <QLabel>

QString Accessible::plain(QString caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                out += caption[++i];
            continue;
        }
        out += caption[i];
    }
    return out;
}

void Accessible::label(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(plain(label->text()));
}

void Accessible::name(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
}

void Accessible::nameByBuddies(QWidget* form) {
    for (QLabel* label : form->findChildren<QLabel*>())
        if (QWidget* control = label->buddy(); control && control->accessibleName().isEmpty())
            control->setAccessibleName(plain(label->text()));
}
