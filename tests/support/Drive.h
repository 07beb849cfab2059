#pragma once

#include <QByteArray>
#include <QString>

class QLineEdit;
class QWidget;

/// Drives the real widgets as a user does: by the object names of the controls.
namespace Drive {

/// The box of that name; fails the running test when there is none.
QLineEdit* box(QWidget* screen, const QString& name);
/// Replaces the text of a box by typing, as a user would.
void typeInto(QWidget* screen, const QString& name, const QString& text);
void click(QWidget* screen, const QString& button);
/// Chooses a menu entry.
void trigger(QWidget* screen, const QString& action);
/// A fingerprint of a file's bytes, to show it was not changed (empty when unreadable).
QByteArray digest(const QString& path);

} // namespace Drive
