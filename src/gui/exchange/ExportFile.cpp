#include "gui/exchange/ExportFile.h"

#include "core/exchange/CheckImport.h"
#include "core/exchange/ExchangeFormat.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "gui/app/AppContext.h"
#include "gui/platform/BusyCursor.h"
#include "gui/platform/ProgressWindow.h"
#include "gui/platform/ScreenForm.h"

namespace {

QString exportedAll(const QString& product) {
    return QStringLiteral("Data has been exported to the file EXPORT.TXT in comma delimited "
                          "format. It is located in the %1 Program directory. Data will appear in "
                          "the following format:  BusinessName, FirstName, LastName, Address, "
                          "City, State, Zip, Phone, PayTo, Check, Amount, Bank, BankCity, "
                          "BankState, BankRouting, BankAccount, Memo, BusinessType ")
        .arg(product);
}

QString exportedCustomers(const QString& product) {
    return QStringLiteral("Data has been exported to the file EXPORT.TXT in comma delimited "
                          "format. It is located in the %1 Program directory.  Data will appear "
                          "in the following format:  BusinessName, FirstName, LastName, Address, "
                          "City, State, Zip, Phone ")
        .arg(product);
}

const QString kImported = QStringLiteral(
    "Data has been imported in the following format:  BusinessName, FirstName, LastName, "
    "Address, City, State, Zip, Phone, PayTo, Check, Amount, Bank, BankCity, BankState, "
    "BankRouting, BankAccount, Memo, BusinessType ");

/// The closing message of an import, which says so when lines of the file were not UTF-8.
QString imported(const QString& file, qsizetype windows1252Lines) {
    if (windows1252Lines == 0)
        return kImported;
    if (windows1252Lines == 1)
        return kImported + QStringLiteral("\n\n1 line of %1 is not UTF-8 text; it was read in "
                                          "the Windows character set (Windows-1252). Check the "
                                          "accents and signs of the check imported from it.")
                               .arg(file);
    return kImported + QStringLiteral("\n\n%1 lines of %2 are not UTF-8 text; they were read "
                                      "in the Windows character set (Windows-1252). Check the "
                                      "accents and signs of the checks imported from them.")
                           .arg(windows1252Lines)
                           .arg(file);
}

} // namespace

ExportFile::ExportFile(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
    // Data entry waits behind this screen: what it shows is what is exported.
    setWindowModality(Qt::ApplicationModal);
}

void ExportFile::load() {
    m_ui.File1->clear();
    skipIfFails([&] {
        // An unreadable folder lists nothing; the import then says no file was chosen.
        m_ui.File1->addItems(CheckImport::files(m_context.program().folder()));
    });
    show();
}

void ExportFile::exportAll() {
    exportAs(CheckExport::Layout::Full, exportedAll(m_context.program().name()));
}

void ExportFile::exportCustomers() {
    exportAs(CheckExport::Layout::Customer, exportedCustomers(m_context.program().name()));
}

void ExportFile::exportAs(CheckExport::Layout layout, const QString& done) {
    const Program& program = m_context.program();
    const bool exported = tellIfFails(m_context.prompter(), [&] {
        BusyCursor busy;
        ProgressWindow progress(this);
        CheckExport::write(program.path(program.currentDatabase()),
                           program.path(ExchangeFormat::kExportFile), layout, progress);
    });
    if (!exported)
        return;
    m_context.prompter().message(done);
    close();
}

void ExportFile::importSelected() {
    const QListWidgetItem* item = m_ui.File1->currentItem();
    if (!item || !item->isSelected()) {
        m_context.prompter().message(
            QStringLiteral("Please select a file from the list and then choose IMPORT"),
            QStringLiteral("No File Selected!"));
        return;
    }
    const Program& program = m_context.program();
    CheckImport::Result result{};
    const bool done = tellIfFails(m_context.prompter(), [&] {
        BusyCursor busy;
        ProgressWindow progress(this);
        result = CheckImport::read(program.path(program.currentDatabase()),
                                   program.path(item->text()), m_context.clock(), progress);
    });
    if (!done)
        return;
    m_context.prompter().message(imported(item->text(), result.windows1252Lines),
                                 result.records == 1
                                     ? QStringLiteral("1 Check Imported")
                                     : QStringLiteral("%1 Checks Imported").arg(result.records));
    close();
}
