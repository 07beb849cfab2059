#pragma once

#include "ui_PositivePayExport.h"

#include <QDialog>

class AppContext;

/// Export Positive Pay: writes the checks of the current CHECK database printed or voided
/// from a first to a last day into a file the user names, laid out as the program setup
/// says, for the bank. An existing file is replaced only when the user says so. It opens
/// on top of the data-entry screen and closes once the file is written.
class PositivePayExport : public QDialog {
    Q_OBJECT
public:
    explicit PositivePayExport(AppContext& context);

    /// Offers today as the first and last day and a file in the program folder named after
    /// the database, and shows the screen.
    void load();

private slots:
    // The handlers, connected to the controls in the form.
    void chooseFile();
    void exportFile();

private:
    AppContext& m_context;
    Ui::PositivePayExport m_ui;
};
