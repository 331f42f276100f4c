#pragma once

#include "chart/form4_logic.h"
#include "tests/support/bmp_file.h"
#include "chart/memory_controls.h"

namespace testsupport {

// The core wired to in-memory controls and the real chart, loaded as the window loads.
struct CoreHarness {
  chart::MemoryControls controls;
  chart::Form4Logic logic{chartRaster(), controls};

  CoreHarness() {
    controls.onScrollChange = [this](chart::ScrollBar bar) { logic.scrollChanged(bar); };
    logic.Form_Load();
  }
  CoreHarness(const CoreHarness&) = delete;
  CoreHarness& operator=(const CoreHarness&) = delete;

  void scrollTo(chart::ScrollValue h, chart::ScrollValue v) {
    controls.setScrollValue(chart::ScrollBar::HScroll1, h);
    controls.setScrollValue(chart::ScrollBar::VScroll1, v);
  }
  std::string text(chart::TextControl control) const { return controls.text(control); }
  bool red(chart::TextControl control) const { return controls.textColour(control) == chart::colours::kRed; }
};

}  // namespace testsupport
