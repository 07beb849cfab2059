#include "gui/platform/ProgressWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kPaintEveryMs = 50;
} // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_label(new QLabel(this)), m_bar(new QProgressBar(this)) {
    setObjectName(QStringLiteral("Progress"));
    setWindowTitle(QCoreApplication::applicationName());
    setWindowModality(Qt::ApplicationModal);
    m_label->setObjectName(QStringLiteral("ProgressText"));
    m_bar->setObjectName(QStringLiteral("ProgressBar"));
    m_label->setMinimumWidth(360);
    m_bar->setAccessibleName(tr("Progress"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::report(const QString& what, const QString& units, qint64 done, qint64 total) {
    // The half second counts from the first report: the questions a job asks before it
    // starts are no part of the work.
    if (!m_started.isValid())
        m_started.start();
    if (!isVisible()) {
        if (m_started.elapsed() < kShowAfterMs)
            return;
    } else if (m_painted.isValid() && m_painted.elapsed() < kPaintEveryMs && done != total) {
        return; // the last report is always shown
    }
    const QLocale locale;
    // A bar counts in ints: large counts are scaled down to thousandths.
    if (total > 0) {
        m_bar->setRange(0, 1000);
        m_bar->setValue(int(std::clamp<qint64>(done * 1000 / total, 0, 1000)));
        m_label->setText(
            tr("%1: %2 of %3 %4").arg(what, locale.toString(done), locale.toString(total), units));
    } else {
        m_bar->setRange(0, 0);
        m_label->setText(tr("%1: %2 %3").arg(what, locale.toString(done), units));
    }
    if (!isVisible())
        show();
    paintNow();
}

void ProgressWindow::paintNow() {
    m_painted.start();
    // Only painting and the window system's own events: user input waits, and the window
    // is application-modal, so no other window takes any.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::finish() {
    hide();
    m_started.invalidate();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    // Closed only by the work when it is over.
    event->ignore();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    // Escape would reject the dialog: the work cannot be stopped half way.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}
