#include "chart/refusals.h"

#include <gtest/gtest.h>

#include "chart/memory_window.h"
#include "chart/scales.h"
#include "chart/scroll_position.h"
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
      {{"50", "2"}, Refusal::kPowerOutsideChart | Refusal::kPressureOutsideCurves},
      {{"20", "7"}, {}},
      {{"2950", "200", "100"}, {}},
      {{"1450", "200", "0.5"}, Refusal::kAirEndPulleyUnderOne},
      {{"25", "13.5"}, Refusal::kPressureOutsideCurves},  // the row moves, the column stays
      {{"3000", "250", "100"}, Refusal::kSpeedAboveChart},
      {{"4.94", "10"}, Refusal::kRowBelowChart},
      {{"1450", "250", "100"}, {}},
  };
  MemoryWindow window(testsupport::chartRaster());
  for (const Click& click : clicks) {
    const Refusals refusals =
        click.entries[2] == nullptr
            ? window.calculate(click.entries[0], click.entries[1])
            : window.belt(click.entries[0], click.entries[1], click.entries[2]);
    EXPECT_EQ(refusals, click.refusals) << click.entries[0] << ", " << click.entries[1];
    EXPECT_EQ(window.logic().lastRefusals(), click.refusals);
  }
  EXPECT_EQ(refusalText(Refusal::kPowerOutsideChart | Refusal::kSpeedBelowChart),
            "power outside 0 to 45 kW; air-end speed below the chart (under 1995 1/min)");
}

// The ranges that refusals and messages name are those the bars take: their ends round onto
// the bars, a hair beyond them does not.
TEST(Refusals, NameTheRangesTheBarsTake) {
  constexpr double kHair = 1e-4;  // above the single precision the power's row is held in
  const scales::Span speeds = scales::kSpeedsOnChart;
  const scales::Span powers = scales::kPowersOnChart;
  EXPECT_EQ(hScrollOfSpeed(speeds.low), 0);
  EXPECT_EQ(hScrollOfSpeed(speeds.high), scales::kColumns);
  EXPECT_FALSE(hScrollOfSpeed(speeds.low - kHair));
  EXPECT_FALSE(hScrollOfSpeed(speeds.high + kHair));
  EXPECT_EQ(vScrollOfPower(powers.low), scales::kRows);
  EXPECT_EQ(vScrollOfPower(powers.high), 0);
  EXPECT_FALSE(vScrollOfPower(powers.low - kHair));
  EXPECT_FALSE(vScrollOfPower(powers.high + kHair));
  EXPECT_EQ(speedsOnChartText(), "1995 to 7005 1/min give HScroll1 0 to 500");
  EXPECT_EQ(powersOnChartText(), "4.95 to 45.05 kW give VScroll1 400 to 0");
}

}  // namespace
}  // namespace chart
