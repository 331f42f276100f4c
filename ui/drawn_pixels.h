#pragma once

#include <vector>

#include <QPointF>

namespace ui {

// Which picture pixel the screen shows under the pointer. At fractional display scales a
// picture pixel covers one or two device pixels, and Qt's nearest-neighbour scaling decides
// which: neither the floor of the logical position nor the pixel-centre rule matches it
// everywhere. So the mapping is taken from Qt itself, by drawing a picture whose pixels
// name themselves exactly the way a picture box draws its picture, once per scale and place.
class DrawnPixels {
 public:
  DrawnPixels(int pictureWidth, int pictureHeight) : width_(pictureWidth), height_(pictureHeight) {}

  // The picture pixel shown at a position in the top-level window, for a picture drawn
  // from `origin` (window coordinates) at the given display scale, as whole picture
  // coordinates; a position off the picture gives a coordinate outside 0..size - 1. At
  // scale 1 the position relative to the picture comes back unchanged.
  QPointF cellAt(QPointF windowPosition, QPointF origin, double scale);

 private:
  void measure(QPointF origin, double scale);

  int width_;
  int height_;
  QPointF origin_{-1, -1};
  double scale_ = 0;
  std::vector<int> columns_;  // picture column by device column, -1 where none is drawn
  std::vector<int> rows_;
};

}  // namespace ui
