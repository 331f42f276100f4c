#include "line_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "bitmap_font.h"

namespace pictures {

namespace {

using PixelPath = std::vector<std::pair<int, int>>;

// Pattern lengths in pixels along the line, after ISO 128 proportions scaled to a screen.
constexpr int kDash = 6;
constexpr int kDashGap = 3;
constexpr int kChainLong = 14;
constexpr int kChainGap = 2;
constexpr int kChainDot = 2;

bool patternOn(Pattern pattern, int step) {
  switch (pattern) {
    case Pattern::Solid:
      return true;
    case Pattern::Dashed:
      return step % (kDash + kDashGap) < kDash;
    case Pattern::Chain: {
      const int phase = step % (kChainLong + 2 * kChainGap + kChainDot);
      return phase < kChainLong ||
             (phase >= kChainLong + kChainGap && phase < kChainLong + kChainGap + kChainDot);
    }
  }
  return true;
}

int roundToPixel(double value) { return static_cast<int>(std::lround(value)); }

PixelPath bresenham(int x0, int y0, int x1, int y1) {
  PixelPath path;
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (true) {
    path.emplace_back(x0, y0);
    if (x0 == x1 && y0 == y1) {
      break;
    }
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x0 += sx;
    }
    if (doubled <= dx) {
      error += dx;
      y0 += sy;
    }
  }
  return path;
}

// Samples the arc finely, keeps each pixel once and drops the corner pixels of L-shaped steps
// so that the curve stays one pixel wide.
PixelPath arcPixels(Point centre, double radius, double fromDegrees, double toDegrees) {
  const double from = fromDegrees * std::numbers::pi / 180.0;
  const double to = toDegrees * std::numbers::pi / 180.0;
  const int steps = std::max(8, static_cast<int>(std::ceil(std::abs(to - from) * radius * 4.0)));
  PixelPath raw;
  for (int i = 0; i <= steps; ++i) {
    const double angle = from + (to - from) * i / steps;
    const std::pair<int, int> p{roundToPixel(centre.x + radius * std::cos(angle)),
                                roundToPixel(centre.y - radius * std::sin(angle))};
    if (raw.empty() || raw.back() != p) {
      raw.push_back(p);
    }
  }
  PixelPath thin;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (i > 0 && i + 1 < raw.size() && !thin.empty()) {
      const auto& before = thin.back();
      const auto& after = raw[i + 1];
      if (std::abs(before.first - after.first) <= 1 &&
          std::abs(before.second - after.second) <= 1) {
        continue;
      }
    }
    thin.push_back(raw[i]);
  }
  return thin;
}

}  // namespace

LineCanvas::LineCanvas(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kWhite) {}

std::size_t LineCanvas::index(int x, int y) const {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
         static_cast<std::size_t>(x);
}

bool LineCanvas::black(int x, int y) const {
  return x >= 0 && y >= 0 && x < width_ && y < height_ && pixels_[index(x, y)] == kBlack;
}

void LineCanvas::plot(int x, int y) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) {
    pixels_[index(x, y)] = kBlack;
  }
}

void LineCanvas::erase(int x, int y) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) {
    pixels_[index(x, y)] = kWhite;
  }
}

void LineCanvas::eraseRect(int left, int top, int width, int height) {
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      erase(x, y);
    }
  }
}

void LineCanvas::path(const PixelPath& pixels, Pattern pattern, bool thick, bool thickAlongX) {
  int step = 0;
  for (const auto& [x, y] : pixels) {
    if (patternOn(pattern, step++)) {
      plot(x, y);
      if (thick) {
        thickAlongX ? plot(x + 1, y) : plot(x, y + 1);
      }
    }
  }
}

void LineCanvas::line(Point from, Point to, Weight weight, Pattern pattern) {
  const int x0 = roundToPixel(from.x);
  const int y0 = roundToPixel(from.y);
  const int x1 = roundToPixel(to.x);
  const int y1 = roundToPixel(to.y);
  const bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
  path(bresenham(x0, y0, x1, y1), pattern, weight == Weight::Thick, steep);
}

void LineCanvas::rect(Point topLeft, Point bottomRight, Weight weight) {
  // Thick edges grow inwards so the outer size of the box stays what was asked for.
  const double inset = weight == Weight::Thick ? 1.0 : 0.0;
  line(topLeft, {bottomRight.x, topLeft.y}, weight);
  line({topLeft.x, bottomRight.y - inset}, {bottomRight.x, bottomRight.y - inset}, weight);
  line(topLeft, {topLeft.x, bottomRight.y}, weight);
  line({bottomRight.x - inset, topLeft.y}, {bottomRight.x - inset, bottomRight.y}, weight);
}

void LineCanvas::arc(Point centre, double radius, double fromDegrees, double toDegrees,
                     Weight weight, Pattern pattern) {
  if (weight == Weight::Thin) {
    path(arcPixels(centre, radius, fromDegrees, toDegrees), pattern, false, false);
    return;
  }
  // Wide curves grow inwards like the edges of a box: the ring from radius - 1.5 to radius + 0.5
  // about the centre rounded as line ends are, cut to the angular range.
  const double cx = roundToPixel(centre.x);
  const double cy = roundToPixel(centre.y);
  const int reach = static_cast<int>(std::ceil(radius + 1.0));
  const double from = std::min(fromDegrees, toDegrees);
  const double to = std::max(fromDegrees, toDegrees);
  for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y) {
    for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
      const double dx = x - cx;
      const double dy = cy - y;
      const double distance = std::hypot(dx, dy);
      if (distance < radius - 1.5 || distance >= radius + 0.5) {
        continue;
      }
      double angle = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
      while (angle < from) {
        angle += 360.0;
      }
      if (angle <= to) {
        plot(x, y);
      }
    }
  }
}

void LineCanvas::circle(Point centre, double radius, Weight weight, Pattern pattern) {
  arc(centre, radius, 0.0, 360.0, weight, pattern);
}

void LineCanvas::hatch(int left, int top, int right, int bottom, int spacing,
                       const std::function<bool(int, int)>& inside) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if ((x + y) % spacing == 0 && inside(x, y)) {
        plot(x, y);
      }
    }
  }
}

int LineCanvas::text(int x, int y, std::string_view utf8, Align align, int scale) {
  const int width = textWidth(utf8) * scale;
  int pen = align == Align::Left ? x : align == Align::Centre ? x - width / 2 : x - width;
  for (char32_t code : decodeUtf8(utf8)) {
    const Glyph& glyph = *findGlyph(code);
    const GlyphSpan span = glyphSpan(glyph);
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int column = 0; column < span.width; ++column) {
        if (glyph.rows[static_cast<std::size_t>(row)]
                      [static_cast<std::size_t>(span.first + column)] != '#') {
          continue;
        }
        for (int sy = 0; sy < scale; ++sy) {
          for (int sx = 0; sx < scale; ++sx) {
            plot(pen + column * scale + sx, y + row * scale + sy);
          }
        }
      }
    }
    pen += (span.width + 1) * scale;
  }
  return width;
}

}  // namespace pictures
