// Writes the window icon: a small performance chart, four curves fanning out over a pair of axes,
// in the colours the chart itself uses for 13, 10, 7 and 4 bar.
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <iostream>
#include <vector>

#include "ico_writer.h"

namespace {

constexpr int kSize = 32;
constexpr int kSamples =
    8;  // per pixel and axis: edges come out smooth without a font or a rasteriser

struct Colour {
  double r, g, b;
};

constexpr Colour kPaper{1.0, 1.0, 1.0};
constexpr Colour kFrame{0.24, 0.27, 0.32};
constexpr Colour kAxis{0.10, 0.10, 0.10};
constexpr Colour kGrid{0.83, 0.85, 0.88};

struct Curve {
  double startY;  // at the left end of the plot
  double endY;  // at the right end
  Colour colour;
};

// Highest pressure on top, as on the chart; green and red a shade darker so they hold on white.
constexpr std::array<Curve, 4> kCurves{{
    {15.5, 5.5, {0.00, 0.00, 0.90}},
    {18.3, 10.0, {0.00, 0.62, 0.00}},
    {21.1, 14.5, {0.86, 0.00, 0.00}},
    {23.9, 19.0, {0.25, 0.50, 0.44}},
}};

constexpr double kPlotLeft = 8.0;
constexpr double kPlotRight = 27.5;

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Curves bow upwards a little, as power rises faster than linearly with speed.
double curveY(const Curve& curve, double x) {
  const double t = (x - kPlotLeft) / (kPlotRight - kPlotLeft);
  const double eased = 0.75 * t + 0.25 * t * t;
  return curve.startY + (curve.endY - curve.startY) * eased;
}

double distanceToCurve(const Curve& curve, double px, double py) {
  constexpr int kPieces = 24;
  double best = 1e9;
  for (int i = 0; i < kPieces; ++i) {
    const double x0 = kPlotLeft + (kPlotRight - kPlotLeft) * i / kPieces;
    const double x1 = kPlotLeft + (kPlotRight - kPlotLeft) * (i + 1) / kPieces;
    best = std::min(best, distanceToSegment(px, py, x0, curveY(curve, x0), x1, curveY(curve, x1)));
  }
  return best;
}

bool insideCard(double x, double y) {
  constexpr double kLow = 1.0;
  constexpr double kHigh = 31.0;
  constexpr double kRadius = 3.5;
  const double cx = std::clamp(x, kLow + kRadius, kHigh - kRadius);
  const double cy = std::clamp(y, kLow + kRadius, kHigh - kRadius);
  return x >= kLow && x <= kHigh && y >= kLow && y <= kHigh &&
         std::hypot(x - cx, y - cy) <= kRadius;
}

Colour sampleAt(double x, double y) {
  // Outside the card only the edge pixels the mask keeps are seen: give them the frame's colour.
  if (!insideCard(x, y) || !insideCard(x - 1.2, y) || !insideCard(x + 1.2, y) ||
      !insideCard(x, y - 1.2) || !insideCard(x, y + 1.2)) {
    return kFrame;
  }
  for (const Curve& curve : kCurves) {
    if (distanceToCurve(curve, x, y) <= 0.95) {
      return curve.colour;
    }
  }
  const bool verticalAxis = x >= 5.8 && x < 7.8 && y >= 4.5 && y < 26.8;
  const bool horizontalAxis = y >= 24.8 && y < 26.8 && x >= 5.8 && x < 28.0;
  if (verticalAxis || horizontalAxis) {
    return kAxis;
  }
  const bool gridColumn =
      std::fmod(x - 7.8, 5.0) < 0.8 && x > 8.0 && x < 28.0 && y >= 5.0 && y < 24.8;
  const bool gridRow = std::fmod(y - 0.0, 5.0) < 0.8 && y > 5.0 && y < 24.8 && x >= 7.8 && x < 28.0;
  if (gridColumn || gridRow) {
    return kGrid;
  }
  return kPaper;
}

std::uint8_t toByte(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_window_icon <output.ico>\n";
    return 2;
  }
  pictures::RgbImage image(kSize, kSize);
  std::vector<bool> transparent(static_cast<std::size_t>(kSize * kSize));
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      Colour sum{0, 0, 0};
      int covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = x + (sx + 0.5) / kSamples;
          const double py = y + (sy + 0.5) / kSamples;
          covered += insideCard(px, py) ? 1 : 0;
          const Colour c = sampleAt(px, py);
          sum.r += c.r;
          sum.g += c.g;
          sum.b += c.b;
        }
      }
      constexpr double kCount = kSamples * kSamples;
      // The mask is one bit deep: a pixel belongs to the card when the card covers most of it.
      transparent[static_cast<std::size_t>(y * kSize + x)] = covered * 2 < kSamples * kSamples;
      image.at(x, y) = {toByte(sum.r / kCount), toByte(sum.g / kCount), toByte(sum.b / kCount)};
    }
  }
  try {
    pictures::writeBytes(argv[1], pictures::encodeIco24(image, transparent));
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
