#include "ui/drawn_pixels.h"

#include <algorithm>
#include <cmath>

#include <QImage>
#include <QPainter>

namespace ui {
namespace {

constexpr double kFar = 100000;

// Draws `length` pixels that carry their own index + 1 along one axis, from `origin`, and
// reads back which index lands on each device pixel.
std::vector<int> drawnAlong(Qt::Orientation axis, int length, double origin, double scale) {
  const int devicePixels = static_cast<int>(std::ceil((origin + length + 1) * scale));
  const bool across = axis == Qt::Horizontal;
  QImage named(across ? length : 1, across ? 1 : length, QImage::Format_RGB32);
  for (int i = 0; i < length; ++i) {
    named.setPixel(across ? i : 0, across ? 0 : i, 0xFF000000u | static_cast<QRgb>(i + 1));
  }
  QImage drawn(across ? devicePixels : 1, across ? 1 : devicePixels, QImage::Format_RGB32);
  drawn.fill(0xFF000000u);
  drawn.setDevicePixelRatio(scale);
  {
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.translate(across ? origin : 0, across ? 0 : origin);
    painter.drawImage(0, 0, named);
  }
  std::vector<int> pixels(static_cast<std::size_t>(devicePixels));
  for (int d = 0; d < devicePixels; ++d) {
    const QRgb colour = drawn.pixel(across ? d : 0, across ? 0 : d);
    pixels[static_cast<std::size_t>(d)] = static_cast<int>(colour & 0xFFFFFFu) - 1;
  }
  return pixels;
}

double cellOn(const std::vector<int>& drawn, int length, double position, double origin,
              double scale) {
  if (!std::isfinite(position)) return position;
  const double clamped = std::clamp(position, -kFar, kFar);
  // The window system reports a device pixel's corner as device / scale; rounding brings
  // back the device pixel whatever the division left over.
  const double device = std::floor(clamped * scale + 0.5);
  if (device < 0 || device >= static_cast<double>(drawn.size()))
    return std::floor(clamped - origin);
  const auto pixel = static_cast<std::size_t>(device);
  if (drawn[pixel] >= 0) return drawn[pixel];
  // Between the picture's edge and the next whole logical pixel: beside the picture.
  const bool beforePicture =
      std::find_if(drawn.begin(), drawn.begin() + static_cast<std::ptrdiff_t>(pixel), [](int p) {
        return p >= 0;
      }) == drawn.begin() + static_cast<std::ptrdiff_t>(pixel);
  return beforePicture ? -1.0 : static_cast<double>(length);
}

}  // namespace

QPointF DrawnPixels::cellAt(QPointF windowPosition, QPointF origin, double scale) {
  // At scale 1 the position is the pixel itself, fraction and all, as the chart takes it.
  if (scale == 1) return windowPosition - origin;
  if (origin != origin_ || scale != scale_) measure(origin, scale);
  return {cellOn(columns_, width_, windowPosition.x(), origin.x(), scale),
          cellOn(rows_, height_, windowPosition.y(), origin.y(), scale)};
}

void DrawnPixels::measure(QPointF origin, double scale) {
  origin_ = origin;
  scale_ = scale;
  columns_ = drawnAlong(Qt::Horizontal, width_, origin.x(), scale);
  rows_ = drawnAlong(Qt::Vertical, height_, origin.y(), scale);
}

}  // namespace ui
