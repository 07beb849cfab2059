#pragma once

#include "core/exchange/CheckExport.h"
#include "ui_ExportFile.h"

#include <QDialog>

class AppContext;

/// The export/import screen: writes the checks of the current database to EXPORT.TXT, in
/// full or the customers only, and reads a comma-delimited file of the program folder back
/// in. It opens on top of the data-entry screen and closes itself after every completed
/// export or import.
class ExportFile : public QDialog {
    Q_OBJECT
public:
    explicit ExportFile(AppContext& context);

    /// Lists the program folder's text files and shows the screen.
    void load();

private slots:
    // The handlers, connected to the controls in the form.
    void exportAll();
    void exportCustomers();
    void importSelected();

private:
    void exportAs(CheckExport::Layout layout, const QString& done);

    AppContext& m_context;
    Ui::ExportFile m_ui;
};
