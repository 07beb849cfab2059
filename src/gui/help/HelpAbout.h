#pragma once

#include "ui_HelpAbout.h"

#include <QDialog>

class AppContext;

/// The About screen: the program's name and version, and the installation's three About
/// lines under the note on where to order the program and check stock. Its OK button
/// closes it alone.
class HelpAbout : public QDialog {
    Q_OBJECT
public:
    explicit HelpAbout(AppContext& context);

    /// Shows the screen and fills it from the names read at start-up.
    void load();

private:
    AppContext& m_context;
    Ui::HelpAbout m_ui;
};
