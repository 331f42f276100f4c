// A seeded random walk of user actions through the real main window: mouse on the chart
// with any buttons and modifiers, anywhere; keys and clicks on the scroll bars; texts typed
// into the entry boxes; both Calculate buttons. The core on in-memory controls gets the same
// actions as handler calls, and after every step both must show the same thing. A failure
// names the seed, the step and the actions before it; the same seed replays the same walk:
//   model_walk_test "walk_windowAndCoreShowTheSameAfterEveryStep:seed 2"
// QNTE_WALK_STEPS=N walks N steps per seed instead, for a longer search.

#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include "chart/checked.h"
#include "tests/support/core_harness.h"
#include "tests/support/form4_probe.h"
#include "ui/form4.h"
#include "ui/line_control.h"
#include "ui/named_font.h"
#include "ui/shape_control.h"

using namespace uitest;
using chart::CrossHairLine;
using chart::LineEnd;
using chart::ScrollBar;
using chart::TextControl;

namespace {

constexpr std::uint32_t kSeeds[] = {1, 2, 3};
constexpr int kStepsPerSeed = 2000;
constexpr std::size_t kLogTail = 40;
// The picture is compared pixel by pixel this often; the controls after every step.
constexpr int kDrawingCheckEvery = 25;

constexpr ScrollBar kBars[] = {ScrollBar::HScroll1, ScrollBar::VScroll1};

const char* nameOf(TextControl control) { return layout::nameOf(control).data(); }
const char* nameOf(ScrollBar bar) { return layout::nameOf(bar).data(); }

// The walk's choices come from the engine's raw output only, so a seed walks the same way
// with any standard library.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
  bool percent(int p) { return below(100) < p; }
  double unit() { return static_cast<double>(engine_()) / 4294967296.0; }
  template <typename T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(static_cast<int>(N))];
  }

 private:
  std::mt19937 engine_;
};

// Texts that the number reading must survive, beside plain numbers.
constexpr const char* kOddTexts[] = {"",
                                     " ",
                                     "0",
                                     "-0",
                                     "1,5",
                                     "1e2",
                                     "1E2",
                                     "1e39",
                                     "1e400",
                                     "-1e400",
                                     "7e-400",
                                     "abc",
                                     "20 kW",
                                     "7 bar",
                                     "1450 1/min",
                                     "  12.5",
                                     "12.5  ",
                                     ".5",
                                     "5.",
                                     ".",
                                     "-",
                                     "+7",
                                     "1e",
                                     "1e+",
                                     "e5",
                                     "nan",
                                     "inf",
                                     "0x1A",
                                     "25,0",
                                     "\xB5",
                                     "32767",
                                     "32767.5",
                                     "-32768",
                                     "500",
                                     "500.5",
                                     "0.5",
                                     "4.95",
                                     "44.95",
                                     "45",
                                     "13",
                                     "4",
                                     "1234567890123456789012345678901234567890",
                                     "0000000000000000000000000007",
                                     "1.00000000000000000000001",
                                     "99999999999999999999e-19"};

QString plainNumber(Dice& dice, double low, double high) {
  const double value = low + dice.unit() * (high - low);
  return QString::number(value, 'f', dice.below(4));
}

// A number that the field's calculator would mostly accept, or an odd text.
QString textFor(Dice& dice, TextControl field) {
  if (dice.percent(35)) return QString::fromLatin1(dice.pick(kOddTexts));
  switch (field) {
    case TextControl::Text1:
      return plainNumber(dice, 0, 50);
    case TextControl::Text2:
      return plainNumber(dice, dice.percent(80) ? 4 : 0, dice.percent(80) ? 13 : 16);
    case TextControl::Text3:
      return plainNumber(dice, 0, dice.percent(85) ? 4000 : 40000);
    default:
      return plainNumber(dice, 0, dice.percent(85) ? 520 : 1.5);
  }
}

// A coordinate along one axis of a chart `size` pixels long: mostly whole pixels on it,
// also fractions, the edges and points far beyond them.
double chartCoordinate(Dice& dice, int size, int current) {
  const double edges[] = {-1,         -0.5,       -0.25,      -0.0,
                          0.5,        0.49,       0.51,       size - 1.5,
                          size - 0.6, size - 0.5, size - 0.4, static_cast<double>(size),
                          size + 0.5, size + 20.0};
  const double far[] = {-1e6, 1e6, -5000, 5000, -40, size + 40.0, 1e9, -3e4};
  switch (dice.below(10)) {
    case 0:
    case 1:
    case 2:
    case 3:
      return dice.below(size);
    case 4:
      return dice.below(size) + dice.pick({0.25, 0.5, 0.75, 0.499, 0.501});
    case 5:
      return dice.pick(edges);
    case 6:
      return dice.pick(far);
    case 7:
      return dice.unit() * (size + 40) - 20;
    case 8:
      // The cross-hair's own pixel, and its neighbours: a click that changes nothing.
      return current + dice.below(3) - 1;
    default:
      return dice.below(size);
  }
}

Qt::KeyboardModifiers randomModifiers(Dice& dice) {
  Qt::KeyboardModifiers modifiers;
  if (dice.percent(45)) return modifiers;
  for (const Qt::KeyboardModifier m : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
                                       Qt::MetaModifier, Qt::KeypadModifier}) {
    if (dice.percent(m == Qt::KeypadModifier ? 10 : 35)) modifiers |= m;
  }
  return modifiers;
}

// The masks are worked out here from the event, not with the window's own helpers.
chart::Int16 expectedButtonMask(Qt::MouseButtons buttons) {
  return static_cast<chart::Int16>((buttons.testFlag(Qt::LeftButton) ? 1 : 0) |
                                   (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
                                   (buttons.testFlag(Qt::MiddleButton) ? 4 : 0));
}

chart::Int16 expectedShiftMask(Qt::KeyboardModifiers modifiers) {
  return static_cast<chart::Int16>((modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
                                   (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
                                   (modifiers.testFlag(Qt::AltModifier) ? 4 : 0));
}

QString describe(Qt::MouseButtons buttons) {
  QString s;
  if (buttons.testFlag(Qt::LeftButton)) s += 'L';
  if (buttons.testFlag(Qt::RightButton)) s += 'R';
  if (buttons.testFlag(Qt::MiddleButton)) s += 'M';
  return s.isEmpty() ? QStringLiteral("-") : s;
}

QString describe(Qt::KeyboardModifiers modifiers) {
  QString s;
  if (modifiers.testFlag(Qt::ShiftModifier)) s += QStringLiteral("+Shift");
  if (modifiers.testFlag(Qt::ControlModifier)) s += QStringLiteral("+Ctrl");
  if (modifiers.testFlag(Qt::AltModifier)) s += QStringLiteral("+Alt");
  if (modifiers.testFlag(Qt::MetaModifier)) s += QStringLiteral("+Meta");
  if (modifiers.testFlag(Qt::KeypadModifier)) s += QStringLiteral("+Keypad");
  return s;
}

QString describe(QPointF at) {
  return QStringLiteral("(%1, %2)").arg(at.x(), 0, 'g', 10).arg(at.y(), 0, 'g', 10);
}

// The window may hand the core the point as it came or the pixel cell under it; either
// way within a pixel of it, and a point far off the chart stays off it on the same side.
bool plausibleCoordinate(double sent, float got, int size) {
  if (std::isnan(got)) return false;
  if (sent >= -2 && sent <= size + 2) return std::abs(static_cast<double>(got) - sent) < 1;
  return sent < 0 ? got < 0 : got > static_cast<float>(size - 1);
}

// One mouse handler call as the chart box raised it.
struct ChartCall {
  bool down;
  chart::Int16 button;
  chart::Int16 shift;
  chart::ChartCoord x;
  chart::ChartCoord y;

  QString text() const {
    return QStringLiteral("%1(%2,%3,%4,%5)")
        .arg(down ? "MouseDown" : "MouseMove")
        .arg(button)
        .arg(shift)
        .arg(static_cast<double>(x), 0, 'g', 9)
        .arg(static_cast<double>(y), 0, 'g', 9);
  }
};

bool sameBits(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// The plain 0x00BBGGRR value of a colour, worked out here rather than with the window's helper.
chart::Colour plainColour(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return static_cast<chart::Colour>(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

QString stateDifference(const chart::ChartState& shown, const chart::ChartState& core) {
  const std::pair<const char*, std::pair<float, float>> floats[] = {
      {"CurveX13", {shown.CurveX13, core.CurveX13}}, {"CurveX10", {shown.CurveX10, core.CurveX10}},
      {"CurveX7", {shown.CurveX7, core.CurveX7}},    {"CurveX4", {shown.CurveX4, core.CurveX4}},
      {"Pressure", {shown.Pressure, core.Pressure}}, {"Delivery", {shown.Delivery, core.Delivery}}};
  for (const auto& [name, values] : floats) {
    if (!sameBits(values.first, values.second)) {
      return QStringLiteral("%1 %2 against %3").arg(name).arg(values.first).arg(values.second);
    }
  }
  const std::pair<const char*, std::pair<int, int>> ints[] = {
      {"PixelColour", {shown.PixelColour, core.PixelColour}},
      {"RotorSpeed", {shown.RotorSpeed, core.RotorSpeed}},
      {"MotorSpeed", {shown.MotorSpeed, core.MotorSpeed}},
      {"MotorPulley", {shown.MotorPulley, core.MotorPulley}},
      {"AirEndPulley", {shown.AirEndPulley, core.AirEndPulley}}};
  for (const auto& [name, values] : ints) {
    if (values.first != values.second)
      return QStringLiteral("%1 %2 against %3").arg(name).arg(values.first).arg(values.second);
  }
  return {};
}

}  // namespace

class ModelWalkTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::installNamedFont(); }

  void walk_windowAndCoreShowTheSameAfterEveryStep_data() {
    QTest::addColumn<std::uint32_t>("seed");
    for (const std::uint32_t seed : kSeeds)
      QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
  }

  void walk_windowAndCoreShowTheSameAfterEveryStep() {
    QFETCH(std::uint32_t, seed);
    const int steps = qEnvironmentVariableIsSet("QNTE_WALK_STEPS")
                          ? qEnvironmentVariableIntValue("QNTE_WALK_STEPS")
                          : kStepsPerSeed;
    Walk walk(seed);
    QElapsedTimer timer;
    timer.start();
    for (int step = 1; step <= steps; ++step) {
      walk.step();
      QString difference = walk.difference();
      if (difference.isEmpty() && step % kDrawingCheckEvery == 0) difference = walk.drawingFault();
      if (!difference.isEmpty()) QFAIL(qPrintable(walk.report(step, difference)));
    }
    qInfo(
        "seed %u: %d steps, %d window events, %d core calls, %d column and %d row changes, "
        "%d steps with a red read-out, %lld ms",
        seed, steps, walk.events, walk.coreCalls, walk.columnChanges, walk.rowChanges,
        walk.redSteps, static_cast<long long>(timer.elapsed()));
  }

 private:
  class Walk {
   public:
    explicit Walk(std::uint32_t seed) : dice_(seed), seed_(seed) {
      form_.show();
      if (!QTest::qWaitForWindowExposed(&form_))
        problem_ = QStringLiteral("the window was never shown");
      box_ = picture1(form_);
      QObject::connect(
          box_, &ui::PictureBox::mouseDown, box_,
          [this](chart::Int16 b, chart::Int16 s, chart::ChartCoord x, chart::ChartCoord y) {
            calls_.push_back({true, b, s, x, y});
          });
      QObject::connect(
          box_, &ui::PictureBox::mouseMove, box_,
          [this](chart::Int16 b, chart::Int16 s, chart::ChartCoord x, chart::ChartCoord y) {
            calls_.push_back({false, b, s, x, y});
          });
      for (const ScrollBar bar : kBars) {
        QObject::connect(
            find<QScrollBar>(form_, nameOf(bar)), &QScrollBar::valueChanged, box_,
            [this, bar] { ++(bar == ScrollBar::HScroll1 ? columnChanges : rowChanges); });
      }
    }

    int events = 0;
    int coreCalls = 0;
    int columnChanges = 0;
    int rowChanges = 0;
    int redSteps = 0;

    void step() {
      action_.clear();
      // While a button is held the user mostly drags on; otherwise any control.
      const int roll =
          held_ != Qt::NoButton && dice_.percent(85) ? dice_.below(38) : dice_.below(100);
      if (roll < 14) {
        chartPress();
      } else if (roll < 28) {
        chartMoves();
      } else if (roll < 35 && held_ != Qt::NoButton) {
        chartRelease();
      } else if (roll < 33) {
        chartPress();
      } else if (roll < 35) {
        chartDoubleClick();
      } else if (roll < 38) {
        windowDrag();
      } else if (roll < 54) {
        scrollKey();
      } else if (roll < 62) {
        scrollClick();
      } else if (roll < 84) {
        typeText();
      } else {
        clickCommand(dice_.percent(50) ? 1 : 2);
      }
      if (dice_.percent(5)) {
        // Let pending paints and timers run, as the event loop would between actions.
        QCoreApplication::processEvents();
        action_ += QStringLiteral("; events processed");
      }
      log_.push_back(action_);
      if (log_.size() > kLogTail) log_.pop_front();
      for (const TextControl c : chart::kWarnedControls) {
        if (core_.red(c)) {
          ++redSteps;
          break;
        }
      }
    }

    // Empty when the window shows what the core shows, through the adapter and in the
    // widgets themselves.
    QString difference() {
      if (!problem_.isEmpty()) return problem_;
      ui::QtForm4Controls& shown = form_.controls();
      const chart::MemoryControls& model = core_.controls;
      for (const ScrollBar bar : kBars) {
        const auto* widget = find<QScrollBar>(form_, nameOf(bar));
        if (shown.scrollValue(bar) != model.scrollValue(bar) ||
            widget->value() != model.scrollValue(bar)) {
          return QStringLiteral("%1 value %2 (widget %3) against %4")
              .arg(nameOf(bar))
              .arg(shown.scrollValue(bar))
              .arg(widget->value())
              .arg(model.scrollValue(bar));
        }
        if (shown.scrollMaximum(bar) != model.scrollMaximum(bar) ||
            widget->maximum() != model.scrollMaximum(bar) || widget->minimum() != 0) {
          return QStringLiteral("%1 range %2..%3 against 0..%4")
              .arg(nameOf(bar))
              .arg(widget->minimum())
              .arg(widget->maximum())
              .arg(model.scrollMaximum(bar));
        }
      }
      for (std::size_t i = 0; i < chart::kTextControlCount; ++i) {
        const auto control = static_cast<TextControl>(i);
        const QWidget* widget = form_.control(nameOf(control));
        const auto* edit = qobject_cast<const QLineEdit*>(widget);
        const QString widgetText =
            edit != nullptr ? edit->text() : qobject_cast<const QLabel*>(widget)->text();
        const QString expected = QString::fromStdString(model.text(control));
        if (QString::fromStdString(shown.text(control)) != expected || widgetText != expected) {
          return QStringLiteral("%1 shows '%2' (widget '%3') against '%4'")
              .arg(nameOf(control), QString::fromStdString(shown.text(control)), widgetText,
                   expected);
        }
        const QColor drawnIn =
            widget->palette().color(edit != nullptr ? QPalette::Text : QPalette::WindowText);
        if (shown.textColour(control) != model.textColour(control) ||
            plainColour(drawnIn) != model.textColour(control)) {
          return QStringLiteral("%1 colour %2 (palette %3) against %4")
              .arg(nameOf(control))
              .arg(shown.textColour(control), 6, 16, QLatin1Char('0'))
              .arg(plainColour(drawnIn), 6, 16, QLatin1Char('0'))
              .arg(model.textColour(control), 6, 16, QLatin1Char('0'));
        }
      }
      for (const CrossHairLine line : {CrossHairLine::Line1, CrossHairLine::Line2}) {
        const char* name = line == CrossHairLine::Line1 ? "Line1" : "Line2";
        const auto* widget = dynamic_cast<const ui::LineControl*>(form_.control(name));
        for (const LineEnd end : {LineEnd::X1, LineEnd::Y1, LineEnd::X2, LineEnd::Y2}) {
          if (!sameBits(shown.lineEnd(line, end), model.lineEnd(line, end)) ||
              !sameBits(widget->end(end), model.lineEnd(line, end))) {
            return QStringLiteral("%1 end %2 at %3 against %4")
                .arg(name)
                .arg(static_cast<int>(end))
                .arg(static_cast<double>(shown.lineEnd(line, end)))
                .arg(static_cast<double>(model.lineEnd(line, end)));
          }
        }
        if (shown.lineVisible(line) != model.lineVisible(line) ||
            widget->isHidden() == model.lineVisible(line)) {
          return QStringLiteral("%1 visible %2 against %3")
              .arg(name)
              .arg(shown.lineVisible(line))
              .arg(model.lineVisible(line));
        }
      }
      const auto* marker = dynamic_cast<const ui::ShapeControl*>(form_.control("Shape2"));
      if (!sameBits(shown.markerLeft(), model.markerLeft()) ||
          !sameBits(shown.markerTop(), model.markerTop()) ||
          !sameBits(marker->left(), model.markerLeft()) ||
          !sameBits(marker->top(), model.markerTop()) ||
          shown.markerWidth() != model.markerWidth() ||
          shown.markerHeight() != model.markerHeight()) {
        return QStringLiteral("Shape2 at (%1, %2) against (%3, %4)")
            .arg(static_cast<double>(shown.markerLeft()))
            .arg(static_cast<double>(shown.markerTop()))
            .arg(static_cast<double>(model.markerLeft()))
            .arg(static_cast<double>(model.markerTop()));
      }
      return stateDifference(form_.logic().state(), core_.logic.state());
    }

    // Empty when the chart box shows the chart with the cross-hair where the lines and the
    // marker say, and nothing stale.
    QString drawingFault() {
      // The picture is compared pixel for pixel only where one logical pixel is one pixel.
      if (form_.devicePixelRatioF() != 1.0) return {};
      ui::QtForm4Controls& c = form_.controls();
      const auto cell = [](chart::ChartCoord v) {
        return static_cast<int>(std::floor(static_cast<double>(v)));
      };
      const QString fault = crossHairFault(chartShown(form_), form_.raster(),
                                           {cell(c.lineEnd(CrossHairLine::Line1, LineEnd::X1)),
                                            cell(c.lineEnd(CrossHairLine::Line2, LineEnd::Y1)),
                                            cell(c.markerLeft()), cell(c.markerTop())});
      return fault.isEmpty() ? fault : QStringLiteral("the chart box draws wrongly: ") + fault;
    }

    QString report(int step, const QString& difference) const {
      QString text = QStringLiteral("seed %1, step %2: %3\nThe last %4 steps, oldest first:")
                         .arg(seed_)
                         .arg(step)
                         .arg(difference)
                         .arg(log_.size());
      int n = step - static_cast<int>(log_.size());
      for (const QString& entry : log_) text += QStringLiteral("\n  %1: %2").arg(++n).arg(entry);
      return text;
    }

   private:
    // Runs a core handler as the window does: a failure abandons it without a word.
    template <typename Handler>
    void onCore(Handler&& handler) {
      ++coreCalls;
      try {
        handler();
      } catch (const chart::ChartError&) {
        action_ += QStringLiteral(" [core failed]");
      }
    }

    QPointF randomChartPoint() {
      const auto& c = core_.controls;
      return {chartCoordinate(dice_, chart::ChartRaster::kWidth,
                              c.scrollValue(ScrollBar::HScroll1) - 1),
              chartCoordinate(dice_, chart::ChartRaster::kHeight,
                              c.scrollValue(ScrollBar::VScroll1) - 1)};
    }

    Qt::MouseButton randomButton() {
      const int roll = dice_.below(100);
      return roll < 50 ? Qt::LeftButton : roll < 85 ? Qt::RightButton : Qt::MiddleButton;
    }

    // Sends one event to the chart box as the window system delivers it, grab included:
    // a box that a button went down on keeps getting the moves wherever the pointer goes.
    void sendToChart(QEvent::Type type, QPointF at, Qt::MouseButton button,
                     Qt::KeyboardModifiers modifiers) {
      ++events;
      sendChartMouse(form_, type, at, button, held_, modifiers);
    }

    // Hands the core what the chart box raised, after checking the masks against the event
    // and the position against where the event was.
    void forwardCalls(int expectedCalls, std::optional<QPointF> at, bool down,
                      Qt::MouseButtons buttons, std::optional<Qt::KeyboardModifiers> modifiers) {
      std::vector<ChartCall> calls;
      calls.swap(calls_);
      for (const ChartCall& call : calls) action_ += QStringLiteral(" => ") + call.text();
      // Without mouse tracking Qt keeps moves with no button from the box; the core would
      // ignore them anyway.
      const bool countOk =
          static_cast<int>(calls.size()) == expectedCalls ||
          (!down && buttons == Qt::NoButton && expectedCalls == 1 && calls.empty());
      if (!countOk && problem_.isEmpty()) {
        problem_ = QStringLiteral("the chart box raised %1 handler calls, expected %2")
                       .arg(calls.size())
                       .arg(expectedCalls);
      }
      for (const ChartCall& call : calls) {
        if (problem_.isEmpty()) {
          if (call.down != down || call.button != expectedButtonMask(buttons) ||
              (modifiers && call.shift != expectedShiftMask(*modifiers))) {
            problem_ = QStringLiteral("the chart box raised %1 for buttons %2, modifiers '%3'")
                           .arg(call.text(), describe(buttons),
                                modifiers ? describe(*modifiers) : QString("?"));
          } else if (at && (!plausibleCoordinate(at->x(), call.x, chart::ChartRaster::kWidth) ||
                            !plausibleCoordinate(at->y(), call.y, chart::ChartRaster::kHeight))) {
            problem_ = QStringLiteral("the chart box raised %1 for the point %2")
                           .arg(call.text(), describe(*at));
          }
        }
        onCore([&] {
          if (call.down) {
            core_.logic.Picture1_MouseDown(call.button, call.shift, call.x, call.y);
          } else {
            core_.logic.Picture1_MouseMove(call.button, call.shift, call.x, call.y);
          }
        });
      }
    }

    void chartPress() {
      Qt::MouseButton button = randomButton();
      if (held_.testFlag(button)) {
        chartRelease(button);
        return;
      }
      const QPointF at = randomChartPoint();
      const Qt::KeyboardModifiers modifiers = randomModifiers(dice_);
      held_ |= button;
      action_ = QStringLiteral("press %1 %2%3 held %4")
                    .arg(describe(button), describe(at), describe(modifiers), describe(held_));
      sendToChart(QEvent::MouseButtonPress, at, button, modifiers);
      forwardCalls(1, at, true, button, modifiers);
    }

    // A drag: a few moves, each near the last or anywhere, with the buttons now held.
    void chartMoves() {
      const int count = 1 + dice_.below(4);
      Qt::KeyboardModifiers modifiers = randomModifiers(dice_);
      action_ = QStringLiteral("moves held %1:").arg(describe(held_));
      QPointF at = randomChartPoint();
      for (int i = 0; i < count; ++i) {
        if (i > 0) {
          at = dice_.percent(60) ? at + QPointF(dice_.below(21) - 10, dice_.below(21) - 10)
                                 : randomChartPoint();
        }
        if (dice_.percent(20)) modifiers = randomModifiers(dice_);
        action_ += QStringLiteral(" %1%2").arg(describe(at), describe(modifiers));
        sendToChart(QEvent::MouseMove, at, Qt::NoButton, modifiers);
        forwardCalls(1, at, false, held_, modifiers);
      }
    }

    void chartRelease(std::optional<Qt::MouseButton> which = std::nullopt) {
      Qt::MouseButton button = which.value_or(randomButton());
      if (!held_.testFlag(button)) {
        for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
          if (held_.testFlag(b)) button = b;
        }
      }
      const QPointF at = randomChartPoint();
      if (!held_.testFlag(button)) {
        action_ += QStringLiteral("nothing held to release");
        return;
      }
      held_ &= ~Qt::MouseButtons(button);
      action_ += QStringLiteral("release %1 %2 held %3")
                     .arg(describe(button), describe(at), describe(held_));
      sendToChart(QEvent::MouseButtonRelease, at, button, Qt::NoModifier);
      forwardCalls(0, at, false, held_, std::nullopt);
    }

    // Another control can be used only once the chart has let the mouse go.
    void releaseAll() {
      for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (held_.testFlag(b)) {
          chartRelease(b);
          action_ += QStringLiteral("; ");
        }
      }
    }

    // The second press of a double click arrives as its own event kind.
    void chartDoubleClick() {
      releaseAll();
      const Qt::MouseButton button = randomButton();
      const QPointF at = randomChartPoint();
      const Qt::KeyboardModifiers modifiers = randomModifiers(dice_);
      action_ += QStringLiteral("double click %1 %2%3")
                     .arg(describe(button), describe(at), describe(modifiers));
      for (const QEvent::Type press : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
        held_ = button;
        sendToChart(press, at, button, modifiers);
        held_ = Qt::NoButton;
        sendToChart(QEvent::MouseButtonRelease, at, button, modifiers);
      }
      forwardCalls(2, at, true, button, modifiers);
    }

    // Through the window system's own path: the press finds the chart box under the pointer,
    // which then keeps the mouse wherever it moves inside the window. Qt Test sends these
    // moves without modifiers.
    void windowDrag() {
      releaseAll();
      QWindow* window = form_.windowHandle();
      const Qt::MouseButton button = randomButton();
      const Qt::KeyboardModifiers modifiers = randomModifiers(dice_);
      const QPoint onChart(dice_.below(chart::ChartRaster::kWidth),
                           dice_.below(chart::ChartRaster::kHeight));
      const QPoint origin = box_->client()->mapTo(&form_, QPoint(0, 0));
      action_ += QStringLiteral("window press %1 chart (%2, %3)%4")
                     .arg(describe(button))
                     .arg(onChart.x())
                     .arg(onChart.y())
                     .arg(describe(modifiers));
      ++events;
      QTest::mousePress(window, button, modifiers, origin + onChart);
      forwardCalls(1, QPointF(onChart), true, button, modifiers);
      QPoint last = origin + onChart;
      for (int i = dice_.below(4); i > 0; --i) {
        last = QPoint(dice_.below(form_.width()), dice_.below(form_.height()));
        action_ += QStringLiteral("; window move (%1, %2)").arg(last.x()).arg(last.y());
        ++events;
        QTest::mouseMove(window, last);
        forwardCalls(1, QPointF(last - origin), false, button, std::nullopt);
      }
      ++events;
      QTest::mouseRelease(window, button, modifiers, last);
      action_ += QStringLiteral("; window release");
      forwardCalls(0, std::nullopt, false, Qt::NoButton, std::nullopt);
    }

    // Arrow and page keys move by 1, Home and End to the ends.
    void scrollKey() {
      releaseAll();
      const ScrollBar bar = dice_.pick(kBars);
      const Qt::Key key = dice_.pick({Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                                      Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End});
      const int value = core_.controls.scrollValue(bar);
      const int maximum = core_.controls.scrollMaximum(bar);
      int next = value;
      switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_PageUp:
          next = value - 1;
          break;
        case Qt::Key_Home:
          next = 0;
          break;
        case Qt::Key_End:
          next = maximum;
          break;
        default:
          next = value + 1;
      }
      next = std::clamp(next, 0, maximum);
      action_ += QStringLiteral("key %1 on %2").arg(QKeySequence(key).toString(), nameOf(bar));
      ++events;
      QTest::keyClick(find<QScrollBar>(form_, nameOf(bar)), key);
      onCore([&] { core_.controls.setScrollValue(bar, static_cast<chart::ScrollValue>(next)); });
    }

    // The arrows and the trough on either side of the thumb move by 1.
    void scrollClick() {
      releaseAll();
      const ScrollBar bar = dice_.pick(kBars);
      auto* widget = find<QScrollBar>(form_, nameOf(bar));
      QStyle::SubControl part =
          dice_.pick({QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine,
                      QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage});
      QRect rect = partOf(widget, part);
      if (rect.width() < 3 || rect.height() < 3) {
        // The thumb sits at that end, and there is no trough beside it.
        part = part == QStyle::SC_ScrollBarSubPage ? QStyle::SC_ScrollBarSubLine
                                                   : QStyle::SC_ScrollBarAddLine;
        rect = partOf(widget, part);
      }
      const bool add = part == QStyle::SC_ScrollBarAddLine || part == QStyle::SC_ScrollBarAddPage;
      const bool arrow = part == QStyle::SC_ScrollBarAddLine || part == QStyle::SC_ScrollBarSubLine;
      const int next = std::clamp(core_.controls.scrollValue(bar) + (add ? 1 : -1), 0,
                                  static_cast<int>(core_.controls.scrollMaximum(bar)));
      action_ += QStringLiteral("click %1 %2 of %3")
                     .arg(add ? "add" : "sub", arrow ? "arrow" : "trough", nameOf(bar));
      ++events;
      QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, rect.center());
      onCore([&] { core_.controls.setScrollValue(bar, static_cast<chart::ScrollValue>(next)); });
    }

    // Selects what the box holds and types over it, key by key.
    void typeText() {
      releaseAll();
      const TextControl field =
          dice_.pick({TextControl::Text1, TextControl::Text2, TextControl::Text3,
                      TextControl::Text4, TextControl::Text5});
      const QString text = textFor(dice_, field);
      action_ += QStringLiteral("type '%1' into %2").arg(text, nameOf(field));
      QWidget* edit = form_.control(nameOf(field));
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Backspace);
      } else {
        QTest::keyClicks(edit, text);
      }
      events += 1 + static_cast<int>(std::max<qsizetype>(text.size(), 1));
      core_.controls.setText(field, text.toStdString());
    }

    // Clicked with the mouse or pressed with the space bar.
    void clickCommand(int which) {
      releaseAll();
      const char* name = which == 1 ? "Command1" : "Command2";
      auto* button = find<QPushButton>(form_, name);
      const bool byKey = dice_.percent(25);
      action_ += QStringLiteral("%1 %2").arg(byKey ? "space on" : "click", name);
      ++events;
      if (byKey) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
      } else {
        QTest::mouseClick(button, Qt::LeftButton);
      }
      onCore([&] {
        if (which == 1) {
          core_.logic.Command1_Click();
        } else {
          core_.logic.Command2_Click();
        }
      });
    }

    Dice dice_;
    std::uint32_t seed_;
    ui::Form4 form_;
    testsupport::CoreHarness core_;
    ui::PictureBox* box_ = nullptr;
    Qt::MouseButtons held_;
    std::vector<ChartCall> calls_;
    QString action_;
    QString problem_;
    std::deque<QString> log_;
  };
};

QTEST_MAIN(ModelWalkTest)
#include "model_walk_test.moc"
