#include "chart/checked.h"
#include "chart/form4_logic.h"
#include "chart/numeric_text.h"
#include "chart/scales.h"

namespace chart {

void Form4Logic::recentreMarker() {
  const double half = controls_.markerWidth() / 2.0;
  controls_.setMarkerLeft(toSingle(controls_.lineEnd(CrossHairLine::Line1, LineEnd::X1) - half));
  controls_.setMarkerTop(toSingle(controls_.lineEnd(CrossHairLine::Line2, LineEnd::Y1) - half));
}

void Form4Logic::HScroll1_Change() {
  const ScrollValue value = controls_.scrollValue(ScrollBar::HScroll1);
  const auto column = static_cast<ChartCoord>(checkedSub(value, 1));
  controls_.setLineEnd(CrossHairLine::Line1, LineEnd::X1, column);
  controls_.setLineEnd(CrossHairLine::Line1, LineEnd::X2, column);
  recentreMarker();
  const Int16 speed =
      checkedAdd(checkedMul(value, scales::kSpeedPerColumn), scales::kSpeedAtColumnZero);
  state_.RotorSpeed = readWhole(formatWhole(speed));
  controls_.setText(TextControl::Label4, integerText(state_.RotorSpeed));
  UpdatePressureReading();
}

void Form4Logic::VScroll1_Change() {
  const ScrollValue value = controls_.scrollValue(ScrollBar::VScroll1);
  const auto row = static_cast<ChartCoord>(checkedSub(value, 1));
  controls_.setLineEnd(CrossHairLine::Line2, LineEnd::Y1, row);
  controls_.setLineEnd(CrossHairLine::Line2, LineEnd::Y2, row);
  recentreMarker();
  const double power =
      checkedValue(scales::powerOfRow(controls_.lineEnd(CrossHairLine::Line2, LineEnd::Y1)));
  controls_.setText(TextControl::Text1, formatOneDecimal(power));
  UpdatePressureReading();
}

void Form4Logic::placeCrossHair(ChartCoord x, ChartCoord y) {
  // Each axis on its own, the column first; NaN fails both range tests.
  if (x >= 0 && x <= ChartRaster::kWidth - 1) {
    controls_.setScrollValue(ScrollBar::HScroll1, roundToInt16(x + 1.0));
  }
  if (y >= 0 && y <= ChartRaster::kHeight - 1) {
    controls_.setScrollValue(ScrollBar::VScroll1, roundToInt16(y + 1.0));
  }
}

void Form4Logic::Picture1_MouseDown(Int16 /*button*/, Int16 /*shift*/, ChartCoord x, ChartCoord y) {
  placeCrossHair(x, y);
}

void Form4Logic::Picture1_MouseMove(Int16 button, Int16 shift, ChartCoord x, ChartCoord y) {
  // A plain left drag does nothing, so a click does not turn into an accidental drag.
  if (button == mouse::kRight || (button == mouse::kLeft && shift > 0)) placeCrossHair(x, y);
}

}  // namespace chart
