#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>

#include "chart/form4_controls.h"

namespace chart {

// The main window's controls as plain values, with the scroll-bar contract of the real
// window: a change runs `onScrollChange` inside the assignment, an equal value runs
// nothing, an out-of-range value is refused.
class MemoryControls final : public chart::Form4Controls {
 public:
  MemoryControls();

  std::function<void(chart::ScrollBar)> onScrollChange;

  chart::ScrollValue scrollValue(chart::ScrollBar bar) const override;
  chart::ScrollValue scrollMaximum(chart::ScrollBar bar) const override;
  void setScrollValue(chart::ScrollBar bar, chart::ScrollValue value) override;
  void setScrollMaximum(chart::ScrollBar bar, chart::ScrollValue maximum) override;

  chart::ChartCoord lineEnd(chart::CrossHairLine line, chart::LineEnd end) const override;
  void setLineEnd(chart::CrossHairLine line, chart::LineEnd end, chart::ChartCoord value) override;
  bool lineVisible(chart::CrossHairLine line) const override;
  void setLineVisible(chart::CrossHairLine line, bool visible) override;

  chart::ChartCoord markerLeft() const override { return markerLeft_; }
  chart::ChartCoord markerTop() const override { return markerTop_; }
  chart::ChartCoord markerWidth() const override { return markerWidth_; }
  chart::ChartCoord markerHeight() const override { return markerHeight_; }
  void setMarkerLeft(chart::ChartCoord left) override { markerLeft_ = left; }
  void setMarkerTop(chart::ChartCoord top) override { markerTop_ = top; }

  std::string text(chart::TextControl control) const override;
  void setText(chart::TextControl control, std::string_view text) override;
  chart::Colour textColour(chart::TextControl control) const override;
  void setTextColour(chart::TextControl control, chart::Colour colour) override;
  void setWarning(chart::TextControl control, std::string_view words) override;
  std::string warning(chart::TextControl control) const;
  void setSpokenNames(SpokenNames names) override { spokenNames_ = std::move(names); }
  // Built when asked, as a screen reader asks; empty until the core gives the source.
  std::string spokenName(chart::TextControl control) const {
    return spokenNames_ ? spokenNames_(control) : std::string();
  }

  // How often Line1 was hidden: once per pressure reading or first-calculator click.
  int line1Hides = 0;

 private:
  struct Bar {
    chart::ScrollValue value = 0;
    chart::ScrollValue maximum = chart::kStartScrollMaximum;
  };
  struct Line {
    std::array<chart::ChartCoord, 4> ends{};
    bool visible = true;
  };
  static constexpr std::size_t kTextControls = chart::kTextControlCount;

  // Every other value starts as the layout table lays the control out.
  std::array<Bar, 2> bars_{};
  std::array<Line, 2> lines_{};
  chart::ChartCoord markerLeft_ = 0;
  chart::ChartCoord markerTop_ = 0;
  chart::ChartCoord markerWidth_ = 0;
  chart::ChartCoord markerHeight_ = 0;
  std::array<std::string, kTextControls> texts_{};
  std::array<chart::Colour, kTextControls> colours_{};
  std::array<std::string, kTextControls> warnings_{};
  SpokenNames spokenNames_;
};

}  // namespace chart
