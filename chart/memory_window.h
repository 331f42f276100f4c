#pragma once

#include <string>
#include <string_view>

#include "chart/form4_logic.h"
#include "chart/memory_controls.h"
#include "chart/reading.h"

namespace chart {

// The main window held in memory, as it stands after loading: the core on in-memory
// controls, with the desktop window's failure rule: a core failure abandons the handler it
// happens in, a scroll bar's change handler on its own, without a word. Every front end
// without a window of its own, and every test of the core, drives it.
class MemoryWindow {
 public:
  explicit MemoryWindow(const ChartRaster& raster);
  MemoryWindow(const MemoryWindow&) = delete;
  MemoryWindow& operator=(const MemoryWindow&) = delete;

  // Moves the scroll bars, the column first, as a click on the chart does. Throws
  // ChartError(InvalidPropertyValue) for a value outside a bar's range.
  void scrollTo(ScrollValue hscroll, ScrollValue vscroll);
  // Types the entries into Text1 and Text2 and clicks Command1.
  Refusals calculate(std::string_view power, std::string_view pressure);
  // Types the entries into Text3 to Text5 and clicks Command2.
  Refusals belt(std::string_view motorSpeed, std::string_view motorPulley,
                std::string_view airEndPulley);

  // The window's events one by one, as a page or a script hands them over.
  void mouseDown(Int16 button, Int16 shift, ChartCoord x, ChartCoord y);
  void mouseMove(Int16 button, Int16 shift, ChartCoord x, ChartCoord y);
  // A value the bar refuses, any number outside 0..maximum, changes nothing.
  void scroll(ScrollBar bar, int value);
  void type(TextControl entry, std::string_view text) { controls_.setText(entry, text); }
  void command1Click();
  void command2Click();
  // The sentence for a screen reader once an action is over; empty when it made no reading.
  std::string takeAnnouncement() { return logic_.takeAnnouncement(); }

  Reading reading() const { return logic_.reading(); }
  const MemoryControls& controls() const noexcept { return controls_; }
  MemoryControls& controls() noexcept { return controls_; }
  const Form4Logic& logic() const noexcept { return logic_; }
  Form4Logic& logic() noexcept { return logic_; }

 private:
  MemoryControls controls_;
  Form4Logic logic_;
};

}  // namespace chart
