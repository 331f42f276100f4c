#pragma once

#include <QFont>

namespace ui {

// Makes the named face available when the system has it outside the font search path.
// Call once, before the first window is built.
void installNamedFont();

// Whether the display draws a logical pixel on more or fewer than one device pixel.
bool displayScaled();

// "MS Sans Serif" 9.75 points, regular; where the face is missing, the nearest sans-serif
// face of the same size. On a scaled display, where the bitmap face cannot grow, an
// outline face of its proportions.
QFont namedFont();

// The font of every control that names none: the classic 8-point dialog face, so that the
// fixed layout's captions fit; the nearest sans-serif face where it is missing.
QFont dialogFont();

}  // namespace ui
