#pragma once

#include "gui/platform/Accessible.h"

#include <QWidget>

/// How every screen is built from its Designer form.
namespace ScreenForm {

/// Sets `screen` up from its form `ui`: its controls, captions, tab order and entry limits,
/// every box named for screen readers by its label's caption, and the window freed once
/// it is closed.
template <class Form, class Screen> void setUp(Form& ui, Screen* screen) {
    screen->setAttribute(Qt::WA_DeleteOnClose);
    ui.setupUi(screen);
    Accessible::nameByBuddies(screen);
}

} // namespace ScreenForm
