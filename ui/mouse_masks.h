#pragma once

#include <Qt>

#include "chart/units.h"

namespace ui {

// The chart box's bit sets: 1 left, 2 right, 4 middle; 1 Shift, 2 Ctrl, 4 Alt.
chart::Int16 buttonMask(Qt::MouseButtons buttons);
chart::Int16 shiftMask(Qt::KeyboardModifiers modifiers);

}  // namespace ui
