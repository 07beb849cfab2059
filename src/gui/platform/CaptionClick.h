#pragma once

#include <QObject>

class QAbstractButton;
class QLabel;
class QWidget;

/// A check box whose caption is a label of its own beside it is toggled by a click on that
/// label too, as it would be by a click on a caption of its own.
class CaptionClick : public QObject {
    Q_OBJECT
public:
    /// Makes a click on each label of `form` that is the buddy of a check box click that
    /// box. The labels own what this sets up. Run it once after setupUi.
    static void byBuddies(QWidget* form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CaptionClick(QLabel* label, QAbstractButton* box);
    QAbstractButton* m_box;
};
