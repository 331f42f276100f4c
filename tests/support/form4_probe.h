#pragma once

// Helpers for the main window tests: finding controls, sending mouse events to the chart
// and checking what the chart box shows.

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QBackingStore>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QString>
#include <QStyle>
#include <QStyleOptionSlider>

#include "chart/chart_raster.h"
#include "layout/form4_layout.h"
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

inline ui::PictureBox* picture1(const ui::Form4& form) {
  return find<ui::PictureBox>(form, "Picture1");
}

// The layout table's row of a control; every name the tests use is in it.
inline const ::layout::ControlLayout& layoutOf(std::string_view name) {
  const ::layout::ControlLayout* control = ::layout::findControl(name);
  if (control == ::layout::kForm4Layout.end()) {
    qFatal("no control %.*s in the layout", static_cast<int>(name.size()), name.data());
  }
  return *control;
}

inline QRgb rgbOf(chart::Colour colour) {
  return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Delivers a mouse event to Picture1 at a position in its client pixels, the way the
// window system does: through the widget's event handler, modifiers and all.
inline void sendChartMouse(const ui::Form4& form, QEvent::Type type, QPointF chartPosition,
                           Qt::MouseButton button, Qt::MouseButtons buttons,
                           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
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

// Where a part of a scroll bar lies in it: an arrow, the trough either side of the thumb, or
// the thumb.
inline QRect partOf(QScrollBar* bar, QStyle::SubControl part) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
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

// The colour that chart pixel (x, y) should show: the cross-hair where it lies, the
// chart's own pixel elsewhere.
inline QRgb expectedColour(const chart::ChartRaster& raster, CrossHairPixels at, int x, int y) {
  const int right = at.markerLeft + 7;
  const int bottom = at.markerTop + 7;
  const bool onLine = x == at.column || y == at.row;
  const bool inMarkerBox = x >= at.markerLeft && x <= right && y >= at.markerTop && y <= bottom;
  const bool onMarker =
      inMarkerBox && (x == at.markerLeft || x == right || y == at.markerTop || y == bottom);
  const QRgb expected = onLine || onMarker
                            ? rgbOf(chart::colours::kCrossHair)
                            : rgbOf(raster.pixel(static_cast<float>(x), static_cast<float>(y)));
  return expected & 0xFFFFFF;
}

inline QString colourFault(QPoint device, QPoint chartPixel, QRgb got, QRgb expected) {
  QString where = QStringLiteral("pixel (%1, %2)").arg(chartPixel.x()).arg(chartPixel.y());
  if (device != chartPixel)
    where += QStringLiteral(" at device pixel (%1, %2)").arg(device.x()).arg(device.y());
  return QStringLiteral("%1 is %2, expected %3")
      .arg(where)
      .arg(got, 6, 16, QLatin1Char('0'))
      .arg(expected, 6, 16, QLatin1Char('0'));
}

// Empty when the picture shows exactly the chart with the cross-hair over it; otherwise
// the first pixel that differs.
inline QString crossHairFault(const QImage& shown, const chart::ChartRaster& raster,
                              CrossHairPixels at) {
  if (shown.size() != QSize(chart::ChartRaster::kWidth, chart::ChartRaster::kHeight)) {
    return QStringLiteral("client area is %1 x %2").arg(shown.width()).arg(shown.height());
  }
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb expected = expectedColour(raster, at, x, y);
      const QRgb got = shown.pixel(x, y) & 0xFFFFFF;
      if (got != expected) return colourFault({x, y}, {x, y}, got, expected);
    }
  }
  return {};
}

// What the window shows, one pixel per device pixel. A window on screen is read from its
// backing store once the pending repaints are done: what partial repaints leave behind
// shows there, stale pixels included.
inline QImage windowShown(ui::Form4& form) {
  if (form.isVisible()) {
    QCoreApplication::processEvents();
    QBackingStore* store = form.backingStore();
    if (store != nullptr && store->paintDevice()->devType() == QInternal::Image) {
      return static_cast<const QImage*>(store->paintDevice())
          ->convertToFormat(QImage::Format_RGB32);
    }
  }
  return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A picture whose every pixel names its own column and row, in colours that the window
// shows nowhere else near the chart and that differ from the cross-hair.
inline QRgb selfNamingColour(int x, int y) {
  return qRgb(x & 0xFF, 0x10 | ((x >> 8) & 1) | (((y >> 8) & 1) << 1), y & 0xFF);
}

inline std::optional<QPoint> namedPixel(QRgb colour) {
  if ((qGreen(colour) & 0xFC) != 0x10) return std::nullopt;
  return QPoint(qRed(colour) | ((qGreen(colour) & 1) << 8),
                qBlue(colour) | (((qGreen(colour) >> 1) & 1) << 8));
}

inline QImage selfNamingPicture() {
  QImage picture(chart::ChartRaster::kWidth, chart::ChartRaster::kHeight, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, selfNamingColour(x, y));
  }
  return picture;
}

// Picture1 as a whole, border included, in the window's device pixels: every device
// pixel that it covers at least in part.
inline QRect picture1DeviceSpan(const ui::Form4& form) {
  const QRectF box = QRectF(picture1(form)->geometry());
  const qreal dpr = form.devicePixelRatioF();
  const QPoint topLeft(static_cast<int>(std::floor(box.left() * dpr)),
                       static_cast<int>(std::floor(box.top() * dpr)));
  const QPoint end(static_cast<int>(std::ceil((box.left() + box.width()) * dpr)),
                   static_cast<int>(std::ceil((box.top() + box.height()) * dpr)));
  return QRect(topLeft, end - QPoint(1, 1));
}

// Which chart column each device column of the window shows, and which chart row each
// device row; -1 where no chart pixel shows. Measured, not computed: Picture1 shows the
// self-naming picture for a moment, and the window is read through the chart's middle.
// The cross-hair must be off the chart, as after load.
struct ChartMapping {
  std::vector<int> column;
  std::vector<int> row;
};

inline ChartMapping chartMapping(ui::Form4& form, QImage* namedShown = nullptr) {
  ui::PictureBox* box = picture1(form);
  const QImage chart = box->picture();
  box->setPicture(selfNamingPicture());
  const QImage shown = windowShown(form);
  box->setPicture(chart);
  const QRect span = picture1DeviceSpan(form);
  ChartMapping mapping{std::vector<int>(static_cast<std::size_t>(shown.width()), -1),
                       std::vector<int>(static_cast<std::size_t>(shown.height()), -1)};
  const int middleRow = (span.top() + span.bottom()) / 2;
  const int middleColumn = (span.left() + span.right()) / 2;
  for (int d = span.left(); d <= span.right(); ++d) {
    const auto named = namedPixel(shown.pixel(d, middleRow));
    if (named) mapping.column[static_cast<std::size_t>(d)] = named->x();
  }
  for (int e = span.top(); e <= span.bottom(); ++e) {
    const auto named = namedPixel(shown.pixel(middleColumn, e));
    if (named) mapping.row[static_cast<std::size_t>(e)] = named->y();
  }
  if (namedShown != nullptr) *namedShown = shown;
  return mapping;
}

// As crossHairFault, on what the window really shows at its own display scale: every
// device pixel that shows the chart must show the colour of the chart pixel mapped to it,
// and every chart pixel must show somewhere.
inline QString crossHairFaultOnScreen(ui::Form4& form, const ChartMapping& mapping,
                                      CrossHairPixels at) {
  const QImage shown = windowShown(form);
  std::vector<bool> columnShown(chart::ChartRaster::kWidth, false);
  std::vector<bool> rowShown(chart::ChartRaster::kHeight, false);
  if (mapping.column.size() != static_cast<std::size_t>(shown.width()) ||
      mapping.row.size() != static_cast<std::size_t>(shown.height())) {
    return QStringLiteral("the window is %1 x %2 device pixels, the mapping %3 x %4")
        .arg(shown.width())
        .arg(shown.height())
        .arg(mapping.column.size())
        .arg(mapping.row.size());
  }
  for (int e = 0; e < shown.height(); ++e) {
    const int y = mapping.row[static_cast<std::size_t>(e)];
    if (y < 0) continue;
    rowShown[static_cast<std::size_t>(y)] = true;
    for (int d = 0; d < shown.width(); ++d) {
      const int x = mapping.column[static_cast<std::size_t>(d)];
      if (x < 0) continue;
      columnShown[static_cast<std::size_t>(x)] = true;
      const QRgb expected = expectedColour(form.raster(), at, x, y);
      const QRgb got = shown.pixel(d, e) & 0xFFFFFF;
      if (got != expected) return colourFault({d, e}, {x, y}, got, expected);
    }
  }
  if (std::ranges::find(columnShown, false) != columnShown.end())
    return QStringLiteral("a chart column is not shown");
  if (std::ranges::find(rowShown, false) != rowShown.end())
    return QStringLiteral("a chart row is not shown");
  return {};
}

}  // namespace uitest
