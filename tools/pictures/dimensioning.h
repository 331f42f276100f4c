#pragma once

#include <string_view>

#include "line_canvas.h"

namespace pictures {

// Dimensioning as on a technical drawing: thin lines, filled arrowheads, figures read from the
// bottom of the sheet (unidirectional), extension lines starting a little off the outline.

// A filled arrowhead with its point at tip, pointing away from towards.
void arrowhead(LineCanvas& canvas, Point tip, Point towards);

enum class Side { Above, Below, Left, Right };

// A dimension of the horizontal distance between a and b, its line at height lineY.
// Arrows go outside the extension lines when the figure and arrows do not fit between them.
void horizontalDimension(LineCanvas& canvas, Point a, Point b, double lineY,
                         std::string_view figure, Side side = Side::Above);

// A dimension of the vertical distance between a and b, its line at lineX; the figure stands
// beside the line, on the given side, half way.
void verticalDimension(LineCanvas& canvas, Point a, Point b, double lineX, std::string_view figure,
                       Side side);

// A leader: arrow on tip, a straight run to knee, then a short shoulder carrying the note.
void leader(LineCanvas& canvas, Point tip, Point knee, std::string_view note);

// Centre lines crossing at centre, reaching halfLength beyond it each way.
void centreCross(LineCanvas& canvas, Point centre, double halfWidth, double halfHeight);

}  // namespace pictures
