#pragma once

#include <string>

#include "chart/memory_window.h"
#include "tests/support/bmp_file.h"

namespace testsupport {

// The in-memory window on the real chart, with its controls and core at hand for the tests.
struct CoreHarness {
  chart::MemoryWindow window{chartRaster()};
  chart::MemoryControls& controls = window.controls();
  chart::Form4Logic& logic = window.logic();

  CoreHarness() = default;
  CoreHarness(const CoreHarness&) = delete;
  CoreHarness& operator=(const CoreHarness&) = delete;

  void scrollTo(chart::ScrollValue h, chart::ScrollValue v) { window.scrollTo(h, v); }
  std::string text(chart::TextControl control) const { return controls.text(control); }
  bool red(chart::TextControl control) const {
    return controls.textColour(control) == chart::colours::kRed;
  }
};

}  // namespace testsupport
