#include "ui/qt_colour.h"

namespace ui {
namespace {

constexpr layout::DesignColour kSystemFlag = 0x80000000;

}  // namespace

QColor toQColor(layout::DesignColour colour, const QPalette& palette) {
  if ((colour & kSystemFlag) == 0) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
  }
  switch (colour) {
    case layout::design::kWindowBackground:
      return palette.color(QPalette::Base);
    case layout::design::kTitleBarText:
      // Plain white, as in the usual schemes: the read-outs on it are written black or
      // red, so it has to stay light whatever the style's highlight colours are.
      return QColor(Qt::white);
    case layout::design::kWindowText:
    default:
      return palette.color(QPalette::Text);
  }
}

QColor toQColor(chart::Colour colour, const QPalette& palette) {
  return toQColor(static_cast<layout::DesignColour>(colour), palette);
}

chart::Colour toColour(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return static_cast<chart::Colour>(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

}  // namespace ui
