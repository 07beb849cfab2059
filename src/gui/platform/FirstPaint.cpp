#include "gui/platform/FirstPaint.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace {

class Watcher : public QObject {
public:
    Watcher(QWidget* window, std::function<void()> work)
        : QObject(window), m_window(window), m_work(std::move(work)) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Paint) {
            m_window->removeEventFilter(this);
            // Queued on the window: gone with it, should it be closed first.
            QMetaObject::invokeMethod(m_window, std::move(m_work), Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_window;
    std::function<void()> m_work;
};

} // namespace

void FirstPaint::then(QWidget* window, std::function<void()> work) {
    new Watcher(window, std::move(work));
}
