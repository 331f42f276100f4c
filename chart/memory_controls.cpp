#include "chart/memory_controls.h"

#include <string>

#include "chart/checked.h"
#include "layout/form4_layout.h"

namespace chart {

MemoryControls::MemoryControls() {
  const auto place = [](std::string_view name) { return *layout::findControl(name); };
  for (const chart::CrossHairLine line :
       {chart::CrossHairLine::Line1, chart::CrossHairLine::Line2}) {
    const auto& ends = place(layout::nameOf(line)).lineEnds;
    for (std::size_t i = 0; i < ends.size(); ++i)
      lines_[at(line)].ends[i] = static_cast<chart::ChartCoord>(ends[i]);
  }
  const layout::ControlLayout& marker = place("Shape2");
  markerLeft_ = static_cast<chart::ChartCoord>(marker.left);
  markerTop_ = static_cast<chart::ChartCoord>(marker.top);
  markerWidth_ = static_cast<chart::ChartCoord>(marker.width);
  markerHeight_ = static_cast<chart::ChartCoord>(marker.height);
  for (std::size_t i = 0; i < kTextControls; ++i)
    texts_[i] = place(layout::nameOf(static_cast<chart::TextControl>(i))).caption;
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
