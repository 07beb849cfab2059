#include "gui/platform/QtPrompter.h"

#include "core/platform/Program.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
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

// Long prompts wrap instead of stretching their box across (and off) a small screen.
constexpr int kWidest = 560;

void wrapLongText(QDialog& box) {
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text().size() < 80)
            continue;
        label->setWordWrap(true);
        label->setMinimumWidth(qMin(label->sizeHint().width(), kWidest - 40));
        label->setMaximumWidth(kWidest - 40);
    }
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

bool QtPrompter::retry(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toQt(icon), titleOr(title), text, QMessageBox::Retry | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Retry);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Retry;
}

bool QtPrompter::question(const QString& text, const QString& title, Icon icon, bool yesIsDefault) {
    QMessageBox box(toQt(icon), titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompter::askPassword(const QString& prompt, const QString& title) {
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(titleOr(title));
    box.setInputMode(QInputDialog::TextInput);
    box.setTextEchoMode(QLineEdit::Password);
    box.setLabelText(prompt);
    wrapLongText(box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

std::optional<QString> QtPrompter::ask(const QString& prompt, const QString& title,
                                       const QString& initial) {
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(titleOr(title));
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(prompt);
    box.setTextValue(initial);
    wrapLongText(box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}
