#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class FontFailure;
}

/// Tells the user that the MICR font is not installed, and how to install it.
class FontFailure : public QWidget {
    Q_OBJECT
public:
    FontFailure();
    ~FontFailure() override;

private:
    std::unique_ptr<Ui::FontFailure> m_ui;
};
