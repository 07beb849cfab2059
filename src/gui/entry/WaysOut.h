#pragma once

#include <QString>

class FieldBinding;
namespace Ui {
class Check;
}

/// The data-entry screen once its database can take nothing more: the boxes keep what they
/// show, to be copied, and only the ways out stay (Open Another Database, setup, help, Exit).
namespace WaysOut {

/// Disables every control that needs the database and says why, with what is left to do.
void keepOnly(Ui::Check& ui, FieldBinding& binding, const QString& why);

} // namespace WaysOut
