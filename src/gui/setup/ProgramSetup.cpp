#include "gui/setup/ProgramSetup.h"

#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/settings/SettingsDb.h"
#include "core/setup/PositivePayOptions.h"
#include "core/setup/ProductTypeList.h"
#include "core/setup/SetupOptions.h"
#include "gui/app/AppContext.h"
#include "gui/platform/ScreenForm.h"

namespace {
const QString kNoDeleteFirst =
    QStringLiteral("You CANNOT delete the first record - you can only change it.");
const QString kEffectiveAfterRestart = QStringLiteral(
    "Changes will be effective in the drop down box after program exit and restart.");
} // namespace

ProgramSetup::ProgramSetup(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
    m_ui.PayDateFormat->addItems(PositivePayFormat::kDateFormats);
}

ProgramSetup::~ProgramSetup() = default;

void ProgramSetup::load() {
    const QString settings = m_context.program().path(SettingsDb::kFileName);
    tellIfFails(m_context.prompter(), [&] {
        m_types = std::make_unique<ProductTypeList>(settings);
        m_options = std::make_unique<SetupOptions>(settings);
        m_ui.Text1->setText(m_options->tranCode());
        m_ui.Copy->setChecked(m_options->backupAtExit());
        m_payOptions = std::make_unique<PositivePayOptions>(settings);
        showPositivePay(m_payOptions->format());
    });
    showCurrent();
    show();
}

void ProgramSetup::showCurrent() {
    const bool shown = m_types && m_types->hasCurrent();
    m_ui.Text2->setEnabled(shown);
    m_ui.Text2->setText(shown ? m_types->name().toString() : QString());
    m_ui.Label11->setText(shown ? QString::number(m_types->currentId()) : QString());
    m_ui.Data25Position->setText(
        shown ? QStringLiteral("%1 of %2").arg(m_types->position()).arg(m_types->count())
              : QString());
}

bool ProgramSetup::storeName() {
    if (!m_types)
        return true;
    return tellIfFails(m_context.prompter(), [&] { m_types->rename(m_ui.Text2->text()); });
}

bool ProgramSetup::storeAll() {
    if (!storeName())
        return false;
    if (m_options && !tellIfFails(m_context.prompter(), [&] {
            m_options->store(m_ui.Text1->text(), m_ui.Copy->isChecked());
        }))
        return false;
    return !m_payOptions ||
           tellIfFails(m_context.prompter(), [&] { m_payOptions->store(shownPositivePay()); });
}

void ProgramSetup::showPositivePay(const PositivePayFormat& format) {
    m_ui.PayColumns->clear();
    for (PositivePayFormat::Column column : format.columns) {
        auto* item = new QListWidgetItem(PositivePayFormat::caption(column), m_ui.PayColumns);
        item->setData(Qt::UserRole, int(column));
    }
    m_ui.PayColumns->setCurrentRow(0);
    m_ui.PayDateFormat->setCurrentIndex(
        int(PositivePayFormat::kDateFormats.indexOf(format.dateFormat)));
    m_ui.PayAmounts->setCurrentIndex(format.cents ? 1 : 0);
    m_ui.PayVoids->setChecked(format.voids);
}

PositivePayFormat ProgramSetup::shownPositivePay() const {
    PositivePayFormat format;
    for (int row = 0; row < m_ui.PayColumns->count(); ++row)
        format.columns << PositivePayFormat::Column(
            m_ui.PayColumns->item(row)->data(Qt::UserRole).toInt());
    format.dateFormat = m_ui.PayDateFormat->currentText();
    format.cents = m_ui.PayAmounts->currentIndex() == 1;
    format.voids = m_ui.PayVoids->isChecked();
    return format;
}

void ProgramSetup::movePayColumn(int by) {
    QListWidget* list = m_ui.PayColumns;
    const int row = list->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= list->count())
        return;
    list->insertItem(to, list->takeItem(row));
    list->setCurrentRow(to);
}

void ProgramSetup::move(void (ProductTypeList::*step)()) {
    if (!m_types || !storeName())
        return;
    tellIfFails(m_context.prompter(), [&] { ((*m_types).*step)(); });
    showCurrent();
}

void ProgramSetup::showFirstProductType() {
    move(&ProductTypeList::moveFirst);
}

void ProgramSetup::showPreviousProductType() {
    move(&ProductTypeList::movePrevious);
}

void ProgramSetup::showNextProductType() {
    move(&ProductTypeList::moveNext);
}

void ProgramSetup::showLastProductType() {
    move(&ProductTypeList::moveLast);
}

void ProgramSetup::addProductType() {
    if (!m_types || !storeName())
        return;
    tellIfFails(m_context.prompter(), [&] { m_types->addNew(); });
    showCurrent();
    m_ui.Text2->setFocus();
}

void ProgramSetup::deleteProductType() {
    if (!m_types || !m_types->hasCurrent())
        return;
    if (m_types->currentId() == ProductTypeList::kFirstId) {
        m_context.prompter().message(kNoDeleteFirst);
        return;
    }
    tellIfFails(m_context.prompter(), [&] { m_types->removeCurrent(); });
    showCurrent();
}

void ProgramSetup::openServerSetup() {
    m_context.openServerSetup();
}

void ProgramSetup::confirm() {
    if (!storeAll())
        return;
    m_context.prompter().message(kEffectiveAfterRestart);
    accept();
}

void ProgramSetup::reject() {
    if (storeAll())
        QDialog::reject();
}
