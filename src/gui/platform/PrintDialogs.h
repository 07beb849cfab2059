#pragma once

#include <functional>

class Printer;
class QWidget;

/// The system's printing dialogs, as the printer control screen uses them. The program's
/// own are the Qt dialogs; tests answer them from a script.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;

    /// The printer setup dialog: the printer (or the PDF file) that the following print jobs
    /// of the program's run go to. Cancel changes nothing. Throws DbError when the choice
    /// cannot be used.
    virtual void setUpPrinter(QWidget* parent) = 0;

    /// The print preview window, showing the pages `draw` prints on the printer it is given,
    /// each job from a new sheet. Returns when the user closes the window.
    virtual void preview(QWidget* parent, const std::function<void(Printer&)>& draw) = 0;
};
