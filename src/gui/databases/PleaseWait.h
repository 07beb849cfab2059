#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class PleaseWait;
}

/// The notice shown while the backup copy is written. It has no buttons.
class PleaseWait : public QWidget {
    Q_OBJECT
public:
    PleaseWait();
    ~PleaseWait() override;

private:
    std::unique_ptr<Ui::PleaseWait> m_ui;
};
