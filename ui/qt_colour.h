#pragma once

#include <cstdint>

#include <QColor>
#include <QPalette>

#include "chart/units.h"
#include "layout/design_colour.h"

namespace ui {

// Resolves a system colour against the palette; plain colours convert directly.
QColor toQColor(layout::DesignColour colour, const QPalette& palette);
QColor toQColor(chart::Colour colour, const QPalette& palette);

// The plain 0x00BBGGRR value of a colour.
chart::Colour toColour(const QColor& colour);

}  // namespace ui
