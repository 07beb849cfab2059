#include "gui/app/Placeholder.h"

#include "gui/platform/ScreenForm.h"

#include <utility>

Placeholder::Placeholder(const QString& screen, const QString& detail, Leave leave)
    : m_screen(screen) {
    ScreenForm::setUp(m_ui, this);
    setWindowTitle(QStringLiteral("%1 (placeholder)").arg(screen));
    m_ui.PlaceholderHeading->setText(QStringLiteral("Placeholder for the %1 screen").arg(screen));
    m_ui.PlaceholderDetail->setText(detail);
    if (leave == Leave::None)
        delete std::exchange(m_ui.PlaceholderClose, nullptr);
}

void Placeholder::addButton(const QString& caption, const QString& objectName,
                            const std::function<void()>& action) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, action);
}
