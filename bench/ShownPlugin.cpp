// A Qt plugin for the start-up benchmark: loaded into a program by QT_QPA_GENERIC_PLUGINS,
// it waits for the first window to be painted on the screen (the window of the widget class
// named by LEDGERLINE_BENCH_SHOWN, or any), prints the monotonic clock's time then, in
// nanoseconds, and ends the process at once. So the real program is timed as it is built,
// from its start to its first window shown.
#include <QApplication>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

class ShownWatcher : public QObject {
public:
    ShownWatcher() : m_wanted(qEnvironmentVariable("LEDGERLINE_BENCH_SHOWN")) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Expose || m_seen)
            return false;
        auto* window = qobject_cast<QWindow*>(watched);
        if (!window || !window->isExposed() || !isWanted(window))
            return false;
        m_seen = true;
        // The expose paints the window; the time is taken once that is done.
        QTimer::singleShot(0, [] {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("%lld\n",
                        static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
            std::fflush(stdout);
            ::_exit(0);
        });
        return false;
    }

private:
    bool isWanted(QWindow* window) const {
        if (m_wanted.isEmpty())
            return true;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowHandle() == window &&
                m_wanted == QLatin1String(w->metaObject()->className()))
                return true;
        return false;
    }

    QString m_wanted;
    bool m_seen = false;
};

} // namespace

class ShownPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "ShownPlugin.json")
public:
    QObject* create(const QString&, const QString&) override {
        auto* watcher = new ShownWatcher;
        QCoreApplication::instance()->installEventFilter(watcher);
        return watcher;
    }
};

#include "ShownPlugin.moc"
