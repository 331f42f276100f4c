#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace pictures {

struct Point {
  double x;
  double y;
};

// Line weights of a technical drawing: visible outlines wide, everything else narrow.
enum class Weight { Thin, Thick };

// Line types: continuous, dashed (hidden edges) and long-dash-dot (centre lines).
enum class Pattern { Solid, Dashed, Chain };

enum class Align { Left, Centre, Right };

// A black-on-white drawing surface in pixels, rows from the top, x to the right.
// Pixel (x, y) is centred on the integer point (x, y).
class LineCanvas {
 public:
  static constexpr std::uint8_t kBlack = 0;
  static constexpr std::uint8_t kWhite = 255;

  LineCanvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }
  bool black(int x, int y) const;

  void plot(int x, int y);
  void erase(int x, int y);
  void eraseRect(int left, int top, int width, int height);

  // Thick straight lines are two pixels wide, the second pixel below or right of the first.
  void line(Point from, Point to, Weight weight = Weight::Thin, Pattern pattern = Pattern::Solid);
  void rect(Point topLeft, Point bottomRight, Weight weight = Weight::Thin);
  // Angles in degrees, counter-clockwise from the positive x axis as seen on the page.
  void arc(Point centre, double radius, double fromDegrees, double toDegrees,
           Weight weight = Weight::Thin, Pattern pattern = Pattern::Solid);
  void circle(Point centre, double radius, Weight weight = Weight::Thin,
              Pattern pattern = Pattern::Solid);
  // Section hatching at 45 degrees, rising to the right, wherever the predicate holds.
  void hatch(int left, int top, int right, int bottom, int spacing,
             const std::function<bool(int, int)>& inside);

  // Text in the bitmap font; y is the top row of the capitals. Returns the width drawn.
  int text(int x, int y, std::string_view utf8, Align align = Align::Left, int scale = 1);

 private:
  // Draws an ordered 8-connected pixel path, applying the pattern along its length.
  void path(const std::vector<std::pair<int, int>>& pixels, Pattern pattern, bool thick,
            bool thickAlongX);
  std::size_t index(int x, int y) const;

  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace pictures
