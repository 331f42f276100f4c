#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chart/chart_state.h"
#include "fuzz/broken_rule.h"
#include "tests/support/core_harness.h"

namespace fuzzing {

// Everything of the core and its controls that an event may change.
struct Snapshot {
  chart::ScrollValue h = 0;
  chart::ScrollValue v = 0;
  chart::ScrollValue hMaximum = 0;
  chart::ScrollValue vMaximum = 0;
  std::array<chart::ChartCoord, 4> line1{};
  std::array<chart::ChartCoord, 4> line2{};
  bool line1Visible = false;
  bool line2Visible = false;
  chart::ChartCoord markerLeft = 0;
  chart::ChartCoord markerTop = 0;
  std::array<std::string, 8> texts;
  std::array<chart::Colour, 8> colours{};
  std::array<std::string, 8> warnings;
  chart::ChartState state;
  int line1Hides = 0;
};

// The core driven the way the window drives it, with every rule of the cross-hair and the
// read-outs checked after each event. A broken rule ends the process.
class CheckedCore {
 public:
  CheckedCore();
  CheckedCore(const CheckedCore&) = delete;
  CheckedCore& operator=(const CheckedCore&) = delete;

  // A scroll bar set to any value, as by the user or by code; out of range it must be refused.
  void scroll(chart::ScrollBar bar, chart::ScrollValue value);
  void mouseDown(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x, chart::ChartCoord y);
  void mouseMove(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x, chart::ChartCoord y);
  // The user types into an entry; nothing runs until a button is clicked.
  void type(chart::TextControl entry, std::string_view text);
  void command1();
  void command2();

  const testsupport::CoreHarness& core() const { return core_; }

 private:
  enum class Event { Scroll, Mouse, Command1, Command2 };

  template <typename Action>
  void run(Event event, Action&& action);
  void check(Event event, const Snapshot& before);
  void checkReading(const Snapshot& after) const;

  testsupport::CoreHarness core_;
  // The first calculator may leave a line off its scroll value: when its assignment did not
  // change the value or was refused. The next change of that value puts it back.
  bool line1Free_ = false;
  bool line2Free_ = false;
};

Snapshot snapshot(const testsupport::CoreHarness& core);
std::string describe(const Snapshot& s);

}  // namespace fuzzing
