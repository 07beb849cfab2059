#pragma once

#include <QDialog>
#include <memory>

class AppContext;

namespace Ui {
class HelpAbout;
}

/// The About screen: the program's name and version, and the installation's three About
/// lines under the note on where to order the program and check stock. Its OK button
/// closes it alone.
class HelpAbout : public QDialog {
    Q_OBJECT
public:
    explicit HelpAbout(AppContext& context);
    ~HelpAbout() override;

    /// Shows the screen and fills it from the names read at start-up.
    void load();

private:
    AppContext& m_context;
    std::unique_ptr<Ui::HelpAbout> m_ui;
};
