#pragma once

#include <QWidget>

/// The notice shown while the backup copy is written. It has no buttons.
class PleaseWait : public QWidget {
    Q_OBJECT
public:
    PleaseWait();
};
