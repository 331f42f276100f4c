#include "chart/memory_window.h"

#include <gtest/gtest.h>

#include "tests/support/bmp_file.h"
#include "tests/support/reading_cases.h"

namespace chart {
namespace {

void act(MemoryWindow& window, const testsupport::ReadingCase& c) {
  using enum testsupport::ReadingCase::Act;
  switch (c.act) {
    case Click:
      window.mouseDown(mouse::kLeft, 0, c.x, c.y);
      break;
    case LeftDrag:
      window.mouseMove(mouse::kLeft, 0, c.x, c.y);
      break;
    case Calculate:
      window.calculate(c.entries[0], c.entries[1]);
      break;
    case Belt:
      window.belt(c.entries[0], c.entries[1], c.entries[2]);
      break;
  }
}

TEST(MemoryWindow, ShowsTheSharedReadingOfEveryAction) {
  for (const testsupport::ReadingCase& c : testsupport::kReadingCases) {
    MemoryWindow window(testsupport::chartRaster());
    act(window, c);
    EXPECT_EQ(testsupport::differenceFrom(c, window.reading()), "") << c.why;
  }
}

// As in the desktop window, a change handler that fails is abandoned alone: the assignment
// that ran it stands, so the calculator counts its row as placed.
TEST(MemoryWindow, AFailingChangeHandlerEndsItselfAlone) {
  MemoryWindow window(testsupport::chartRaster());
  window.logic().state().RotorSpeed = -32000;  // no delivery for it fits in 16 bits
  EXPECT_EQ(window.calculate("20", "2"), Refusal::kPressureOutsideCurves);
  EXPECT_EQ(window.reading().vscroll, 250);
  window.scroll(ScrollBar::VScroll1, 100);
  EXPECT_EQ(window.reading().vscroll, 100);
  window.scroll(ScrollBar::VScroll1, 70000);  // beyond 16 bits: refused like any value out of range
  EXPECT_EQ(window.reading().vscroll, 100);
}

}  // namespace
}  // namespace chart
