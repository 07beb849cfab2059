#include "gui/help/MicrForm.h"

#include "gui/platform/ScreenForm.h"

namespace {
const QString kInfo = QStringLiteral(
    "MICR information always appears at the bottom of the check.  The Transit number is the "
    "only number to have unique Transit symbols before and after it. The check number and "
    "account numbers share the same symbol.");
const QString kAccount = QStringLiteral(
    "The numbers that are left after the check and routing numbers have been identified.  "
    "Inclues all numbers before and after any spaces or dashes if they exist. You should enter "
    "spaces and dashes as the appear in the account number. Use an uppercase letter D to enter "
    "a dash on the MICR line.");
} // namespace

MicrForm::MicrForm() {
    ScreenForm::setUp(m_ui, this);
}

void MicrForm::load() {
    show();
    m_ui.Info->setPlainText(kInfo);
    m_ui.Account->setPlainText(kAccount);
}
