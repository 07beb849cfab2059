#pragma once

#include <QString>
#include <functional>

class QMenu;

/// The search filters of the data-entry screen's Search menu: one entry a field, each with
/// the prompt that asks for the text to look for.
namespace SearchMenu {

/// Runs a search of `field` after asking with `prompt`.
using Search = std::function<void(const QString& field, const QString& prompt)>;

/// Appends the filter entries to `menu`.
void addTo(QMenu* menu, const Search& search);

} // namespace SearchMenu
