#pragma once

#include "ui_PleaseWait.h"

#include <QWidget>
#include <functional>

/// The notice shown while the backup copy is written. It has no buttons.
class PleaseWait : public QWidget {
    Q_OBJECT
public:
    PleaseWait();

    /// Runs `work` once, as soon as the notice has been painted on the screen (or, should
    /// the window system never show it, after a short wait), from the event loop: never
    /// inside the handler that opened the notice, and without a nested event loop.
    void afterShown(std::function<void()> work);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void runWork();

    Ui::PleaseWait m_ui;
    std::function<void()> m_work;
};
