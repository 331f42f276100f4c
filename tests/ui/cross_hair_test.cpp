// The cross-hair driven through real widget events: clicks and drags on the chart, keys
// and mouse on the scroll bars, the buttons. Each flow is checked against what the window
// shows and, where the numbers are not spelled out, against the core on in-memory controls.

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "tests/support/core_harness.h"
#include "tests/support/form4_probe.h"
#include "tests/support/main_window_test.h"
#include "tests/support/reading_cases.h"
#include "ui/form4.h"
#include "ui/line_control.h"
#include "ui/mouse_masks.h"
#include "ui/shape_control.h"

using namespace uitest;
using chart::ScrollBar;
using chart::TextControl;

namespace {

constexpr TextControl kAllTexts[] = {TextControl::Text1,   TextControl::Text2,  TextControl::Text3,
                                     TextControl::Text4,   TextControl::Text5,  TextControl::Label4,
                                     TextControl::Label20, TextControl::Label21};

// Read-outs that can turn red, as bits for the data tables.
enum RedBit { kText1Red = 1, kLabel4Red = 2, kText2Red = 4, kLabel20Red = 8, kAllRed = 15 };

QColor textColourOf(QWidget* widget) { return widget->palette().color(widget->foregroundRole()); }

// Counts pressure readings: each one hides Line1 while it scans the row.
class ReadingCounter : public QObject {
 public:
  explicit ReadingCounter(QWidget* line1) { line1->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Hide) ++count;
    return false;
  }
};

// Empty when the window holds what the core holds on its in-memory controls.
QString differenceFromCore(ui::Form4& form, const testsupport::CoreHarness& core) {
  using enum chart::CrossHairLine;
  using enum chart::LineEnd;
  ui::QtForm4Controls& shown = form.controls();
  for (const ScrollBar bar : {ScrollBar::HScroll1, ScrollBar::VScroll1}) {
    if (shown.scrollValue(bar) != core.controls.scrollValue(bar)) {
      return QStringLiteral("scroll value %1 against %2")
          .arg(shown.scrollValue(bar))
          .arg(core.controls.scrollValue(bar));
    }
  }
  for (const TextControl control : kAllTexts) {
    if (shown.text(control) != core.controls.text(control)) {
      return QStringLiteral("text '%1' against '%2'")
          .arg(QString::fromStdString(shown.text(control)),
               QString::fromStdString(core.controls.text(control)));
    }
    if (shown.textColour(control) != core.controls.textColour(control) &&
        control != TextControl::Label21) {
      return QStringLiteral("colour of '%1'").arg(QString::fromStdString(shown.text(control)));
    }
  }
  for (const auto line : {Line1, Line2}) {
    for (const auto end : {X1, Y1, X2, Y2}) {
      if (shown.lineEnd(line, end) != core.controls.lineEnd(line, end))
        return QStringLiteral("a line end");
    }
    if (!shown.lineVisible(line)) return QStringLiteral("a hidden line");
  }
  if (shown.markerLeft() != core.controls.markerLeft() ||
      shown.markerTop() != core.controls.markerTop()) {
    return QStringLiteral("the marker");
  }
  if (form.logic().state().Pressure != core.logic.state().Pressure)
    return QStringLiteral("the pressure");
  return {};
}

// Empty when the chart shows the cross-hair where the scroll values put it, and nothing
// stale anywhere else, at the display scale the test runs at.
QString drawingFault(ui::Form4& form, const ChartMapping& mapping) {
  ui::QtForm4Controls& c = form.controls();
  const int column = c.scrollValue(ScrollBar::HScroll1) - 1;
  const int row = c.scrollValue(ScrollBar::VScroll1) - 1;
  return crossHairFaultOnScreen(
      form, mapping,
      {column, row, static_cast<int>(c.markerLeft()), static_cast<int>(c.markerTop())});
}

}  // namespace

class CrossHairTest : public MainWindowTest {
  Q_OBJECT

  void opened() override {
    mapping_ = chartMapping(*form_);
    readings_ = std::make_unique<ReadingCounter>(form_->control("Line1"));
  }

  void closing() override { readings_.reset(); }

 private slots:
  // The core's raster comes from Qt's BMP reader; the bitmap file read byte by byte
  // must give the same colours in the same order.
  void raster_isTheChartBitmapPixelForPixel() {
    const auto shown = form_->raster().pixels();
    const auto file = testsupport::chartRaster().pixels();
    QVERIFY(std::equal(shown.begin(), shown.end(), file.begin(), file.end()));
  }

  void afterLoad_crossHairParkedAndReadOutsAsDesigned() {
    using enum chart::CrossHairLine;
    using enum chart::LineEnd;
    ui::QtForm4Controls& c = form_->controls();
    QCOMPARE(c.scrollValue(ScrollBar::HScroll1), 0);
    QCOMPARE(c.scrollValue(ScrollBar::VScroll1), 0);
    QCOMPARE(c.lineEnd(Line1, X1), -1.0f);
    QCOMPARE(c.lineEnd(Line1, X2), -1.0f);
    QCOMPARE(c.lineEnd(Line2, Y1), -1.0f);
    QCOMPARE(c.lineEnd(Line2, Y2), -1.0f);
    QCOMPARE(c.markerLeft(), -9.0f);
    QCOMPARE(c.markerTop(), -9.0f);
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"})
      QCOMPARE(find<QLineEdit>(*form_, name)->text(), QString());
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), QString());
    QCOMPARE(find<QLabel>(*form_, "Label20")->text(), QString());
    QCOMPARE(find<QLabel>(*form_, "Label21")->text(), QString("@ 7 bar"));
    QVERIFY(c.lineVisible(Line1) && c.lineVisible(Line2));
    QCOMPARE(readings_->count, 0);
    QCOMPARE(drawingFault(*form_, mapping_), QString());
  }

  void click_placesTheCrossHairOnThatPixel_data() {
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("v");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("speed");
    QTest::newRow("top-left pixel") << QPointF(0, 0) << 1 << 1 << "44.9"
                                    << "2010";
    QTest::newRow("bottom-right pixel") << QPointF(499, 399) << 500 << 400 << "5.0"
                                        << "7000";
    QTest::newRow("row 149 is 30 kW") << QPointF(99, 149) << 100 << 150 << "30.0"
                                      << "3000";
    // Only synthetic events carry fractions at scale 1: the chart rounds them, halves to even.
    // At other scales the pixel drawn under the pointer counts (hidpi_test).
    if (qGuiApp->devicePixelRatio() == 1) {
      QTest::newRow("fractions round, halves to even") << QPointF(10.5, 21.5) << 12 << 22 << "42.8"
                                                       << "2120";
      QTest::newRow("just short of the next pixel") << QPointF(10.99, 21.99) << 12 << 23 << "42.7"
                                                    << "2120";
    }
  }

  void click_placesTheCrossHairOnThatPixel() {
    QFETCH(QPointF, at);
    QFETCH(int, h);
    QFETCH(int, v);
    QFETCH(QString, power);
    QFETCH(QString, speed);
    clickChart(*form_, at);
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), h);
    QCOMPARE(find<QScrollBar>(*form_, "VScroll1")->value(), v);
    QCOMPARE(find<QLineEdit>(*form_, "Text1")->text(), power);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), speed);
    QCOMPARE(drawingFault(*form_, mapping_), QString());
  }

  // A real click through the window system's path, on the pixel that the test names.
  void click_throughTheWindow_deliversClientPixels() {
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(33 + 299, 33 + 199));
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), 300);
    QCOMPARE(find<QScrollBar>(*form_, "VScroll1")->value(), 200);
  }

  void click_readsPressureAndDelivery_data() {
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("pressure");
    QTest::addColumn<QString>("pressureClass");
    QTest::addColumn<QString>("delivery");
    QTest::addColumn<int>("red");
    QTest::newRow("between the 7 and 4 bar curves") << QPointF(299, 199) << "25.0"
                                                    << "5000"
                                                    << "5.9"
                                                    << "@ 4 bar"
                                                    << "4.8" << 0;
    QTest::newRow("on the 10 bar curve") << QPointF(188, 199) << "25.0"
                                         << "3890"
                                         << "10.0"
                                         << "@ 10 bar"
                                         << "3.7" << 0;
    QTest::newRow("left of the 13 bar curve") << QPointF(49, 199) << "25.0"
                                              << "2500"
                                              << "13.0"
                                              << "@ 13 bar"
                                              << "2.2" << (kText2Red | kLabel20Red);
    QTest::newRow("row with the 4 bar curve alone") << QPointF(299, 344) << "10.5"
                                                    << "5000"
                                                    << "7.0"
                                                    << "@ 7 bar"
                                                    << "4.9" << int{kAllRed};
    QTest::newRow("7 bar curve in its limit segment") << QPointF(300, 49) << "40.0"
                                                      << "5010"
                                                      << "12.2"
                                                      << "@ 10 bar"
                                                      << "4.8" << (kText1Red | kLabel4Red);
  }

  void click_readsPressureAndDelivery() {
    QFETCH(QPointF, at);
    QFETCH(QString, power);
    QFETCH(QString, speed);
    QFETCH(QString, pressure);
    QFETCH(QString, pressureClass);
    QFETCH(QString, delivery);
    QFETCH(int, red);
    clickChart(*form_, at);
    QCOMPARE(find<QLineEdit>(*form_, "Text1")->text(), power);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), speed);
    QCOMPARE(find<QLineEdit>(*form_, "Text2")->text(), pressure);
    QCOMPARE(find<QLabel>(*form_, "Label21")->text(), pressureClass);
    QCOMPARE(find<QLabel>(*form_, "Label20")->text(), delivery);
    const std::pair<const char*, int> colours[] = {{"Text1", kText1Red},
                                                   {"Label4", kLabel4Red},
                                                   {"Text2", kText2Red},
                                                   {"Label20", kLabel20Red}};
    for (const auto& [name, bit] : colours) {
      QCOMPARE(textColourOf(form_->control(name)),
               (red & bit) != 0 ? QColor(Qt::red) : QColor(Qt::black));
      // The colour is the one the text is drawn in.
      const QImage shown = form_->control(name)->grab().toImage();
      bool anyRed = false;
      for (int y = 0; y < shown.height() && !anyRed; ++y) {
        for (int x = 0; x < shown.width() && !anyRed; ++x) {
          const QColor p = shown.pixelColor(x, y);
          anyRed = p.red() > 150 && p.green() < 100 && p.blue() < 100;
        }
      }
      QCOMPARE(anyRed, (red & bit) != 0);
    }
  }

  // A click that moves both lines reads twice, the column first; the current pixel, not at
  // all; a point beside the chart moves only the axis that is still on it.
  void click_runsOneReadingPerAxisThatChanges() {
    std::vector<char> changes;
    connect(find<QScrollBar>(*form_, "HScroll1"), &QScrollBar::valueChanged, this,
            [&] { changes.push_back('H'); });
    connect(find<QScrollBar>(*form_, "VScroll1"), &QScrollBar::valueChanged, this,
            [&] { changes.push_back('V'); });
    clickChart(*form_, {120, 80});
    QCOMPARE(changes, (std::vector<char>{'H', 'V'}));
    QCOMPARE(readings_->count, 2);
    clickChart(*form_, {120, 80}, Qt::RightButton);
    QCOMPARE(readings_->count, 2);
    clickChart(*form_, {-1, 90});
    clickChart(*form_, {130, 400});
    QCOMPARE(changes, (std::vector<char>{'H', 'V', 'V', 'H'}));
    QCOMPARE(readings_->count, 4);
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), 131);
    QCOMPARE(find<QScrollBar>(*form_, "VScroll1")->value(), 91);
  }

  void drag_followsOnlyTheRightButtonOrALeftDragWithAModifier_data() {
    QTest::addColumn<int>("held");  // Qt::MouseButtons
    QTest::addColumn<int>("modifiers");  // Qt::KeyboardModifiers
    QTest::addColumn<bool>("follows");
    QTest::newRow("right alone") << int{Qt::RightButton} << int{Qt::NoModifier} << true;
    QTest::newRow("right with Ctrl") << int{Qt::RightButton} << int{Qt::ControlModifier} << true;
    QTest::newRow("plain left: no accidental drag")
        << int{Qt::LeftButton} << int{Qt::NoModifier} << false;
    QTest::newRow("left with Shift") << int{Qt::LeftButton} << int{Qt::ShiftModifier} << true;
    QTest::newRow("left with Ctrl") << int{Qt::LeftButton} << int{Qt::ControlModifier} << true;
    QTest::newRow("left with Alt") << int{Qt::LeftButton} << int{Qt::AltModifier} << true;
    QTest::newRow("left with all three")
        << int{Qt::LeftButton} << int{Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier}
        << true;
    QTest::newRow("left with Meta alone is plain")
        << int{Qt::LeftButton} << int{Qt::MetaModifier} << false;
    QTest::newRow("left and right together")
        << int{Qt::LeftButton | Qt::RightButton} << int{Qt::NoModifier} << false;
    QTest::newRow("left and right with Shift")
        << int{Qt::LeftButton | Qt::RightButton} << int{Qt::ShiftModifier} << false;
    QTest::newRow("middle") << int{Qt::MiddleButton} << int{Qt::NoModifier} << false;
    QTest::newRow("middle with Shift") << int{Qt::MiddleButton} << int{Qt::ShiftModifier} << false;
  }

  void drag_followsOnlyTheRightButtonOrALeftDragWithAModifier() {
    QFETCH(int, held);
    QFETCH(int, modifiers);
    QFETCH(bool, follows);
    const auto buttons = Qt::MouseButtons::fromInt(held);
    const auto mods = Qt::KeyboardModifiers::fromInt(modifiers);
    // Each button goes down at (100, 100), which any button places.
    Qt::MouseButtons down;
    for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
      if (!buttons.testFlag(b)) continue;
      down |= b;
      sendChartMouse(*form_, QEvent::MouseButtonPress, {100, 100}, b, down, mods);
    }
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), 101);
    sendChartMouse(*form_, QEvent::MouseMove, {200, 150}, Qt::NoButton, buttons, mods);
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), follows ? 201 : 101);
    QCOMPARE(find<QScrollBar>(*form_, "VScroll1")->value(), follows ? 151 : 101);
    QCOMPARE(drawingFault(*form_, mapping_), QString());
  }

  // The window system keeps sending moves to the chart while the right button is held,
  // here over the scroll bar beside it and beyond the window.
  void rightDrag_beyondTheChart_movesOnlyTheAxisStillOnIt() {
    QWindow* window = form_->windowHandle();
    const QPoint chartOrigin(33, 33);
    // Qt Test remarks on every event it sends beyond the window; that is the point here.
    const QRegularExpression outside("occurs outside target window");
    for (int i = 0; i < 3; ++i) QTest::ignoreMessage(QtWarningMsg, outside);
    QTest::mousePress(window, Qt::RightButton, Qt::NoModifier, chartOrigin + QPoint(100, 100));
    QTest::mouseMove(window, chartOrigin + QPoint(520, 200));
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), 101);
    QCOMPARE(find<QScrollBar>(*form_, "VScroll1")->value(), 201);
    QTest::mouseMove(window, chartOrigin + QPoint(250, 600));
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), 251);
    QCOMPARE(find<QScrollBar>(*form_, "VScroll1")->value(), 201);
    QTest::mouseMove(window, QPoint(-500, 2000));
    QTest::mouseRelease(window, Qt::RightButton, Qt::NoModifier, QPoint(-500, 2000));
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), 251);
    QCOMPARE(drawingFault(*form_, mapping_), QString());
  }

  // Any button, any modifiers, anywhere: the window does what the core does, and the
  // chart shows the cross-hair where the values say, visible and with nothing stale.
  void mouseAnywhere_anyButtons_matchesTheCore() {
    testsupport::CoreHarness core;
    const QPointF places[] = {{-1e6, -1e6},   {1e6, 50},      {50, 1e6},    {-0.5, 7},
                              {499.4, 399.6}, {499.5, 399.5}, {500, 400},   {-1, -1},
                              {0, 0},         {250, 10},      {37.5, 398.5}};
    const Qt::MouseButtons heldSets[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                                         Qt::LeftButton | Qt::RightButton, Qt::NoButton};
    const Qt::KeyboardModifiers modifierSets[] = {Qt::NoModifier, Qt::ShiftModifier,
                                                  Qt::ControlModifier, Qt::AltModifier,
                                                  Qt::ShiftModifier | Qt::ControlModifier};
    int step = 0;
    for (const QPointF at : places) {
      for (const Qt::MouseButtons held : heldSets) {
        for (const Qt::KeyboardModifiers mods : modifierSets) {
          // Alternate presses and moves, landing on each place both ways.
          // The window hands the core the pixel under the pointer (hidpi_test checks which).
          ui::PictureBox* box = picture1(*form_);
          const QPointF cell = box->chartCell(at + QPointF(box->contentsRect().topLeft()));
          const auto x = static_cast<float>(cell.x());
          const auto y = static_cast<float>(cell.y());
          const chart::Int16 shift = ui::shiftMask(mods);
          if (++step % 2 == 0 && held != Qt::NoButton) {
            const Qt::MouseButton first = held.testFlag(Qt::LeftButton)    ? Qt::LeftButton
                                          : held.testFlag(Qt::RightButton) ? Qt::RightButton
                                                                           : Qt::MiddleButton;
            sendChartMouse(*form_, QEvent::MouseButtonPress, at, first, first, mods);
            core.logic.Picture1_MouseDown(ui::buttonMask(first), shift, x, y);
          } else {
            sendChartMouse(*form_, QEvent::MouseMove, at, Qt::NoButton, held, mods);
            core.logic.Picture1_MouseMove(ui::buttonMask(held), shift, x, y);
          }
          const QString difference = differenceFromCore(*form_, core);
          QVERIFY2(difference.isEmpty(),
                   qPrintable(QStringLiteral("step %1: %2").arg(step).arg(difference)));
        }
      }
      QCOMPARE(drawingFault(*form_, mapping_), QString());
    }
  }

  void scrollKeys_stepByOne_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("readings");
    QTest::newRow("right arrow from parked") << "HScroll1" << 0 << int{Qt::Key_Right} << 1 << 1;
    QTest::newRow("page right") << "HScroll1" << 250 << int{Qt::Key_PageDown} << 251 << 1;
    QTest::newRow("end") << "HScroll1" << 0 << int{Qt::Key_End} << 500 << 1;
    QTest::newRow("right arrow at the end: nothing")
        << "HScroll1" << 500 << int{Qt::Key_Right} << 500 << 0;
    QTest::newRow("left arrow when parked: nothing")
        << "HScroll1" << 0 << int{Qt::Key_Left} << 0 << 0;
    QTest::newRow("home parks the column") << "HScroll1" << 300 << int{Qt::Key_Home} << 0 << 1;
    QTest::newRow("down arrow from parked") << "VScroll1" << 0 << int{Qt::Key_Down} << 1 << 1;
    QTest::newRow("page down") << "VScroll1" << 399 << int{Qt::Key_PageDown} << 400 << 1;
    QTest::newRow("down arrow at the bottom: nothing")
        << "VScroll1" << 400 << int{Qt::Key_Down} << 400 << 0;
    QTest::newRow("up arrow") << "VScroll1" << 150 << int{Qt::Key_Up} << 149 << 1;
  }

  void scrollKeys_stepByOne() {
    QFETCH(QString, bar);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, value);
    QFETCH(int, readings);
    auto* scrollBar = find<QScrollBar>(*form_, bar.toStdString());
    scrollBar->setValue(start);
    const int before = readings_->count;
    QTest::keyClick(scrollBar, static_cast<Qt::Key>(key));
    QCOMPARE(scrollBar->value(), value);
    QCOMPARE(readings_->count - before, readings);
    QCOMPARE(drawingFault(*form_, mapping_), QString());
  }

  // The column read-outs at both ends, and a column parked again: the marker then centres
  // on -1 and shows its right edge on the chart.
  void columnEnds_andParkingAgain() {
    auto* bar = find<QScrollBar>(*form_, "HScroll1");
    QTest::keyClick(bar, Qt::Key_Right);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), QString("2010"));
    QCOMPARE(form_->controls().markerLeft(), -4.0f);
    QTest::keyClick(bar, Qt::Key_End);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), QString("7000"));
    QTest::keyClick(bar, Qt::Key_Home);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), QString("2000"));
    QCOMPARE(form_->controls().markerLeft(), -5.0f);
    QCOMPARE(drawingFault(*form_, mapping_), QString());
  }

  void scrollMouse_arrowAndTroughStepByOne() {
    auto* bar = find<QScrollBar>(*form_, "HScroll1");
    bar->setValue(100);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      partOf(bar, QStyle::SC_ScrollBarAddLine).center());
    QCOMPARE(bar->value(), 101);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      partOf(bar, QStyle::SC_ScrollBarSubLine).center());
    QCOMPARE(bar->value(), 100);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      partOf(bar, QStyle::SC_ScrollBarAddPage).center());
    QCOMPARE(bar->value(), 101);
  }

  // Dragging the thumb moves nothing until it is let go; then the cross-hair follows once.
  void thumbDrag_movesTheCrossHairOnRelease() {
    auto* bar = find<QScrollBar>(*form_, "HScroll1");
    const QPoint thumb = partOf(bar, QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, thumb);
    QTest::mouseMove(bar, thumb + QPoint(120, 0));
    QTest::mouseMove(bar, thumb + QPoint(200, 0));
    QCOMPARE(bar->value(), 0);
    QCOMPARE(readings_->count, 0);
    QCOMPARE(form_->controls().lineEnd(chart::CrossHairLine::Line1, chart::LineEnd::X1), -1.0f);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, thumb + QPoint(200, 0));
    QVERIFY(bar->value() > 0);
    QCOMPARE(readings_->count, 1);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), QString::number(bar->value() * 10 + 2000));
    QCOMPARE(drawingFault(*form_, mapping_), QString());
  }

  // The pulley calculator puts the air-end speed on the column: 3000 x 200 / 150 = 4000.
  void command2_placesTheColumnOfTheDriveSpeed() {
    QTest::keyClicks(form_->control("Text3"), "3000");
    QTest::keyClicks(form_->control("Text4"), "200");
    QTest::keyClicks(form_->control("Text5"), "150");
    QTest::mouseClick(form_->control("Command2"), Qt::LeftButton);
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), 200);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), QString("4000"));
  }

  // The power calculator: 25 kW is row 199, where the 7 bar curve lies at column 261.
  void command1_placesTheCrossHairFromPowerAndPressure() {
    QTest::keyClicks(form_->control("Text1"), "25");
    QTest::keyClicks(form_->control("Text2"), "7");
    QTest::mouseClick(form_->control("Command1"), Qt::LeftButton);
    QCOMPARE(find<QScrollBar>(*form_, "VScroll1")->value(), 200);
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), 262);
    QCOMPARE(find<QLineEdit>(*form_, "Text2")->text(), QString("7.0"));
    QCOMPARE(drawingFault(*form_, mapping_), QString());
  }

  // The drawing window is modeless: the cross-hair goes on following bars and mouse.
  void command4_opensTheDrawingWindowBesideAWorkingChart() {
    QTest::mouseClick(form_->control("Command4"), Qt::LeftButton);
    QWidget* drawing = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName() == "Form10") drawing = window;
    }
    QVERIFY(drawing != nullptr && drawing->isVisible());
    clickChart(*form_, QPointF(299, 199));
    QCOMPARE(find<QLineEdit>(*form_, "Text2")->text(), QString("5.9"));
    QTest::keyClick(find<QScrollBar>(*form_, "VScroll1"), Qt::Key_Down);
    QCOMPARE(find<QLineEdit>(*form_, "Text1")->text(), QString("24.9"));
    QCOMPARE(drawingFault(*form_, mapping_), QString());
  }

  // The actions of the table every front end is held to: the window's controls give the
  // same reading as the in-memory window and the page.
  void sharedReadingCases_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < testsupport::kReadingCases.size(); ++i) {
      QTest::newRow(std::string(testsupport::kReadingCases[i].why).c_str()) << static_cast<int>(i);
    }
  }

  void sharedReadingCases() {
    QFETCH(int, row);
    const testsupport::ReadingCase& c =
        testsupport::kReadingCases.at(static_cast<std::size_t>(row));
    const auto enter = [this, &c](std::initializer_list<const char*> names, const char* button) {
      auto entry = c.entries.begin();
      for (const char* name : names) find<QLineEdit>(*form_, name)->setText(qText(*entry++));
      QTest::mouseClick(form_->control(button), Qt::LeftButton);
    };
    switch (c.act) {
      case testsupport::ReadingCase::Act::Click:
        clickChart(*form_, QPointF(c.x, c.y));
        break;
      case testsupport::ReadingCase::Act::LeftDrag:
        sendChartMouse(*form_, QEvent::MouseMove, QPointF(c.x, c.y), Qt::NoButton, Qt::LeftButton);
        break;
      case testsupport::ReadingCase::Act::Calculate:
        enter({"Text1", "Text2"}, "Command1");
        break;
      case testsupport::ReadingCase::Act::Belt:
        enter({"Text3", "Text4", "Text5"}, "Command2");
        break;
    }
    QCOMPARE(qText(testsupport::differenceFrom(c, form_->logic().reading())), QString());
  }

  // "Close" ends the event loop at once, even with the drawing window open.
  void command3_endsTheProgram() {
    QTest::mouseClick(form_->control("Command4"), Qt::LeftButton);
    QEventLoop loop;
    QTimer::singleShot(0, this,
                       [this] { QTest::mouseClick(form_->control("Command3"), Qt::LeftButton); });
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
    QCOMPARE(loop.exec(), 0);
  }

 private:
  std::unique_ptr<ReadingCounter> readings_;
  ChartMapping mapping_;
};

QTEST_MAIN(CrossHairTest)
#include "cross_hair_test.moc"
