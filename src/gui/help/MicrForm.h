#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class MicrForm;
}

/// The MICR help screen: how to read the routing number, account number and check number
/// from the MICR line of a printed check, with examples set in the MICR font. It changes
/// no data; its OK button closes it alone.
class MicrForm : public QDialog {
    Q_OBJECT
public:
    MicrForm();
    ~MicrForm() override;

    /// Shows the screen and fills its two explanations.
    void load();

    static const QString kInfo;
    static const QString kAccount;

private:
    std::unique_ptr<Ui::MicrForm> m_ui;
};
