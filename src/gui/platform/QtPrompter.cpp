#include "gui/platform/QtPrompter.h"

#include "core/platform/Program.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Stop:
        return QMessageBox::Critical;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString QtPrompter::titleOr(const QString& title) const {
    return title.isEmpty() ? m_program.name() : title;
}

void QtPrompter::message(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toQt(icon), titleOr(title), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtPrompter::question(const QString& text, const QString& title, Icon icon, bool yesIsDefault) {
    QMessageBox box(toQt(icon), titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtPrompter::input(const QString& prompt, const QString& title, const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), titleOr(title), prompt,
                                               QLineEdit::Normal, initial, &ok);
    return ok ? text : QString();
}
