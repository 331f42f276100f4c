#pragma once

#include <string>
#include <string_view>

#include "chart/chart_state.h"
#include "chart/reading.h"
#include "fuzz/broken_rule.h"
#include "tests/support/core_harness.h"

namespace fuzzing {

// Everything an event may change: what the window shows, and the core's state behind it.
struct Moment {
  chart::Reading shown;
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
  void check(Event event, const Moment& before);
  void checkReading(const Moment& after) const;

  testsupport::CoreHarness core_;
  // The first calculator may leave a line off its scroll value: when its assignment did not
  // change the value or was refused. The next change of that value puts it back.
  bool line1Free_ = false;
  bool line2Free_ = false;
};

Moment momentOf(const testsupport::CoreHarness& core);
std::string describe(const Moment& s);

}  // namespace fuzzing
