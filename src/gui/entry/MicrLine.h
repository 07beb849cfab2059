#pragma once

#include <QList>
#include <QObject>

class QLabel;
class QLineEdit;
class QWidget;

/// The MICR line of the data-entry screen: the routing and account numbers and their
/// symbols shown in the MICR font, and a mark beside the routing number that tells at once
/// whether it passes the banks' check digit test.
class MicrLine : public QObject {
public:
    /// `micr` are the boxes and symbols to show in the MICR font; `mark` follows `routing`.
    MicrLine(const QList<QWidget*>& micr, QLineEdit* routing, QLabel* mark);

private:
    void updateMark();

    QLineEdit* m_routing;
    QLabel* m_mark;
};
