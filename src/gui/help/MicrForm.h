#pragma once

#include "ui_MicrForm.h"

#include <QDialog>

/// The MICR help screen: how to read the routing number, account number and check number
/// from the MICR line of a printed check, with examples set in the MICR font. It changes
/// no data; its OK button closes it alone.
class MicrForm : public QDialog {
    Q_OBJECT
public:
    MicrForm();

    /// Shows the screen and fills its two explanations.
    void load();

private:
    Ui::MicrForm m_ui;
};
