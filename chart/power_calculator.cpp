#include "chart/checked.h"
#include "chart/curve_scan.h"
#include "chart/form4_logic.h"
#include "chart/numeric_text.h"
#include "chart/scales.h"
#include "chart/skip_on_failure.h"

namespace chart {

void Form4Logic::Command1_Click() {
  using enum CrossHairLine;
  using enum LineEnd;
  SkipOnFailure step;
  refusals_ = {};
  ChartState& s = state_;
  Form4Controls& c = controls_;

  // Both entries are read once, before anything moves: the change handlers rewrite them.
  float pressure = 0;
  float power = 0;
  step([&] { pressure = toSingle(readNumber(c.text(TextControl::Text2))); });
  step([&] { power = toSingle(readNumber(c.text(TextControl::Text1))); });

  if (step.test([&] { return power >= 0 && power <= scales::kTopPower; })) {
    step([&] { c.setLineEnd(Line2, Y1, toSingle(scales::rowOfPower(power))); });
    step([&] { c.setLineEnd(Line2, Y2, c.lineEnd(Line2, Y1)); });
  } else {
    refusals_ |= Refusal::kPowerOutsideChart;
  }
  step([&] { c.setLineVisible(Line1, false); });
  step([&] { c.setLineVisible(Line2, false); });
  // The row may be fractional; the scan reads it by the raster's one rule.
  step([&] { ScanCurveRow(raster_, c.lineEnd(Line2, Y1), s); });

  const double p = pressure;
  ChartCoord x = 0;
  if (step.test([&] { return p >= limits::kLowestPressure && p < 7; })) {
    step([&] { x = toSingle(((p - 4) * s.CurveX7 + (7 - p) * s.CurveX4) / 3); });
  } else if (step.test([&] { return p >= 7 && p < 10; })) {
    step([&] { x = toSingle(((p - 7) * s.CurveX10 + (10 - p) * s.CurveX7) / 3); });
  } else if (step.test([&] { return p >= 10 && p <= limits::kHighestPressure; })) {
    step([&] { x = toSingle(((p - 10) * s.CurveX13 + (13 - p) * s.CurveX10) / 3); });
  } else {
    refusals_ |= Refusal::kPressureOutsideCurves;
    step([&] { x = c.lineEnd(Line1, X1); });
  }
  step([&] { c.setLineEnd(Line1, X1, x); });
  step([&] { c.setLineEnd(Line1, X2, x); });
  step([&] { c.setLineVisible(Line1, true); });
  step([&] { c.setLineVisible(Line2, true); });
  step([&] { c.setMarkerLeft(toSingle(c.lineEnd(Line1, X1) - c.markerWidth() / 2.0)); });
  step([&] { c.setMarkerTop(toSingle(c.lineEnd(Line2, Y1) - c.markerWidth() / 2.0)); });

  // The scroll bars snap the cross-hair to whole pixels and rewrite every read-out; a row
  // below the chart (a power under 4.95 kW) is refused by VScroll1 and skipped.
  if (step.test([&] { return c.lineEnd(Line1, X1) >= 0; })) {
    if (!step([&] {
          c.setScrollValue(ScrollBar::HScroll1, roundToInt16(c.lineEnd(Line1, X1) + 1.0));
        })) {
      refusals_ |= Refusal::kColumnRefused;
    }
  }
  if (step.test([&] { return c.lineEnd(Line2, Y1) >= 0; })) {
    if (!step([&] {
          c.setScrollValue(ScrollBar::VScroll1, roundToInt16(c.lineEnd(Line2, Y1) + 1.0));
        })) {
      refusals_ |= Refusal::kRowBelowChart;
    }
  } else if (!refusals_.has(Refusal::kPowerOutsideChart)) {
    refusals_ |= Refusal::kRowAboveChart;
  }
}

}  // namespace chart
