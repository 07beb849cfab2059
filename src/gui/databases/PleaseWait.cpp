#include "gui/databases/PleaseWait.h"

#include <QLabel>
#include <QVBoxLayout>

PleaseWait::PleaseWait() {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("PleaseWait"));
    setWindowTitle(QStringLiteral("Backing up database, please wait... "));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    auto* text =
        new QLabel(QStringLiteral("Please Wait - Creating a backup copy of database..."), this);
    text->setObjectName(QStringLiteral("Label1"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    resize(380, 80);
}
