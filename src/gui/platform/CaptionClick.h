#pragma once

#include <QObject>

class QAbstractButton;
class QLabel;

/// A check box whose caption is a label of its own beside it is toggled by a click on that
/// label too, as it would be by a click on a caption of its own.
class CaptionClick : public QObject {
    Q_OBJECT
public:
    /// Makes a click on `label` click `box`. The label owns what this sets up.
    static void toggles(QLabel* label, QAbstractButton* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CaptionClick(QLabel* label, QAbstractButton* box);
    QAbstractButton* m_box;
};
