#pragma once

#include <QString>

class QLabel;
class QWidget;

/// How every box is announced to screen readers: by the caption of the label beside it.
namespace Accessible {

/// Makes `label` the buddy of `control` and names the control by the label's caption
/// ("&" removed, trailing colon kept as the caption has it).
void label(QLabel* label, QWidget* control);

/// Names every control of a form that a label is the buddy of by that label's caption,
/// unless the form named the control itself. Run it once after setupUi.
void nameByBuddies(QWidget* form);

/// Names a control that has no label of its own, in plain words.
void name(QWidget* control, const QString& name);

/// A caption without its access-key marks.
QString plain(QString caption);

} // namespace Accessible
