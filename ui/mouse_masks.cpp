#include "ui/mouse_masks.h"

#include "chart/form4_logic.h"

namespace ui {

chart::Int16 buttonMask(Qt::MouseButtons buttons) {
  int mask = 0;
  if (buttons & Qt::LeftButton) mask |= chart::mouse::kLeft;
  if (buttons & Qt::RightButton) mask |= chart::mouse::kRight;
  if (buttons & Qt::MiddleButton) mask |= chart::mouse::kMiddle;
  return static_cast<chart::Int16>(mask);
}

chart::Int16 shiftMask(Qt::KeyboardModifiers modifiers) {
  int mask = 0;
  if (modifiers & Qt::ShiftModifier) mask |= chart::mouse::kShift;
  if (modifiers & Qt::ControlModifier) mask |= chart::mouse::kCtrl;
  if (modifiers & Qt::AltModifier) mask |= chart::mouse::kAlt;
  return static_cast<chart::Int16>(mask);
}

}  // namespace ui
