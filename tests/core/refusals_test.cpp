#include "chart/refusals.h"

#include <gtest/gtest.h>

#include "chart/memory_window.h"
#include "tests/support/bmp_file.h"

namespace chart {
namespace {

// One window for many clicks, as a front end that keeps its window holds it: each click says
// only why it was refused itself.
TEST(Refusals, EachClickReportsItsOwnRefusalsOnly) {
  struct Click {
    const char* entries[3];  // two for the first calculator, three for the second
    Refusals refusals;
  };
  const Click clicks[] = {
      {{"50", "2"}, kPowerOutsideChart | kPressureOutsideCurves},
      {{"20", "7"}, 0},
      {{"2950", "200", "100"}, 0},
      {{"1450", "200", "0.5"}, kAirEndPulleyUnderOne},
      {{"25", "13.5"}, kPressureOutsideCurves},  // the row moves, the column stays
      {{"3000", "250", "100"}, kSpeedAboveChart},
      {{"4.94", "10"}, kRowBelowChart},
      {{"1450", "250", "100"}, 0},
  };
  MemoryWindow window(testsupport::chartRaster());
  for (const Click& click : clicks) {
    const Refusals refusals = click.entries[2] == nullptr
                                  ? window.calculate(click.entries[0], click.entries[1])
                                  : window.belt(click.entries[0], click.entries[1], click.entries[2]);
    EXPECT_EQ(refusals, click.refusals) << click.entries[0] << ", " << click.entries[1];
    EXPECT_EQ(window.logic().lastRefusals(), click.refusals);
  }
  EXPECT_EQ(refusalText(kPowerOutsideChart | kSpeedBelowChart),
            "power outside 0 to 45 kW; air-end speed below the chart (under 1995 1/min)");
}

}  // namespace
}  // namespace chart
