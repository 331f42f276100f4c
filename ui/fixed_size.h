#pragma once

#include <QSize>

class QWidget;

namespace ui {

// Fixes a top-level window at `size` and keeps it there when the window system maximises
// it all the same, as Wayland title bars drawn by Qt do. Such a compositor insists that a
// maximised surface fills the space it gives, so the window lets go of its size for the
// moment the compositor asks, and then asks to be restored.
void keepFixedSize(QWidget* window, QSize size);

}  // namespace ui
