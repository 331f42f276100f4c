#include "chart/memory_window.h"

#include "chart/checked.h"

namespace chart {
namespace {

// The window abandons a handler that fails, without a word; so does the window in memory.
template <typename Handler>
void runHandler(Handler&& handler) {
  try {
    handler();
  } catch (const ChartError&) {
  }
}

}  // namespace

MemoryWindow::MemoryWindow(const ChartRaster& raster) : logic_(raster, controls_) {
  controls_.onScrollChange = [this](ScrollBar bar) { logic_.scrollChanged(bar); };
  logic_.Form_Load();
}

void MemoryWindow::scrollTo(ScrollValue hscroll, ScrollValue vscroll) {
  controls_.setScrollValue(ScrollBar::HScroll1, hscroll);
  controls_.setScrollValue(ScrollBar::VScroll1, vscroll);
}

Refusals MemoryWindow::calculate(std::string_view power, std::string_view pressure) {
  controls_.setText(TextControl::Text1, power);
  controls_.setText(TextControl::Text2, pressure);
  runHandler([this] { logic_.Command1_Click(); });
  return logic_.lastRefusals();
}

Refusals MemoryWindow::belt(std::string_view motorSpeed, std::string_view motorPulley,
                            std::string_view airEndPulley) {
  controls_.setText(TextControl::Text3, motorSpeed);
  controls_.setText(TextControl::Text4, motorPulley);
  controls_.setText(TextControl::Text5, airEndPulley);
  runHandler([this] { logic_.Command2_Click(); });
  return logic_.lastRefusals();
}

}  // namespace chart
