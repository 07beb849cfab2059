#pragma once

#include <QWidget>

class AppContext;

/// A placeholder for a screen that a later version brings: it names the screen it stands
/// for and offers Exit.
class Placeholder : public QWidget {
    Q_OBJECT
public:
    Placeholder(AppContext& context, const QString& screen, const QString& detail);
    const QString& screen() const { return m_screen; }

private:
    AppContext& m_context;
    QString m_screen;
};
