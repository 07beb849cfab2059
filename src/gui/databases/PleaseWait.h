#pragma once

#include "ui_PleaseWait.h"

#include <QWidget>

/// The notice shown while the backup copy is written. It has no buttons.
class PleaseWait : public QWidget {
    Q_OBJECT
public:
    PleaseWait();

private:
    Ui::PleaseWait m_ui;
};
