#pragma once

#include "ui_FontFailure.h"

#include <QWidget>

/// Tells the user that the MICR font is not installed, and how to install it.
class FontFailure : public QWidget {
    Q_OBJECT
public:
    FontFailure();

private:
    Ui::FontFailure m_ui;
};
