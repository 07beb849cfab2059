#include "gui/exchange/ExportFile.h"

#include "core/exchange/CheckImport.h"
#include "core/exchange/ExchangeFormat.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "gui/app/AppContext.h"
#include "gui/platform/BusyCursor.h"
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
        CheckExport::write(program.path(program.currentDatabase()),
                           program.path(ExchangeFormat::kExportFile), layout);
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
    qint64 records = 0;
    const bool imported = tellIfFails(m_context.prompter(), [&] {
        BusyCursor busy;
        records = CheckImport::read(program.path(program.currentDatabase()),
                                    program.path(item->text()), m_context.clock());
    });
    if (!imported)
        return;
    m_context.prompter().message(kImported,
                                 records == 1 ? QStringLiteral("1 Check Imported")
                                              : QStringLiteral("%1 Checks Imported").arg(records));
    close();
}
