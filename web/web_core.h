#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chart/form4_logic.h"
#include "chart/memory_controls.h"

namespace web {

// What the page shows after an event: every value the core writes to the window's controls.
struct WebState {
  std::array<chart::ScrollValue, 2> scrollValue{};
  std::array<chart::ScrollValue, 2> scrollMaximum{};
  std::array<std::array<chart::ChartCoord, 4>, 2> lineEnds{};
  std::array<bool, 2> lineVisible{};
  chart::ChartCoord markerLeft = 0;
  chart::ChartCoord markerTop = 0;
  std::array<std::string, 8> texts{};  // in the order of chart::TextControl
  std::array<chart::Colour, 8> colours{};
  std::array<std::string, 8> warnings{};
  // What a screen reader hears of each read-out, as on the desktop: the names the core gives
  // the read-outs that Tab reaches (empty for the others), and each description with its reason.
  std::array<std::string, 8> spokenNames{};
  std::array<std::string, 8> descriptions{};
  // The speed and the power that the two scroll bars stand for, with their units.
  std::array<std::string, 2> scrollValueText{};
};

// The main window's core for a front end without widgets: the controls held in memory with
// the window's contract, loaded as the window loads. Each event runs its handler; a core
// failure abandons that handler without a word, as on the desktop.
class WebCore {
 public:
  WebCore();
  WebCore(const WebCore&) = delete;
  WebCore& operator=(const WebCore&) = delete;

  void mouseDown(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x, chart::ChartCoord y);
  void mouseMove(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x, chart::ChartCoord y);
  // A value the scroll bar refuses (outside 0..maximum) changes nothing.
  void setScrollValue(chart::ScrollBar bar, int value);
  void setText(chart::TextControl control, std::string_view text);
  void command1Click();
  void command2Click();
  // The sentence for a screen reader once an action is over; empty when it made no reading.
  std::string takeAnnouncement() { return logic_.takeAnnouncement(); }

  WebState state() const;
  chart::MemoryControls& controls() noexcept { return controls_; }
  chart::Form4Logic& logic() noexcept { return logic_; }

 private:
  chart::MemoryControls controls_;
  chart::Form4Logic logic_;
};

}  // namespace web
