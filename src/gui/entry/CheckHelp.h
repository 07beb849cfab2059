#pragma once

#include <QString>

class Prompter;
class QAction;
class QMenu;

/// The help entries of the data-entry screen's Help menu: each shows one message.
namespace CheckHelp {

/// Puts the entries into `menu` before `before`. `product` is the program's name, which
/// one of the texts mentions.
void addTo(QMenu* menu, QAction* before, const QString& product, Prompter& prompter);

} // namespace CheckHelp
