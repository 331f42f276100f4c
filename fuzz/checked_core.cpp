#include "fuzz/checked_core.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>

#include "chart/checked.h"
#include "chart/numeric_text.h"
#include "chart/pressure_reading.h"
#include "chart/reading.h"
#include "chart/scales.h"
#include "layout/form4_layout.h"

namespace fuzzing {
namespace {

using chart::at;
using chart::ChartCoord;
using chart::ChartState;
using chart::CrossHairLine;
using chart::Int16;
using chart::kWarnedControls;
using chart::LineEnd;
using chart::ScrollBar;
using chart::TextControl;
using enum chart::TextControl;

// The pressure, the delivery and its class read out alike.
bool sameReadOuts(const chart::Reading& a, const chart::Reading& b) {
  return std::ranges::all_of(std::array{Text2, Label20, Label21},
                             [&](TextControl c) { return a.text(c) == b.text(c); });
}

// Alike in what is red and in the words why.
bool sameMarks(const chart::Reading& a, const chart::Reading& b) {
  return std::ranges::all_of(kWarnedControls, [&](TextControl c) {
    return a.colour(c) == b.colour(c) && a.warnings(c) == b.warnings(c);
  });
}

bool sameState(const ChartState& a, const ChartState& b) {
  return a.PixelColour == b.PixelColour && a.CurveX13 == b.CurveX13 && a.CurveX10 == b.CurveX10 &&
         a.CurveX7 == b.CurveX7 && a.CurveX4 == b.CurveX4 && a.Pressure == b.Pressure &&
         a.RotorSpeed == b.RotorSpeed && a.Delivery == b.Delivery && a.MotorSpeed == b.MotorSpeed &&
         a.MotorPulley == b.MotorPulley && a.AirEndPulley == b.AirEndPulley;
}

bool sameCrossHair(const chart::Reading& a, const chart::Reading& b) {
  return a.lineEnds == b.lineEnds && a.lineVisible == b.lineVisible &&
         a.markerLeft == b.markerLeft && a.markerTop == b.markerTop;
}

bool same(const Moment& a, const Moment& b) {
  return a.shown == b.shown && sameState(a.state, b.state) && a.line1Hides == b.line1Hides;
}

// The marker's corner for a line at `position`, computed as the handlers compute it.
ChartCoord markerCorner(ChartCoord position) {
  return static_cast<ChartCoord>(double{position} - 8 / 2.0);
}

bool placesOnAxis(ChartCoord coordinate, int extent) {
  return coordinate >= 0 && coordinate <= extent - 1;
}

// The cross-hair on the pointer's pixel on each axis where the pointer is on the chart, and
// where it was on the others.
bool onPointer(const Moment& before, const Moment& after, ChartCoord x, ChartCoord y) {
  const auto expected = [](bool places, ChartCoord at, chart::ScrollValue old) {
    return places ? chart::roundToInt16(at + 1.0) : old;
  };
  return after.shown.hscroll == expected(placesOnAxis(x, 500), x, before.shown.hscroll) &&
         after.shown.vscroll == expected(placesOnAxis(y, 400), y, before.shown.vscroll);
}

std::string pointer(ChartCoord x, ChartCoord y) {
  std::ostringstream out;
  out.precision(9);
  out << "  pointer at " << x << ", " << y << "\n";
  return out.str();
}

}  // namespace

Moment momentOf(const testsupport::CoreHarness& core) {
  return {.shown = core.window.reading(),
          .state = core.logic.state(),
          .line1Hides = core.controls.line1Hides};
}

std::string describe(const Moment& m) {
  const chart::Reading& s = m.shown;
  std::ostringstream out;
  out << "  scroll " << s.hscroll << "/" << s.hmaximum << ", " << s.vscroll << "/" << s.vmaximum
      << "; Line1 X " << s.lineEnds[0][0] << ".." << s.lineEnds[0][2]
      << (s.lineVisible[0] ? "" : " hidden") << "; Line2 Y " << s.lineEnds[1][1] << ".."
      << s.lineEnds[1][3] << (s.lineVisible[1] ? "" : " hidden") << "; marker " << s.markerLeft
      << ", " << s.markerTop << "\n";
  for (std::size_t i = 0; i < chart::kTextControlCount; ++i) {
    const auto control = static_cast<TextControl>(i);
    const std::string words = chart::warningText(s.warnings(control));
    out << "  " << layout::nameOf(control) << " \"" << s.text(control) << "\" colour "
        << s.colour(control) << (words.empty() ? "" : " (" + words + ")") << "\n";
  }
  const ChartState& st = m.state;
  out << "  slots " << st.CurveX13 << " " << st.CurveX10 << " " << st.CurveX7 << " " << st.CurveX4
      << "; pressure " << st.Pressure << "; RotorSpeed " << st.RotorSpeed << "; delivery "
      << st.Delivery << "; drive " << st.MotorSpeed << " " << st.MotorPulley << " "
      << st.AirEndPulley << "; readings " << m.line1Hides << "\n";
  return out.str();
}

CheckedCore::CheckedCore() = default;

template <typename Action>
void CheckedCore::run(Event event, Action&& action) {
  const Moment before = momentOf(core_);
  try {
    std::forward<Action>(action)();
  } catch (const std::exception& error) {
    fail("no event handler lets an error escape", error.what());
  }
  check(event, before);
}

void CheckedCore::scroll(ScrollBar bar, chart::ScrollValue value) {
  const Moment before = momentOf(core_);
  const bool inRange = value >= 0 && value <= core_.controls.scrollMaximum(bar);
  try {
    core_.controls.setScrollValue(bar, value);
    require(inRange, "a scroll value out of range is refused", std::to_string(value));
  } catch (const chart::ChartError& error) {
    require(!inRange, "a scroll value in range is taken without error",
            std::to_string(value) + ": " + error.what());
    require(error.fault() == chart::Fault::InvalidPropertyValue,
            "a refused scroll value is an invalid property value");
    require(same(before, momentOf(core_)), "a refused scroll value changes nothing",
            describe(momentOf(core_)));
  } catch (const std::exception& error) {
    fail("a scroll change lets no other error escape", error.what());
  }
  check(Event::Scroll, before);
}

void CheckedCore::mouseDown(Int16 button, Int16 shift, ChartCoord x, ChartCoord y) {
  const Moment before = momentOf(core_);
  run(Event::Mouse, [&] { core_.logic.Picture1_MouseDown(button, shift, x, y); });
  const Moment after = momentOf(core_);
  require(onPointer(before, after, x, y),
          "a click on the chart puts the cross-hair on the pixel, each axis on its own",
          pointer(x, y) + describe(after));
}

void CheckedCore::mouseMove(Int16 button, Int16 shift, ChartCoord x, ChartCoord y) {
  const Moment before = momentOf(core_);
  run(Event::Mouse, [&] { core_.logic.Picture1_MouseMove(button, shift, x, y); });
  const Moment after = momentOf(core_);
  const bool follows =
      button == chart::mouse::kRight || (button == chart::mouse::kLeft && shift > 0);
  if (!follows) {
    require(same(before, after),
            "a move without the right button or a modified left button does nothing");
    return;
  }
  require(onPointer(before, after, x, y),
          "a drag moves the cross-hair to the pointer, each axis on its own",
          pointer(x, y) + describe(after));
}

void CheckedCore::type(TextControl entry, std::string_view text) {
  core_.controls.setText(entry, text);
}

void CheckedCore::command1() {
  run(Event::Command1, [&] { core_.logic.Command1_Click(); });
}

void CheckedCore::command2() {
  run(Event::Command2, [&] { core_.logic.Command2_Click(); });
}

void CheckedCore::check(Event event, const Moment& before) {
  const Moment after = momentOf(core_);
  const auto expect = [&](bool holds, std::string_view rule) {
    if (!holds) fail(rule, "before:\n" + describe(before) + "after:\n" + describe(after));
  };
  const bool hMoved = after.shown.hscroll != before.shown.hscroll;
  const bool vMoved = after.shown.vscroll != before.shown.vscroll;
  // The first calculator hides Line1 once itself; every reading hides it once more.
  const int readings = after.line1Hides - before.line1Hides - (event == Event::Command1 ? 1 : 0);
  expect(readings == int{hMoved} + int{vMoved},
         "one pressure reading per effective change of a scroll value");

  expect(after.shown.hmaximum == 500 && after.shown.vmaximum == 400,
         "the scroll maxima stay 500 and 400");
  expect(after.shown.hscroll >= 0 && after.shown.hscroll <= 500 && after.shown.vscroll >= 0 &&
             after.shown.vscroll <= 400,
         "scroll values stay in range");
  expect(after.shown.lineVisible[0] && after.shown.lineVisible[1],
         "both cross-hair lines are visible after every event");
  expect(after.shown.lineEnds[0][at(LineEnd::Y1)] == 0 &&
             after.shown.lineEnds[0][at(LineEnd::Y2)] == 400 &&
             after.shown.lineEnds[1][at(LineEnd::X1)] == 0 &&
             after.shown.lineEnds[1][at(LineEnd::X2)] == 504,
         "the lines' fixed ends stay where they are");
  const ChartCoord column = after.shown.lineEnds[0][at(LineEnd::X1)];
  const ChartCoord row = after.shown.lineEnds[1][at(LineEnd::Y1)];
  expect(column == after.shown.lineEnds[0][at(LineEnd::X2)] &&
             row == after.shown.lineEnds[1][at(LineEnd::Y2)],
         "both ends of a cross-hair line move together");

  if (event == Event::Command1) {
    line1Free_ = !hMoved;
    line2Free_ = !vMoved;
  } else {
    line1Free_ = line1Free_ && !hMoved;
    line2Free_ = line2Free_ && !vMoved;
  }
  if (line1Free_) {
    expect(column >= -1 && column <= 499,
           "the first calculator leaves the vertical line on the chart or parked");
  } else {
    expect(column == after.shown.hscroll - 1, "the vertical line stands on column HScroll1 - 1");
  }
  if (line2Free_) {
    expect(row >= -1 && row <= 449,
           "the first calculator leaves the horizontal line on a row of 0 to 45 kW");
  } else {
    expect(row == after.shown.vscroll - 1, "the horizontal line stands on row VScroll1 - 1");
  }
  if (after.line1Hides == 0) {
    expect(after.shown.markerLeft == -9 && after.shown.markerTop == -9 && column == -1 && row == -1,
           "until something moves the cross-hair stays parked as loaded");
  } else {
    expect(after.shown.markerLeft == markerCorner(column) &&
               after.shown.markerTop == markerCorner(row),
           "the marker is centred on the crossing of the lines");
  }
  if (event != Event::Command1 && readings == 0) {
    expect(sameCrossHair(before.shown, after.shown),
           "an event that changes no scroll value moves nothing");
  }
  if (event == Event::Command2) {
    expect(!vMoved && after.shown.lineEnds[1] == before.shown.lineEnds[1],
           "the pulley calculator leaves the row alone");
  }

  for (TextControl entry : {Text3, Text4, Text5}) {
    expect(after.shown.text(entry) == before.shown.text(entry) &&
               after.shown.colour(entry) == before.shown.colour(entry),
           "the pulley entries keep what the user typed");
  }
  if (hMoved) {
    expect(after.shown.text(Label4) ==
               chart::integerText(static_cast<Int16>(after.shown.hscroll * 10 + 2000)),
           "Label4 shows the speed of the new column");
  } else {
    expect(after.shown.text(Label4) == before.shown.text(Label4),
           "Label4 changes only with the column");
  }
  if (vMoved) {
    expect(after.shown.text(Text1) ==
               chart::formatOneDecimal(chart::scales::powerOfRow(after.shown.vscroll - 1)),
           "Text1 shows the power of the new row");
  } else {
    expect(after.shown.text(Text1) == before.shown.text(Text1), "Text1 changes only with the row");
  }

  const ChartState& s = after.state;
  const ChartState& was = before.state;
  if (hMoved) {
    expect(s.RotorSpeed == after.shown.hscroll * 10 + 2000,
           "a new column sets the rotor speed of its grid step");
  } else if (event == Event::Command2 && s.RotorSpeed != was.RotorSpeed) {
    // Kept only where the column cannot follow (above 7000 or below 1995) or is already there.
    const bool columnInPlace =
        s.RotorSpeed >= 1995 && s.RotorSpeed <= 7000 &&
        chart::roundToInt16(chart::scales::scrollValueOfSpeed(s.RotorSpeed - 2000)) ==
            after.shown.hscroll;
    expect(s.RotorSpeed > 7000 || s.RotorSpeed < 1995 || columnInPlace,
           "the pulley calculator moves the column to every speed on the chart");
  } else {
    expect(s.RotorSpeed == was.RotorSpeed,
           "only a new column or the pulley calculator sets the rotor speed");
  }
  if (event == Event::Command2) {
    expect(s.MotorSpeed >= 0 && s.MotorPulley >= 0 && s.MotorPulley <= 500 && s.AirEndPulley >= 0 &&
               s.AirEndPulley <= 500,
           "the drive entries are stored only within their ranges");
    if (hMoved) {
      expect(s.MotorSpeed > 0 && s.MotorPulley > 0 && s.AirEndPulley > 0,
             "the column follows only a drive that turns the air end");
    }
  } else {
    expect(s.MotorSpeed == was.MotorSpeed && s.MotorPulley == was.MotorPulley &&
               s.AirEndPulley == was.AirEndPulley,
           "only the pulley calculator stores the drive");
  }

  if (readings > 0) {
    checkReading(after);
    return;
  }
  expect(sameReadOuts(after.shown, before.shown),
         "without a reading the read-outs stay as they were");
  expect(sameMarks(after.shown, before.shown), "without a reading no read-out changes colour");
  expect(s.Pressure == was.Pressure && s.Delivery == was.Delivery,
         "without a reading pressure and delivery stay");
  if (event != Event::Command1) {
    expect(s.CurveX13 == was.CurveX13 && s.CurveX10 == was.CurveX10 && s.CurveX7 == was.CurveX7 &&
               s.CurveX4 == was.CurveX4 && s.PixelColour == was.PixelColour,
           "only a reading or the first calculator scans a row");
  }
}

void CheckedCore::checkReading(const Moment& after) const {
  testsupport::CoreHarness fresh;
  fresh.scrollTo(after.shown.hscroll, after.shown.vscroll);
  fresh.logic.state().RotorSpeed = after.state.RotorSpeed;
  fresh.logic.UpdatePressureReading();
  const Moment f = momentOf(fresh);
  const auto expect = [&](bool holds, std::string_view rule) {
    if (!holds) fail(rule, "core:\n" + describe(after) + "fresh reading:\n" + describe(f));
  };

  expect(sameReadOuts(after.shown, f.shown), "the read-outs are those of a fresh reading");
  expect(sameMarks(after.shown, f.shown), "the red marks are those of a fresh reading");
  const ChartState& s = after.state;
  const ChartState& fs = f.state;
  expect(s.Pressure == fs.Pressure && s.Delivery == fs.Delivery,
         "pressure and delivery are those of a fresh reading");
  expect(s.CurveX13 == fs.CurveX13 && s.CurveX10 == fs.CurveX10 && s.CurveX7 == fs.CurveX7 &&
             s.CurveX4 == fs.CurveX4 && s.PixelColour == fs.PixelColour,
         "the curve slots are those of the cross-hair's row");

  // Red exactly where the pressure decision says, and Q1 red exactly with the pressure.
  const chart::PressureDecision decision = chart::decidePressure(
      testsupport::chartRaster(), fs, static_cast<ChartCoord>(after.shown.hscroll - 1),
      static_cast<ChartCoord>(after.shown.vscroll - 1));
  const auto red = [](bool on) { return on ? chart::colours::kRed : chart::colours::kBlack; };
  expect(s.Pressure == decision.pressure, "the pressure is the decision's");
  expect(after.shown.colour(Text1) == red(decision.speedAndPower.any()) &&
             after.shown.colour(Label4) == red(decision.speedAndPower.any()),
         "speed and power are red exactly at a limit or beyond the last curve");
  expect(after.shown.colour(Text2) == red(decision.pressureWarnings.any()) &&
             after.shown.colour(Label20) == after.shown.colour(Text2),
         "pressure and Q1 are red exactly outside the curves");
  for (TextControl readOut : kWarnedControls) {
    expect(after.shown.warnings(readOut).none() ==
               (after.shown.colour(readOut) == chart::colours::kBlack),
           "a read-out says why exactly when it is red");
    expect(core_.controls.warning(readOut) == chart::warningText(after.shown.warnings(readOut)),
           "a screen reader hears the words of the read-out's warnings");
  }
  expect(after.shown.text(Label21) == chart::deliveryLineFor(s.Pressure).caption,
         "the pressure class is the band of the pressure");
  expect(after.shown.text(Text2) == chart::formatOneDecimal(s.Pressure) &&
             after.shown.text(Label20) == chart::formatOneDecimal(s.Delivery),
         "pressure and Q1 are shown with one decimal");
}

}  // namespace fuzzing
