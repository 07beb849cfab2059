#include "gui/app/Placeholder.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Placeholder::Placeholder(const QString& screen, const QString& detail, Leave leave)
    : m_screen(screen) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Placeholder"));
    setWindowTitle(QStringLiteral("%1 (placeholder)").arg(screen));

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Placeholder for the %1 screen").arg(screen), this);
    heading->setObjectName(QStringLiteral("PlaceholderHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* text = new QLabel(detail, this);
    text->setObjectName(QStringLiteral("PlaceholderDetail"));
    text->setWordWrap(true);
    layout->addWidget(heading);
    layout->addWidget(text);
    if (leave == Leave::Close) {
        auto* close = new QPushButton(QStringLiteral("&Close"), this);
        close->setObjectName(QStringLiteral("PlaceholderClose"));
        layout->addWidget(close);
        connect(close, &QPushButton::clicked, this, &QWidget::close);
    }
    resize(420, 160);
}

void Placeholder::addButton(const QString& caption, const QString& objectName,
                            const std::function<void()>& action) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, action);
}
