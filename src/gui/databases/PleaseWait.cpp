#include "gui/databases/PleaseWait.h"

#include "gui/platform/ScreenForm.h"
#include "ui_PleaseWait.h"

PleaseWait::PleaseWait() : m_ui(std::make_unique<Ui::PleaseWait>()) {
    ScreenForm::setUp(*m_ui, this);
    // Nothing to press and no way to close it: the backup closes it when done.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
}

PleaseWait::~PleaseWait() = default;
