#pragma once

#include <QFont>

namespace ui {

// Makes the named face available when the system has it outside the font search path.
// Call once, before the first window is built.
void installNamedFont();

// "MS Sans Serif" 9.75 points, regular; where the face is missing, the nearest sans-serif
// face of the same size.
QFont namedFont();

// The font of every control that names none: the classic 8-point dialog face, so that the
// fixed layout's captions fit; the nearest sans-serif face where it is missing.
QFont dialogFont();

}  // namespace ui
