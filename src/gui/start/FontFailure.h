#pragma once

#include <QWidget>

/// Tells the user that the MICR font is not installed, and how to install it.
class FontFailure : public QWidget {
    Q_OBJECT
public:
    FontFailure();

    static const QString kText1;
    static const QString kText2;
    static const QString kText3;
};
