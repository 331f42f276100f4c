#include "chart/memory_window.h"

#include <array>
#include <limits>

#include "chart/skip_on_failure.h"

namespace chart {

MemoryWindow::MemoryWindow(const ChartRaster& raster) : logic_(raster, controls_) {
  // Each change handler is a handler of its own: a failure inside it ends it alone, and the
  // assignment that ran it goes on as if it had succeeded.
  controls_.onScrollChange = [this](ScrollBar bar) {
    abandonOnFailure([&] { logic_.scrollChanged(bar); });
  };
  logic_.Form_Load();
}

void MemoryWindow::scrollTo(ScrollValue hscroll, ScrollValue vscroll) {
  controls_.setScrollValue(ScrollBar::HScroll1, hscroll);
  controls_.setScrollValue(ScrollBar::VScroll1, vscroll);
}

Refusals MemoryWindow::calculate(std::string_view power, std::string_view pressure) {
  type(TextControl::Text1, power);
  type(TextControl::Text2, pressure);
  command1Click();
  return logic_.lastRefusals();
}

Refusals MemoryWindow::belt(std::string_view motorSpeed, std::string_view motorPulley,
                            std::string_view airEndPulley) {
  const std::array<std::string_view, kBeltEntries.size()> texts{motorSpeed, motorPulley,
                                                                airEndPulley};
  for (std::size_t i = 0; i < texts.size(); ++i) type(kBeltEntries[i], texts[i]);
  command2Click();
  return logic_.lastRefusals();
}

void MemoryWindow::mouseDown(Int16 button, Int16 shift, ChartCoord x, ChartCoord y) {
  abandonOnFailure([&] { logic_.Picture1_MouseDown(button, shift, x, y); });
}

void MemoryWindow::mouseMove(Int16 button, Int16 shift, ChartCoord x, ChartCoord y) {
  abandonOnFailure([&] { logic_.Picture1_MouseMove(button, shift, x, y); });
}

void MemoryWindow::scroll(ScrollBar bar, int value) {
  if (value < std::numeric_limits<ScrollValue>::min() ||
      value > std::numeric_limits<ScrollValue>::max())
    return;
  abandonOnFailure([&] { controls_.setScrollValue(bar, static_cast<ScrollValue>(value)); });
}

void MemoryWindow::command1Click() {
  abandonOnFailure([this] { logic_.Command1_Click(); });
}

void MemoryWindow::command2Click() {
  abandonOnFailure([this] { logic_.Command2_Click(); });
}

}  // namespace chart
