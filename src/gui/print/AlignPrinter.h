#pragma once

#include <QWidget>
#include <memory>

class AppContext;

namespace Ui {
class AlignPrinter;
}

/// The printer alignment screen: the vertical and horizontal starting positions and the
/// 88 mm stock flag. OK (and the close box) stores them and returns to a freshly loaded
/// printer control screen; a position that is not a whole number on the sheet is refused
/// with a message, keeps its stored value, and the screen stays.
class AlignPrinter : public QWidget {
    Q_OBJECT
public:
    explicit AlignPrinter(AppContext& context);
    ~AlignPrinter() override;

    /// Shows the stored alignment and the two information texts.
    void load();

protected:
    /// The close box does what OK does.
    void closeEvent(QCloseEvent* event) override;

private:
    /// Stores what the boxes hold; false (after telling why) when something was refused.
    bool storeAlignment();
    void acceptAlignment();

    AppContext& m_context;
    std::unique_ptr<Ui::AlignPrinter> m_ui;
    bool m_leaving = false;
};
