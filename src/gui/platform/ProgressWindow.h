#pragma once

#include "core/platform/Progress.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

/// Progress shown on the screen: a window that says what is being done and how far it is,
/// once the work has taken more than half a second. It is application-modal and has no
/// buttons and no way to close it, so nothing else can be started or stopped meanwhile;
/// it goes when the work reports that it is finished, or when it is destroyed.
///
/// The window is painted while the work goes on (the program has no worker threads): at
/// most every 50 ms a report lets the event loop run with user input left out. See
/// CONTRIBUTING.md for why that is safe where processEvents() in a handler is not.
class ProgressWindow : public QDialog, public Progress {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);
    ~ProgressWindow() override;

    void report(const QString& what, const QString& units, qint64 done, qint64 total) override;
    void finish() override;

    /// After this long, long work shows the window.
    static constexpr int kShowAfterMs = 500;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintNow();

    QLabel* m_label;
    QProgressBar* m_bar;
    QElapsedTimer m_started;
    QElapsedTimer m_painted;
};
