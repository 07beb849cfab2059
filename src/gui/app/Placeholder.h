#pragma once

#include "ui_Placeholder.h"

#include <QWidget>
#include <functional>

/// A placeholder for a screen that a later version brings: it names the screen it stands
/// for and offers a way out.
class Placeholder : public QWidget {
    Q_OBJECT
public:
    /// Close closes only the placeholder (a screen opened on top of another); None leaves
    /// the way out to buttons added with addButton().
    enum class Leave { Close, None };

    Placeholder(const QString& screen, const QString& detail, Leave leave = Leave::Close);

    const QString& screen() const { return m_screen; }
    /// Adds a button that leaves the placeholder some other way.
    void addButton(const QString& caption, const QString& objectName,
                   const std::function<void()>& action);

private:
    Ui::Placeholder m_ui;
    QString m_screen;
};
