#include "dimensioning.h"

#include <algorithm>
#include <cmath>

#include "bitmap_font.h"

namespace pictures {

namespace {

constexpr double kArrowLength = 7.0;
constexpr double kArrowHalfWidth = 2.0;
constexpr double kExtensionGap = 2.0;  // between the outline and the start of an extension line
constexpr double kExtensionOver = 3.0;  // beyond the dimension line
constexpr double kOutsideRun = 9.0;  // length of the line behind an outside arrow
constexpr int kFigureGap = 2;
constexpr double kShoulder = 4.0;

void extensionLine(LineCanvas& canvas, Point from, Point to) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double length = std::hypot(dx, dy);
  if (length <= kExtensionGap) {
    return;
  }
  const double ux = dx / length;
  const double uy = dy / length;
  canvas.line({from.x + ux * kExtensionGap, from.y + uy * kExtensionGap},
              {to.x + ux * kExtensionOver, to.y + uy * kExtensionOver});
}

}  // namespace

void arrowhead(LineCanvas& canvas, Point tip, Point towards) {
  const double dx = towards.x - tip.x;
  const double dy = towards.y - tip.y;
  const double length = std::hypot(dx, dy);
  const double ux = dx / length;
  const double uy = dy / length;
  // Filled by distance from the axis rather than by pixel centres inside the triangle, which
  // would leave a slender head as a broken line at this size.
  const int reach = static_cast<int>(std::ceil(kArrowLength + 1.0));
  const int cx = static_cast<int>(std::lround(tip.x));
  const int cy = static_cast<int>(std::lround(tip.y));
  for (int y = cy - reach; y <= cy + reach; ++y) {
    for (int x = cx - reach; x <= cx + reach; ++x) {
      const double along = (x - tip.x) * ux + (y - tip.y) * uy;
      const double across = std::abs((x - tip.x) * uy - (y - tip.y) * ux);
      if (along >= -0.3 && along <= kArrowLength + 0.3 &&
          across <= kArrowHalfWidth * along / kArrowLength + 0.5) {
        canvas.plot(x, y);
      }
    }
  }
}

void horizontalDimension(LineCanvas& canvas, Point a, Point b, double lineY,
                         std::string_view figure, Side side) {
  const double left = std::min(a.x, b.x);
  const double right = std::max(a.x, b.x);
  extensionLine(canvas, a, {a.x, lineY});
  extensionLine(canvas, b, {b.x, lineY});
  const int figureWidth = textWidth(figure);
  const bool inside = right - left >= 2.0 * kArrowLength + 4.0;
  if (inside) {
    canvas.line({left, lineY}, {right, lineY});
    arrowhead(canvas, {left, lineY}, {right, lineY});
    arrowhead(canvas, {right, lineY}, {left, lineY});
  } else {
    canvas.line({left - kOutsideRun - kArrowLength, lineY},
                {right + kOutsideRun + kArrowLength, lineY});
    arrowhead(canvas, {left, lineY}, {left - 1.0, lineY});
    arrowhead(canvas, {right, lineY}, {right + 1.0, lineY});
  }
  const int centre = static_cast<int>(std::lround((left + right) / 2.0));
  const int y = static_cast<int>(std::lround(lineY));
  const int top = side == Side::Below ? y + kFigureGap + 1 : y - kFigureGap - kGlyphHeight;
  if (inside || figureWidth + 4 <= right - left) {
    canvas.text(centre, top, figure, Align::Centre);
  } else {
    // Too narrow for the figure: it goes beside the outside arrow on the right.
    canvas.text(static_cast<int>(std::lround(right + kArrowLength + 3.0)), top, figure,
                Align::Left);
  }
}

void verticalDimension(LineCanvas& canvas, Point a, Point b, double lineX, std::string_view figure,
                       Side side) {
  const double top = std::min(a.y, b.y);
  const double bottom = std::max(a.y, b.y);
  extensionLine(canvas, a, {lineX, a.y});
  extensionLine(canvas, b, {lineX, b.y});
  if (bottom - top >= 2.0 * kArrowLength + 4.0) {
    canvas.line({lineX, top}, {lineX, bottom});
    arrowhead(canvas, {lineX, top}, {lineX, bottom});
    arrowhead(canvas, {lineX, bottom}, {lineX, top});
  } else {
    canvas.line({lineX, top - kOutsideRun - kArrowLength},
                {lineX, bottom + kOutsideRun + kArrowLength});
    arrowhead(canvas, {lineX, top}, {lineX, top - 1.0});
    arrowhead(canvas, {lineX, bottom}, {lineX, bottom + 1.0});
  }
  const int x = static_cast<int>(std::lround(lineX));
  const int y = static_cast<int>(std::lround((top + bottom) / 2.0)) - kGlyphHeight / 2;
  if (side == Side::Left) {
    canvas.text(x - kFigureGap - 1, y, figure, Align::Right);
  } else {
    canvas.text(x + kFigureGap + 2, y, figure, Align::Left);
  }
}

void leader(LineCanvas& canvas, Point tip, Point knee, std::string_view note) {
  canvas.line(tip, knee);
  arrowhead(canvas, tip, knee);
  const double width = textWidth(note) + 2.0;
  const bool toRight = knee.x >= tip.x;
  const Point end{toRight ? knee.x + kShoulder + width : knee.x - kShoulder - width, knee.y};
  canvas.line(knee, end);
  const int y = static_cast<int>(std::lround(knee.y)) - kFigureGap - kGlyphHeight;
  if (toRight) {
    canvas.text(static_cast<int>(std::lround(knee.x + kShoulder + 1.0)), y, note, Align::Left);
  } else {
    canvas.text(static_cast<int>(std::lround(knee.x - kShoulder - 1.0)), y, note, Align::Right);
  }
}

void centreCross(LineCanvas& canvas, Point centre, double halfWidth, double halfHeight) {
  // Each arm starts at the centre, so the lines cross on their long dashes.
  canvas.line(centre, {centre.x - halfWidth, centre.y}, Weight::Thin, Pattern::Chain);
  canvas.line(centre, {centre.x + halfWidth, centre.y}, Weight::Thin, Pattern::Chain);
  canvas.line(centre, {centre.x, centre.y - halfHeight}, Weight::Thin, Pattern::Chain);
  canvas.line(centre, {centre.x, centre.y + halfHeight}, Weight::Thin, Pattern::Chain);
}

}  // namespace pictures
