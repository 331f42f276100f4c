#pragma once

// Helpers for the main window tests: finding controls, sending mouse events to the chart
// and checking what the chart box shows.

#include <string_view>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QString>

#include "chart/chart_raster.h"
#include "ui/form4.h"
#include "ui/picture_box.h"

namespace uitest {

inline QString qText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename T>
T* find(const ui::Form4& form, std::string_view name) {
  return qobject_cast<T*>(form.control(name));
}

inline ui::PictureBox* picture1(const ui::Form4& form) { return find<ui::PictureBox>(form, "Picture1"); }

inline QRgb rgbOf(chart::Colour colour) { return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

// Delivers a mouse event to Picture1 at a position in its client pixels, the way the
// window system does: through the widget's event handler, modifiers and all.
inline void sendChartMouse(const ui::Form4& form, QEvent::Type type, QPointF chartPosition, Qt::MouseButton button,
                           Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  ui::PictureBox* box = picture1(form);
  const QPointF local = chartPosition + QPointF(box->contentsRect().topLeft());
  QMouseEvent event(type, local, box->mapToGlobal(local), button, buttons, modifiers);
  QApplication::sendEvent(box, &event);
}

inline void clickChart(const ui::Form4& form, QPointF at, Qt::MouseButton button = Qt::LeftButton,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  sendChartMouse(form, QEvent::MouseButtonPress, at, button, button, modifiers);
  sendChartMouse(form, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

// What Picture1's client area shows, one pixel per chart pixel.
inline QImage chartShown(const ui::Form4& form) {
  return picture1(form)->client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where the cross-hair should be drawn: the lines' pixel column and row, and the marker's
// top-left pixel. Off-chart values draw nothing there.
struct CrossHairPixels {
  int column;
  int row;
  int markerLeft;
  int markerTop;
};

// Empty when the picture shows exactly the chart with the cross-hair over it; otherwise
// the first pixel that differs.
inline QString crossHairFault(const QImage& shown, const chart::ChartRaster& raster, CrossHairPixels at) {
  if (shown.size() != QSize(chart::ChartRaster::kWidth, chart::ChartRaster::kHeight)) {
    return QStringLiteral("client area is %1 x %2").arg(shown.width()).arg(shown.height());
  }
  const QRgb crossHair = rgbOf(chart::colours::kCrossHair);
  const int right = at.markerLeft + 7;
  const int bottom = at.markerTop + 7;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const bool onLine = x == at.column || y == at.row;
      const bool inMarkerBox = x >= at.markerLeft && x <= right && y >= at.markerTop && y <= bottom;
      const bool onMarker = inMarkerBox && (x == at.markerLeft || x == right || y == at.markerTop || y == bottom);
      const QRgb expected =
          onLine || onMarker ? crossHair : rgbOf(raster.pixel(static_cast<float>(x), static_cast<float>(y)));
      const QRgb got = shown.pixel(x, y) & 0xFFFFFF;
      if (got != (expected & 0xFFFFFF)) {
        return QStringLiteral("pixel (%1, %2) is %3, expected %4")
            .arg(x)
            .arg(y)
            .arg(got, 6, 16, QLatin1Char('0'))
            .arg(expected & 0xFFFFFF, 6, 16, QLatin1Char('0'));
      }
    }
  }
  return {};
}

}  // namespace uitest
