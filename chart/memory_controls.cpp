#include "chart/memory_controls.h"

#include "chart/checked.h"

namespace chart {

MemoryControls::MemoryControls() {
  // As laid out: Line1 vertical at column 224, Line2 horizontal at row 168.
  lines_[at(chart::CrossHairLine::Line1)].ends = {224, 0, 224, 400};
  lines_[at(chart::CrossHairLine::Line2)].ends = {0, 168, 504, 168};
  texts_[at(chart::TextControl::Label21)] = "@ 7 bar";
}

chart::ScrollValue MemoryControls::scrollValue(chart::ScrollBar bar) const {
  return bars_[at(bar)].value;
}

chart::ScrollValue MemoryControls::scrollMaximum(chart::ScrollBar bar) const {
  return bars_[at(bar)].maximum;
}

void MemoryControls::setScrollValue(chart::ScrollBar bar, chart::ScrollValue value) {
  Bar& b = bars_[at(bar)];
  if (value < 0 || value > b.maximum) throw chart::ChartError(chart::Fault::InvalidPropertyValue);
  if (value == b.value) return;
  b.value = value;
  if (onScrollChange) onScrollChange(bar);
}

void MemoryControls::setScrollMaximum(chart::ScrollBar bar, chart::ScrollValue maximum) {
  if (maximum < 0) throw chart::ChartError(chart::Fault::InvalidPropertyValue);
  bars_[at(bar)].maximum = maximum;
}

chart::ChartCoord MemoryControls::lineEnd(chart::CrossHairLine line, chart::LineEnd end) const {
  return lines_[at(line)].ends[at(end)];
}

void MemoryControls::setLineEnd(chart::CrossHairLine line, chart::LineEnd end,
                                chart::ChartCoord value) {
  lines_[at(line)].ends[at(end)] = value;
}

bool MemoryControls::lineVisible(chart::CrossHairLine line) const {
  return lines_[at(line)].visible;
}

void MemoryControls::setLineVisible(chart::CrossHairLine line, bool visible) {
  if (line == chart::CrossHairLine::Line1 && !visible) ++line1Hides;
  lines_[at(line)].visible = visible;
}

std::string MemoryControls::text(chart::TextControl control) const { return texts_[at(control)]; }

void MemoryControls::setText(chart::TextControl control, std::string_view text) {
  texts_[at(control)] = text;
}

chart::Colour MemoryControls::textColour(chart::TextControl control) const {
  return colours_[at(control)];
}

void MemoryControls::setTextColour(chart::TextControl control, chart::Colour colour) {
  colours_[at(control)] = colour;
}

void MemoryControls::setWarning(chart::TextControl control, std::string_view words) {
  warnings_[at(control)] = words;
}

std::string MemoryControls::warning(chart::TextControl control) const {
  return warnings_[at(control)];
}

}  // namespace chart
