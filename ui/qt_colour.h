#pragma once

#include <cstdint>

#include <QColor>
#include <QPalette>

#include "chart/units.h"
#include "layout/design_colour.h"

namespace ui {

// The layout's colours are the toolkit-free table's; the window resolves them here.
using namespace ::layout;

// Resolves a system colour against the palette; plain colours convert directly.
QColor toQColor(DesignColour colour, const QPalette& palette);
QColor toQColor(chart::Colour colour, const QPalette& palette);

// The plain 0x00BBGGRR value of a colour.
chart::Colour toColour(const QColor& colour);

}  // namespace ui
