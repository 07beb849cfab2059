#pragma once

#include "core/exchange/CheckExport.h"

#include <QDialog>
#include <memory>

class AppContext;

namespace Ui {
class ExportFile;
}

/// The export/import screen: writes the checks of the current database to EXPORT.TXT, in
/// full or the customers only, and reads a comma-delimited file of the program folder back
/// in. It opens on top of the data-entry screen and closes itself after every completed
/// export or import.
class ExportFile : public QDialog {
    Q_OBJECT
public:
    explicit ExportFile(AppContext& context);
    ~ExportFile() override;

    /// Lists the program folder's text files and shows the screen.
    void load();

private:
    void exportAll();
    void exportCustomers();
    void exportAs(CheckExport::Layout layout, const QString& done);
    void importSelected();

    AppContext& m_context;
    std::unique_ptr<Ui::ExportFile> m_ui;
};
