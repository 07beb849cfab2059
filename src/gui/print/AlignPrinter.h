#pragma once

#include "ui_AlignPrinter.h"

#include <QWidget>

class AppContext;

/// The printer alignment screen: the vertical and horizontal starting positions and the
/// 88 mm stock flag. OK (and the close box) stores them and returns to a freshly loaded
/// printer control screen; a position that is not a whole number on the sheet is refused
/// with a message, keeps its stored value, and the screen stays.
class AlignPrinter : public QWidget {
    Q_OBJECT
public:
    explicit AlignPrinter(AppContext& context);

    /// Shows the stored alignment and the two information texts.
    void load();

protected:
    /// OK and the close box both end here: the alignment is stored and the printer control
    /// screen comes back, or something is refused and the screen stays.
    void closeEvent(QCloseEvent* event) override;

private slots:
    // The handlers, connected to the controls in the form. Enter in a position box is OK,
    // as in a dialog.
    void acceptAlignment();

private:
    /// Stores what the boxes hold; false (after telling why) when something was refused.
    bool storeAlignment();

    AppContext& m_context;
    Ui::AlignPrinter m_ui;
    bool m_leaving = false;
};
