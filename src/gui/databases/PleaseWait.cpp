#include "gui/databases/PleaseWait.h"

#include "gui/platform/ScreenForm.h"

#include <QTimer>
#include <utility>

namespace {
// A window system that never shows the notice must not keep the program from ending.
constexpr int kShowPatienceMs = 1000;
} // namespace

PleaseWait::PleaseWait() {
    ScreenForm::setUp(m_ui, this);
    // Nothing to press and no way to close it: the backup closes it when done.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
}

void PleaseWait::afterShown(std::function<void()> work) {
    m_work = std::move(work);
    QTimer::singleShot(kShowPatienceMs, this, &PleaseWait::runWork);
}

void PleaseWait::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // Queued: the painted notice reaches the screen before the work starts.
    if (m_work)
        QMetaObject::invokeMethod(this, &PleaseWait::runWork, Qt::QueuedConnection);
}

void PleaseWait::runWork() {
    if (std::function<void()> work = std::exchange(m_work, {}))
        work();
}
