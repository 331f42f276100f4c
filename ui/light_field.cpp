#include "ui/light_field.h"

#include <algorithm>
#include <cmath>

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace ui {
namespace {

double luminance(const QColor& colour) {
  const auto linear = [](double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  const QColor rgb = colour.toRgb();
  return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// The reading's colours and the contrast each needs; pure red cannot do better than 4:1
// even on white.
constexpr double kBlackContrast = 7;
constexpr double kRedContrast = 3.995;

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void keepLightField(QWidget* control) {
  QPalette palette = control->palette();
  const QPalette::ColorRole field = control->backgroundRole();
  const QColor ground = palette.color(QPalette::Active, field);
  if (contrastRatio(Qt::black, ground) >= kBlackContrast &&
      contrastRatio(Qt::red, ground) >= kRedContrast)
    return;
  palette.setColor(field, Qt::white);
  palette.setColor(control->foregroundRole(), Qt::black);
  control->setPalette(palette);
}

}  // namespace ui
