// The chart box at the display scale the test runs at; it is registered at scales 1, 2
// and 1.5. What the window shows is read in device pixels and held against the chart
// pixel that each device pixel shows, as measured with a picture that names its pixels.

#include <algorithm>
#include <cmath>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "tests/support/core_harness.h"
#include "tests/support/form4_probe.h"
#include "tests/support/main_window_test.h"
#include "ui/bordered_label.h"
#include "ui/form4.h"

using namespace uitest;
using chart::ScrollBar;
using chart::TextControl;

namespace {

// The device pixels that a rectangle of logical pixels covers whole.
struct DeviceRange {
  int first;
  int last;
};

DeviceRange wholeDevicePixels(int logicalStart, int logicalLength, qreal dpr) {
  return {static_cast<int>(std::ceil(logicalStart * dpr)),
          static_cast<int>(std::floor((logicalStart + logicalLength) * dpr)) - 1};
}

// The device pixels that a rectangle of logical pixels covers at least in part.
DeviceRange touchedDevicePixels(int logicalStart, int logicalLength, qreal dpr) {
  return {static_cast<int>(std::floor(logicalStart * dpr)),
          static_cast<int>(std::ceil((logicalStart + logicalLength) * dpr)) - 1};
}

// Empty when every chart pixel 0..count-1 shows on one unbroken run of device pixels, the
// runs in order and each as long as the scale allows.
QString wholePixelFault(const std::vector<int>& mapping, int count, qreal dpr) {
  std::vector<int> first(static_cast<std::size_t>(count), -1);
  std::vector<int> length(static_cast<std::size_t>(count), 0);
  int previous = -1;
  for (std::size_t d = 0; d < mapping.size(); ++d) {
    const int pixel = mapping[d];
    if (pixel < 0) continue;
    if (pixel < previous)
      return QStringLiteral("chart pixel %1 shows after %2").arg(pixel).arg(previous);
    auto& start = first[static_cast<std::size_t>(pixel)];
    if (start < 0) start = static_cast<int>(d);
    if (start + length[static_cast<std::size_t>(pixel)] != static_cast<int>(d)) {
      return QStringLiteral("chart pixel %1 shows in two places").arg(pixel);
    }
    ++length[static_cast<std::size_t>(pixel)];
    previous = pixel;
  }
  const int shortest = static_cast<int>(std::floor(dpr));
  const int longest = static_cast<int>(std::ceil(dpr));
  for (int pixel = 0; pixel < count; ++pixel) {
    const int n = length[static_cast<std::size_t>(pixel)];
    if (n < shortest || n > longest) {
      return QStringLiteral("chart pixel %1 covers %2 device pixels at scale %3")
          .arg(pixel)
          .arg(n)
          .arg(dpr);
    }
  }
  return {};
}

// A press and release on Picture1 where Qt puts a pointer standing on a device pixel of
// the window: at the logical position device / scale, fraction and all.
void clickAtDevicePixel(ui::Form4& form, QPoint device) {
  const QPointF inWindow = QPointF(device) / form.devicePixelRatioF();
  ui::PictureBox* box = picture1(form);
  const QPointF local = inWindow - QPointF(box->mapTo(&form, QPoint(0, 0)));
  const QPointF global = form.mapToGlobal(inWindow);
  QMouseEvent press(QEvent::MouseButtonPress, local, inWindow, global, Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, inWindow, global, Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(box, &release);
}

// Colour runs along a line of device pixels, as (colour, length) pairs.
std::vector<std::pair<QRgb, int>> runsOf(const QImage& shown, QPoint from, QPoint step, int count) {
  std::vector<std::pair<QRgb, int>> runs;
  for (int i = 0; i < count; ++i) {
    const QPoint at = from + step * i;
    const QRgb colour = shown.pixel(at) & 0xFFFFFF;
    if (runs.empty() || runs.back().first != colour) runs.emplace_back(colour, 0);
    ++runs.back().second;
  }
  return runs;
}

}  // namespace

class HiDpiTest : public MainWindowTest {
  Q_OBJECT

  void opened() override { mapping_ = chartMapping(*form_, &named_); }

 private slots:
  // Nearest neighbour: each chart pixel is one solid block of device pixels, and no
  // device pixel mixes two chart pixels. The chart itself shows on exactly those blocks.
  void chart_isDrawnInWholePixels() {
    const qreal dpr = form_->devicePixelRatioF();
    QCOMPARE(wholePixelFault(mapping_.column, chart::ChartRaster::kWidth, dpr), QString());
    QCOMPARE(wholePixelFault(mapping_.row, chart::ChartRaster::kHeight, dpr), QString());
    for (int e = 0; e < named_.height(); ++e) {
      const int y = mapping_.row[static_cast<std::size_t>(e)];
      for (int d = 0; d < named_.width() && y >= 0; ++d) {
        const int x = mapping_.column[static_cast<std::size_t>(d)];
        if (x < 0) continue;
        const QRgb got = named_.pixel(d, e) & 0xFFFFFF;
        const QRgb expected = selfNamingColour(x, y) & 0xFFFFFF;
        QVERIFY2(got == expected, qPrintable(colourFault({d, e}, {x, y}, got, expected)));
      }
    }
    QCOMPARE(crossHairFaultOnScreen(*form_, mapping_, {-1, -1, -9, -9}), QString());
  }

  // The lines and the marker cover exactly the device pixels of their chart pixels, at the
  // edges too, and moving them leaves nothing behind.
  void crossHair_coversTheDevicePixelsOfItsChartPixel() {
    struct Move {
      chart::ScrollValue h;
      chart::ScrollValue v;
    };
    const Move moves[] = {{1, 1},     {2, 2},     {3, 3},     {4, 5},     {250, 200},
                          {251, 201}, {101, 151}, {499, 399}, {500, 400}, {0, 400},
                          {500, 0},   {7, 393},   {0, 0}};
    ui::QtForm4Controls& c = form_->controls();
    for (const Move& move : moves) {
      c.setScrollValue(ScrollBar::HScroll1, move.h);
      c.setScrollValue(ScrollBar::VScroll1, move.v);
      const CrossHairPixels at{move.h - 1, move.v - 1, static_cast<int>(c.markerLeft()),
                               static_cast<int>(c.markerTop())};
      const QString fault = crossHairFaultOnScreen(*form_, mapping_, at);
      QVERIFY2(fault.isEmpty(),
               qPrintable(QStringLiteral("at %1/%2: %3").arg(move.h).arg(move.v).arg(fault)));
    }
  }

  // Picture1's border: the device pixels between its edge and the chart are all border,
  // at least one and at most as many as the scale on every side.
  void chartBorder_isSolid() {
    const qreal dpr = form_->devicePixelRatioF();
    const QImage shown = windowShown(*form_);
    const QRect box = picture1(*form_)->geometry();
    const DeviceRange across = wholeDevicePixels(box.left(), box.width(), dpr);
    const DeviceRange down = wholeDevicePixels(box.top(), box.height(), dpr);
    const QRgb border = picture1(*form_)->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF;
    const auto countBorder = [&](const std::vector<int>& mapping, DeviceRange range, bool leading) {
      int n = 0;
      for (int i = 0; i <= range.last - range.first; ++i) {
        const int d = leading ? range.first + i : range.last - i;
        if (mapping[static_cast<std::size_t>(d)] >= 0) break;
        ++n;
      }
      return n;
    };
    const int sides[] = {
        countBorder(mapping_.column, across, true), countBorder(mapping_.column, across, false),
        countBorder(mapping_.row, down, true), countBorder(mapping_.row, down, false)};
    for (const int n : sides)
      QVERIFY2(n >= 1 && n <= std::ceil(dpr), qPrintable(QString::number(n)));
    for (int e = down.first; e <= down.last; ++e) {
      for (int d = across.first; d <= across.last; ++d) {
        const bool onChart = mapping_.column[static_cast<std::size_t>(d)] >= 0 &&
                             mapping_.row[static_cast<std::size_t>(e)] >= 0;
        if (onChart) continue;
        QVERIFY2((shown.pixel(d, e) & 0xFFFFFF) == border,
                 qPrintable(QStringLiteral("device pixel (%1, %2)").arg(d).arg(e)));
      }
    }
  }

  // The empty read-outs across their middle: frame, white, frame, each frame as thick as
  // one logical pixel allows, and no mixed colour anywhere. A device pixel that the label
  // covers only in part may show the window behind.
  void readOutFrames_areSolid_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("Label4") << "Label4";
    QTest::newRow("Label20") << "Label20";
  }

  void readOutFrames_areSolid() {
    QFETCH(QString, name);
    auto* label = dynamic_cast<ui::BorderedLabel*>(form_->control(name.toStdString()));
    QVERIFY(label != nullptr && label->text().isEmpty());
    const qreal dpr = form_->devicePixelRatioF();
    const QImage shown = windowShown(*form_);
    const QRect place = label->geometry();
    const DeviceRange across = touchedDevicePixels(place.left(), place.width(), dpr);
    const DeviceRange down = touchedDevicePixels(place.top(), place.height(), dpr);
    const QRgb frame = label->borderColour().rgb() & 0xFFFFFF;
    const QRgb ground = label->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
    const QRgb window = form_->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
    const int middleRow = (down.first + down.last) / 2;
    const int middleColumn = (across.first + across.last) / 2;
    const auto lines = {
        runsOf(shown, {across.first, middleRow}, {1, 0}, across.last - across.first + 1),
        runsOf(shown, {middleColumn, down.first}, {0, 1}, down.last - down.first + 1)};
    for (auto runs : lines) {
      if (runs.front().first == window) runs.erase(runs.begin());
      if (runs.back().first == window) runs.pop_back();
      QCOMPARE(runs.size(), std::size_t{3});
      QCOMPARE(runs[0].first, frame);
      QCOMPARE(runs[1].first, ground);
      QCOMPARE(runs[2].first, frame);
      for (const std::size_t side : {std::size_t{0}, std::size_t{2}}) {
        QVERIFY(runs[side].second >= 1 && runs[side].second <= std::ceil(dpr));
      }
    }
  }

  // Wherever the pointer stands, a click puts the cross-hair on the chart pixel drawn under
  // it; on the border it moves nothing.
  void click_landsOnTheChartPixelDrawnUnderThePointer() {
    const QRect span = picture1DeviceSpan(*form_);
    const auto firstShowing = [](const std::vector<int>& mapping, int pixel) {
      return static_cast<int>(std::ranges::find(mapping, pixel) - mapping.begin());
    };
    const int chartRow = firstShowing(mapping_.row, 200);
    const int chartColumn = firstShowing(mapping_.column, 250);
    ui::QtForm4Controls& c = form_->controls();
    for (int d = span.left(); d <= span.right(); ++d) {
      c.setScrollValue(ScrollBar::HScroll1, 0);
      clickAtDevicePixel(*form_, {d, chartRow});
      QVERIFY2(
          c.scrollValue(ScrollBar::HScroll1) == mapping_.column[static_cast<std::size_t>(d)] + 1,
          qPrintable(QStringLiteral("device column %1 gave %2")
                         .arg(d)
                         .arg(c.scrollValue(ScrollBar::HScroll1))));
    }
    for (int e = span.top(); e <= span.bottom(); ++e) {
      c.setScrollValue(ScrollBar::VScroll1, 0);
      clickAtDevicePixel(*form_, {chartColumn, e});
      QVERIFY2(c.scrollValue(ScrollBar::VScroll1) == mapping_.row[static_cast<std::size_t>(e)] + 1,
               qPrintable(QStringLiteral("device row %1 gave %2")
                              .arg(e)
                              .arg(c.scrollValue(ScrollBar::VScroll1))));
    }
  }

  void click_readsAsAtScaleOne_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::newRow("top-left") << QPoint(0, 0);
    QTest::newRow("bottom-right") << QPoint(499, 399);
    QTest::newRow("between the 7 and 4 bar curves") << QPoint(299, 199);
    QTest::newRow("7 bar speed limit") << QPoint(300, 49);
    QTest::newRow("left of the 13 bar curve") << QPoint(49, 199);
    QTest::newRow("4 bar curve alone") << QPoint(299, 344);
  }

  // A click through the window system's path reads what the core reads on that pixel.
  void click_readsAsAtScaleOne() {
    QFETCH(QPoint, pixel);
    const QPoint chartOrigin = picture1(*form_)->client()->mapTo(form_.get(), QPoint(0, 0));
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, Qt::NoModifier, chartOrigin + pixel);
    testsupport::CoreHarness core;
    core.scrollTo(static_cast<chart::ScrollValue>(pixel.x() + 1),
                  static_cast<chart::ScrollValue>(pixel.y() + 1));
    ui::QtForm4Controls& shown = form_->controls();
    for (const TextControl control : {TextControl::Text1, TextControl::Text2, TextControl::Label4,
                                      TextControl::Label20, TextControl::Label21}) {
      QCOMPARE(shown.text(control), core.text(control));
      if (control != TextControl::Label21)
        QCOMPARE(shown.textColour(control), core.controls.textColour(control));
    }
  }

 private:
  ChartMapping mapping_;
  QImage named_;
};

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
