#include "gui/databases/PleaseWait.h"

#include "gui/platform/ScreenForm.h"

PleaseWait::PleaseWait() {
    ScreenForm::setUp(m_ui, this);
    // Nothing to press and no way to close it: the backup closes it when done.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
}
