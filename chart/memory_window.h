#pragma once

#include <string_view>

#include "chart/form4_logic.h"
#include "chart/memory_controls.h"
#include "chart/reading.h"

namespace chart {

// The main window held in memory, as it stands after loading: the core on in-memory
// controls. Front ends without a window of their own drive it with the window's actions.
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
  Refusals belt(std::string_view motorSpeed, std::string_view motorPulley, std::string_view airEndPulley);

  Reading reading() const { return readingOf(controls_); }
  const MemoryControls& controls() const noexcept { return controls_; }
  const Form4Logic& logic() const noexcept { return logic_; }

 private:
  MemoryControls controls_;
  Form4Logic logic_;
};

}  // namespace chart
