#pragma once

#include <utility>

#include "chart/checked.h"

namespace chart {

// Runs a handler's actions one by one, abandoning an action that fails with a ChartError
// and going on with the next, without a word to the user.
class SkipOnFailure {
 public:
  // Runs one action; false when it failed and was abandoned.
  template <typename Action>
  bool operator()(Action&& action) {
    try {
      std::forward<Action>(action)();
      return true;
    } catch (const ChartError&) {
      ++skipped_;
      return false;
    }
  }

  // Evaluates the condition of an If. A condition that fails while it is evaluated counts
  // as true: the handler goes on with the first action that the test guards.
  template <typename Condition>
  bool test(Condition&& condition) {
    try {
      return std::forward<Condition>(condition)();
    } catch (const ChartError&) {
      ++skipped_;
      return true;
    }
  }

  int skipped() const noexcept { return skipped_; }

 private:
  int skipped_ = 0;
};

// The windows' rule for a whole event handler: a failure abandons the rest of the handler,
// without a word to the user, and the window goes on.
template <typename Handler>
void abandonOnFailure(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const ChartError&) {
  }
}

}  // namespace chart
