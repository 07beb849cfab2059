#include "gui/help/MicrForm.h"

#include "ui_MicrForm.h"

#include "gui/platform/Accessible.h"

const QString MicrForm::kInfo = QStringLiteral(
    "MICR information always appears at the bottom of the check.  The Transit number is the "
    "only number to have unique Transit symbols before and after it. The check number and "
    "account numbers share the same symbol.");
const QString MicrForm::kAccount = QStringLiteral(
    "The numbers that are left after the check and routing numbers have been identified.  "
    "Inclues all numbers before and after any spaces or dashes if they exist. You should enter "
    "spaces and dashes as the appear in the account number. Use an uppercase letter D to enter "
    "a dash on the MICR line.");

MicrForm::MicrForm() : m_ui(std::make_unique<Ui::MicrForm>()) {
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    Accessible::label(m_ui->AccountCaption, m_ui->Account);
    connect(m_ui->Command1, &QPushButton::clicked, this, &QWidget::close);
}

MicrForm::~MicrForm() = default;

void MicrForm::load() {
    show();
    m_ui->Info->setPlainText(kInfo);
    m_ui->Account->setPlainText(kAccount);
}
