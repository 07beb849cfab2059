#pragma once

#include <QWidget>
#include <functional>

class AppContext;

/// A placeholder for a screen that a later version brings: it names the screen it stands
/// for and offers a way out.
class Placeholder : public QWidget {
    Q_OBJECT
public:
    /// How the user leaves it: Exit ends the program (a main screen), Close closes only
    /// the placeholder (a screen opened on top of another).
    enum class Leave { Exit, Close, None };

    Placeholder(AppContext& context, const QString& screen, const QString& detail,
                Leave leave = Leave::Exit);
    const QString& screen() const { return m_screen; }
    /// Adds a button that leaves the placeholder some other way.
    void addButton(const QString& caption, const QString& objectName,
                   const std::function<void()>& action);

protected:
    AppContext& context() const { return m_context; }

private:
    AppContext& m_context;
    QString m_screen;
};
