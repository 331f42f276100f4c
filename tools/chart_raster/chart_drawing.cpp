#include "chart_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "byte_file.h"

namespace pictures {
namespace {

using chart::Colour;
namespace colours = chart::colours;

constexpr int kWidth = 500;
constexpr int kHeight = 400;

// Grid lines and ticks are two pixels wide; each entry is the first of the pair.
constexpr std::array<int, 9> kGridColumns{49, 99, 149, 198, 248, 298, 348, 398, 448};
constexpr std::array<int, 7> kGridRows{50, 100, 149, 199, 249, 299, 349};
constexpr std::array<int, 32> kLeftTickRows{
    10,  20,  29,  40,  59,  69,  79,  89,  109, 119, 129, 139, 159, 169, 179, 189,
    209, 219, 229, 239, 259, 269, 279, 289, 309, 319, 329, 339, 359, 369, 379, 389,
};
constexpr std::array<int, 39> kBottomTickColumns{
    19,  29,  39,  59,  69,  79,  89,  109, 119, 129, 139, 159, 169,
    179, 189, 208, 218, 228, 238, 258, 268, 278, 288, 308, 318, 328,
    338, 358, 368, 378, 388, 408, 418, 428, 438, 458, 468, 478, 487,
};
constexpr int kTickLength = 9;
constexpr int kLeftTickFirstColumn = 1;
constexpr int kBottomTickFirstRow = 390;

// Speed limit column (about 6290 1/min): from here on, rows that reach past it show the limit
// colour.
constexpr int kLimitColumn = 428;

// Stroke widths across one row, wherever no knot pins the left edge.
constexpr int kMinStroke = 3;
constexpr int kMaxStroke = 7;

constexpr int kFree = -1;

// A row through which a curve passes exactly: its leftmost and rightmost pixel. kFree leaves the
// left edge to the interpolation where only the right edge (what the row scan reads) is pinned.
struct Knot {
  int row;
  int left;
  int right;
};

constexpr Knot kBar13Knots[] = {
    {0, 321, 323},   {25, 300, 302},   {49, 278, 281},  {67, 262, 264},  {68, 261, 263},
    {75, 254, 256},  {79, kFree, 253}, {99, 230, 233},  {102, 227, 230}, {125, 203, 205},
    {149, 176, 179}, {157, 167, 170},  {158, 166, 169}, {175, 146, 148}, {199, 115, 118},
    {225, 80, 83},   {249, 46, 49},    {275, 5, 9},     {280, 0, 1},
};

constexpr Knot kBar10Knots[] = {
    {0, 396, 397},   {25, 375, 377},   {49, 353, 355},  {67, 336, 338},  {68, 335, 338},
    {75, 328, 331},  {79, kFree, 327}, {99, 304, 307},  {102, 301, 304}, {125, 276, 279},
    {149, 249, 251}, {157, 239, 242},  {158, 238, 241}, {175, 217, 220}, {199, 185, 188},
    {225, 148, 151}, {249, 110, 114},  {275, 65, 69},   {280, 56, 60},   {281, kFree, 58},
    {299, 19, 24},   {310, 0, 1},
};

constexpr Knot kBar7Knots[] = {
    {0, 497, 499},     {25, 472, 474},   {49, 446, 449},  {67, 427, 429},  {68, 426, 428},
    {75, 418, 420},    {79, kFree, 416}, {99, 390, 393},  {102, 386, 389}, {120, kFree, 367},
    {125, 358, 361},   {149, 327, 330},  {157, 317, 320}, {158, 316, 319}, {175, 292, 295},
    {199, 258, 261},   {225, 219, 222},  {249, 180, 183}, {275, 135, 138}, {280, 125, 129},
    {281, kFree, 128}, {299, 90, 94},    {310, 68, 72},   {325, 37, 41},   {329, kFree, 33},
    {343, 0, 1},
};

constexpr Knot kBar4Knots[] = {
    {102, 498, 498}, {120, kFree, 478}, {125, 469, 472},   {149, 437, 440},   {156, 427, 430},
    {157, 426, 429}, {158, 424, 428},   {175, 400, 404},   {199, 365, 368},   {225, 324, 328},
    {249, 284, 288}, {275, 237, 241},   {280, 227, 232},   {281, kFree, 230}, {299, 190, 194},
    {310, 167, 172}, {325, 135, 140},   {329, kFree, 131}, {343, 93, 98},     {344, kFree, 96},
    {349, 78, 84},   {375, 10, 15},     {380, 0, 1},
};

// Each curve with its colours and how many pixels of each colour it leaves on the chart.
struct CurveDrawing {
  std::span<const Knot> knots;
  Colour ordinary;
  int ordinaryPixels;
  std::optional<Colour> limit;
  int limitPixels;
};

const std::array<CurveDrawing, 4> kCurves{{
    {kBar13Knots, colours::kBlue, 1042, std::nullopt, 0},
    {kBar10Knots, colours::kGreen, 1241, std::nullopt, 0},
    {kBar7Knots, colours::kRed, 1214, colours::kMagenta, 226},
    {kBar4Knots, colours::kTeal, 1132, colours::kLightTeal, 216},
}};

// Frame, grid and ticks that stay visible once the curves are drawn over them.
constexpr int kGreyPixels = 17400;

bool isGreyBackground(int x, int y) {
  if (x == 0 || x >= kWidth - 2 || y <= 1 || y == kHeight - 1) return true;
  const auto onPair = [](int at, int first) { return at == first || at == first + 1; };
  for (int column : kGridColumns) {
    if (onPair(x, column)) return true;
  }
  for (int row : kGridRows) {
    if (onPair(y, row)) return true;
  }
  if (x >= kLeftTickFirstColumn && x < kLeftTickFirstColumn + kTickLength) {
    for (int row : kLeftTickRows) {
      if (onPair(y, row)) return true;
    }
  }
  if (y >= kBottomTickFirstRow && y < kBottomTickFirstRow + kTickLength) {
    for (int column : kBottomTickColumns) {
      if (onPair(x, column)) return true;
    }
  }
  return false;
}

// The slope at each knot for the monotone cubic below. Knots on neighbouring rows (a curve pinned
// on two rows in a row) say little about the slope, so each knot looks past them to the next knot
// at least two rows away.
std::vector<double> knotTangents(const std::vector<double>& rows,
                                 const std::vector<double>& values) {
  const std::size_t n = rows.size();
  const auto slope = [&](std::size_t from, std::size_t to) {
    return (values[to] - values[from]) / (rows[to] - rows[from]);
  };
  std::vector<double> tangent(n);
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t before = k > 0 ? k - 1 : k;
    if (before > 0 && rows[k] - rows[before] < 2) --before;
    std::size_t after = k + 1 < n ? k + 1 : k;
    if (after + 1 < n && rows[after] - rows[k] < 2) ++after;
    if (before == k) {
      tangent[k] = slope(k, after);
    } else if (after == k) {
      tangent[k] = slope(before, k);
    } else {
      const double in = slope(before, k);
      const double out = slope(k, after);
      tangent[k] = in * out <= 0.0 ? 0.0 : (in + out) / 2.0;
    }
  }
  // Fritsch-Carlson: bound the slopes so that no span overshoots its two knots.
  for (std::size_t k = 0; k + 1 < n; ++k) {
    if (rows[k + 1] - rows[k] < 2) continue;  // no row lies between them
    const double secant = slope(k, k + 1);
    if (secant == 0.0) {
      tangent[k] = tangent[k + 1] = 0.0;
      continue;
    }
    const double a = tangent[k] / secant;
    const double b = tangent[k + 1] / secant;
    if (a < 0.0) tangent[k] = 0.0;
    if (b < 0.0) tangent[k + 1] = 0.0;
    const double length = std::hypot(a, b);
    if (length > 3.0) {
      tangent[k] = 3.0 / length * a * secant;
      tangent[k + 1] = 3.0 / length * b * secant;
    }
  }
  return tangent;
}

// A monotone cubic through (rows[k], values[k]), sampled at every row from the first knot to the
// last: smooth, and never overshooting between two knots.
std::vector<double> monotoneCubic(const std::vector<double>& rows,
                                  const std::vector<double>& values) {
  const std::vector<double> tangent = knotTangents(rows, values);
  std::vector<double> sampled{values.front()};
  for (std::size_t k = 0; k + 1 < rows.size(); ++k) {
    const double h = rows[k + 1] - rows[k];
    for (int row = static_cast<int>(rows[k]) + 1; row <= static_cast<int>(rows[k + 1]); ++row) {
      const double t = (row - rows[k]) / h;
      const double t2 = t * t;
      const double t3 = t2 * t;
      sampled.push_back((2 * t3 - 3 * t2 + 1) * values[k] + (t3 - 2 * t2 + t) * h * tangent[k] +
                        (-2 * t3 + 3 * t2) * values[k + 1] + (t3 - t2) * h * tangent[k + 1]);
    }
  }
  return sampled;
}

// One curve as a run of pixels per row, from its top row down.
struct Stroke {
  const CurveDrawing* curve;
  int top;
  std::vector<int> left;
  std::vector<int> right;
  std::vector<bool> pinned;
  std::vector<double> idealWidth;  // interpolated between the pinned rows

  int rows() const { return static_cast<int>(left.size()); }
  int width(int i) const { return right[i] - left[i] + 1; }

  Colour colourAt(int x, int i) const {
    return curve->limit && x >= kLimitColumn && right[i] > kLimitColumn ? *curve->limit
                                                                        : curve->ordinary;
  }
};

int roundToPixel(double value) { return static_cast<int>(std::floor(value + 0.5)); }

// The right edge (what the row scan reads) follows its own knots; the width follows the rows
// where both edges are pinned, so the stroke thickens and thins gradually.
Stroke interpolateStroke(const CurveDrawing& curve) {
  std::vector<double> rightRows, rightValues, widthRows, widthValues;
  for (const Knot& knot : curve.knots) {
    rightRows.push_back(knot.row);
    rightValues.push_back(knot.right);
    if (knot.left != kFree) {
      widthRows.push_back(knot.row);
      widthValues.push_back(knot.right - knot.left + 1);
    }
  }
  Stroke stroke{&curve, curve.knots.front().row, {}, {}, {}, monotoneCubic(widthRows, widthValues)};
  for (double value : monotoneCubic(rightRows, rightValues))
    stroke.right.push_back(roundToPixel(value));
  stroke.pinned.assign(stroke.right.size(), false);
  for (std::size_t i = 0; i < stroke.right.size(); ++i) {
    const int width = std::clamp(roundToPixel(stroke.idealWidth[i]), kMinStroke, kMaxStroke);
    stroke.left.push_back(stroke.right[i] - width + 1);
  }
  for (const Knot& knot : curve.knots) {
    if (knot.left == kFree) continue;
    stroke.left[knot.row - stroke.top] = knot.left;
    stroke.pinned[knot.row - stroke.top] = true;
  }
  return stroke;
}

// Moving the left edge of row i by step (-1 widens, +1 narrows) keeps the stroke solid: width
// within bounds, left edge monotone, and each row touching the next (8-connected).
bool canMoveLeft(const Stroke& stroke, int i, int step) {
  if (stroke.pinned[i]) return false;
  const int left = stroke.left[i] + step;
  const int width = stroke.right[i] - left + 1;
  if (left < 0 || width < kMinStroke || width > kMaxStroke) return false;
  if (i > 0 && (left > stroke.left[i - 1] || left > stroke.right[i - 1] + 1)) return false;
  if (i + 1 < stroke.rows() &&
      (left < stroke.left[i + 1] || stroke.left[i + 1] > stroke.right[i] + 1 ||
       left > stroke.right[i + 1] + 1)) {
    return false;
  }
  return true;
}

// The pixel that a move of row i's left edge paints or uncovers.
int movedPixel(const Stroke& stroke, int i, int step) {
  return step < 0 ? stroke.left[i] - 1 : stroke.left[i];
}

// How much a move takes the row away from its interpolated width, and how much it bends the left
// edge: the cheapest moves keep the stroke closest to the smooth drawing.
std::pair<double, int> moveCost(const Stroke& stroke, int i, int step) {
  const double ideal = stroke.idealWidth[i];
  const int width = stroke.width(i);
  const double drift =
      (width - step - ideal) * (width - step - ideal) - (width - ideal) * (width - ideal);
  const auto bend = [&](int at, int leftAtI) {
    if (at <= 0 || at + 1 >= stroke.rows()) return 0;
    const auto edge = [&](int row) { return row == i ? leftAtI : stroke.left[row]; };
    return std::abs(edge(at - 1) - 2 * edge(at) + edge(at + 1));
  };
  int bendChange = 0;
  for (int at = i - 1; at <= i + 1; ++at)
    bendChange += bend(at, stroke.left[i] + step) - bend(at, stroke.left[i]);
  return {drift, bendChange};
}

// The row to widen (step -1) or narrow (+1) next, among rows whose moved pixel takes the given
// colour and, if asked, lies on grey (or white) background.
std::optional<int> pickRow(const Stroke& stroke, int step, Colour colour,
                           std::optional<bool> onGrey) {
  std::optional<int> best;
  std::tuple<double, int, int> bestKey{};
  for (int i = 0; i < stroke.rows(); ++i) {
    if (!canMoveLeft(stroke, i, step)) continue;
    const int x = movedPixel(stroke, i, step);
    if (stroke.colourAt(x, i) != colour) continue;
    if (onGrey && isGreyBackground(x, stroke.top + i) != *onGrey) continue;
    const auto [drift, bendChange] = moveCost(stroke, i, step);
    const std::tuple<double, int, int> key{std::round(drift * 1e6), bendChange, i};
    if (!best || key < bestKey) {
      best = i;
      bestKey = key;
    }
  }
  return best;
}

int countColour(const Stroke& stroke, Colour colour) {
  int count = 0;
  for (int i = 0; i < stroke.rows(); ++i) {
    for (int x = stroke.left[i]; x <= stroke.right[i]; ++x)
      count += stroke.colourAt(x, i) == colour;
  }
  return count;
}

void fitColour(Stroke& stroke, Colour colour, int pixels) {
  for (int count = countColour(stroke, colour); count != pixels;) {
    const int step = count < pixels ? -1 : 1;
    const auto row = pickRow(stroke, step, colour, std::nullopt);
    if (!row) throw std::logic_error("a curve cannot meet its pixel budget");
    stroke.left[*row] += step;
    count -= step;
  }
}

int greyCount(const std::vector<Stroke>& strokes) {
  int grey = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) grey += isGreyBackground(x, y);
  }
  for (const Stroke& stroke : strokes) {
    for (int i = 0; i < stroke.rows(); ++i) {
      for (int x = stroke.left[i]; x <= stroke.right[i]; ++x)
        grey -= isGreyBackground(x, stroke.top + i);
    }
  }
  return grey;
}

// Trades one curve pixel on white for one on grey (or back) within a single colour, so that the
// colour budgets hold while the visible grey comes out right.
bool tradeGreyPixel(Stroke& stroke, Colour colour, bool coverMoreGrey) {
  constexpr int kWiden = -1;
  const auto grown = pickRow(stroke, kWiden, colour, coverMoreGrey);
  if (!grown) return false;
  stroke.left[*grown] += kWiden;
  const auto shrunk = pickRow(stroke, -kWiden, colour, !coverMoreGrey);
  if (!shrunk) {
    stroke.left[*grown] -= kWiden;
    return false;
  }
  stroke.left[*shrunk] -= kWiden;
  return true;
}

void fitGrey(std::vector<Stroke>& strokes) {
  for (int grey = greyCount(strokes); grey != kGreyPixels; grey = greyCount(strokes)) {
    const bool coverMoreGrey = grey > kGreyPixels;
    bool traded = false;
    for (Stroke& stroke : strokes) {
      for (Colour colour :
           {stroke.curve->ordinary, stroke.curve->limit.value_or(stroke.curve->ordinary)}) {
        if (!traded) traded = tradeGreyPixel(stroke, colour, coverMoreGrey);
      }
    }
    if (!traded) throw std::logic_error("the grey budget cannot be met");
  }
}

std::vector<Stroke> drawStrokes() {
  std::vector<Stroke> strokes;
  for (const CurveDrawing& curve : kCurves) {
    Stroke stroke = interpolateStroke(curve);
    if (curve.limit) fitColour(stroke, *curve.limit, curve.limitPixels);
    fitColour(stroke, curve.ordinary, curve.ordinaryPixels);
    strokes.push_back(std::move(stroke));
  }
  fitGrey(strokes);
  return strokes;
}

}  // namespace

std::vector<Colour> drawChartPixels() {
  std::vector<Colour> pixels(static_cast<std::size_t>(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      pixels[static_cast<std::size_t>(y) * kWidth + x] =
          isGreyBackground(x, y) ? colours::kGrey : colours::kWhite;
    }
  }
  // Curves last, over grid and ticks, so that no grid pixel hides a curve pixel.
  for (const Stroke& stroke : drawStrokes()) {
    for (int i = 0; i < stroke.rows(); ++i) {
      const int y = stroke.top + i;
      for (int x = stroke.left[i]; x <= stroke.right[i]; ++x) {
        Colour& pixel = pixels[static_cast<std::size_t>(y) * kWidth + x];
        if (pixel != colours::kGrey && pixel != colours::kWhite)
          throw std::logic_error("curves overlap");
        pixel = stroke.colourAt(x, i);
      }
    }
  }
  return pixels;
}

std::vector<std::uint8_t> drawChartRasterBmp() {
  constexpr std::uint32_t kHeaderBytes = 14 + 40;
  constexpr std::uint32_t kRowBytes = kWidth * 3;  // a multiple of 4: no row padding
  constexpr std::uint32_t kImageBytes = kRowBytes * kHeight;
  // The file ends on a 4-byte boundary, two bytes past the last row.
  constexpr std::uint32_t kTrailingBytes = 2;
  constexpr std::int32_t kPixelsPerMetre = 2834;  // 72 dpi

  Bytes bmp;
  bmp.reserve(kHeaderBytes + kImageBytes + kTrailingBytes);
  bmp.push_back('B');
  bmp.push_back('M');
  putU32(bmp, kHeaderBytes + kImageBytes + kTrailingBytes);
  putU32(bmp, 0);  // reserved
  putU32(bmp, kHeaderBytes);
  putU32(bmp, 40);
  putI32(bmp, kWidth);
  putI32(bmp, kHeight);  // positive: rows stored bottom-up
  putU16(bmp, 1);
  putU16(bmp, 24);
  putU32(bmp, 0);  // no compression
  putU32(bmp, kImageBytes);
  putI32(bmp, kPixelsPerMetre);
  putI32(bmp, kPixelsPerMetre);
  putU32(bmp, 0);  // no palette
  putU32(bmp, 0);

  const std::vector<Colour> pixels = drawChartPixels();
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) {
      const auto colour =
          static_cast<std::uint32_t>(pixels[static_cast<std::size_t>(y) * kWidth + x]);
      bmp.push_back(static_cast<std::uint8_t>(colour >> 16));  // blue
      bmp.push_back(static_cast<std::uint8_t>(colour >> 8));  // green
      bmp.push_back(static_cast<std::uint8_t>(colour));  // red
    }
  }
  bmp.insert(bmp.end(), kTrailingBytes, 0);
  return bmp;
}

}  // namespace pictures
