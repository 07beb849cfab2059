#pragma once

#include <functional>

class QWidget;

/// What a window does once it is on the screen: work that would hold up its first picture
/// (reading a large folder, a slow check) runs after it instead.
namespace FirstPaint {

/// Runs `work` once, after `window` is first painted: queued, so that the picture reaches
/// the screen first. Nothing runs for a window that is gone before it is painted.
void then(QWidget* window, std::function<void()> work);

} // namespace FirstPaint
