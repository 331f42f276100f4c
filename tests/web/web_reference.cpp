// The desktop core's answers for the browser tests: reads actions on stdin, one a line, runs
// each on the core with in-memory controls and the chart read from its BMP file (not through
// the browser's binding), and writes the read-outs after it as one JSON line, with what a
// screen reader hears: the read-outs' names and descriptions and the sentence for the reading.
//   down BUTTON SHIFT X Y | move BUTTON SHIFT X Y | step BAR DELTA | home BAR | end BAR
//   text INDEX TEXT... | command1 | command2 | layout
// BAR is 0 for HScroll1, 1 for VScroll1; INDEX 0 to 4 for Text1 to Text5.
#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "chart/checked.h"
#include "chart/reading_announcement.h"
#include "chart/units.h"
#include "layout/form4_layout.h"
#include "tests/support/core_harness.h"

namespace {

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + '"';
}

constexpr std::array<std::string_view, 8> kReadOutNames{"Text1", "Text2",  "Text3",   "Text4",
                                                        "Text5", "Label4", "Label20", "Label21"};

// A read-out's description begins with what the table says it shows.
std::string_view quantityOf(std::string_view name) {
  const auto* c = std::ranges::find(layout::kForm4Layout, name, &layout::ControlLayout::name);
  return c != layout::kForm4Layout.end() ? c->accessibleDescription : std::string_view{};
}

void printState(const chart::MemoryControls& controls, const std::string& announcement) {
  using chart::ScrollBar;
  using chart::TextControl;
  constexpr std::array kReadOuts{TextControl::Text1, TextControl::Text2,  TextControl::Text3,   TextControl::Text4,
                                 TextControl::Text5, TextControl::Label4, TextControl::Label20, TextControl::Label21};
  std::cout << "{\"scroll\":[" << controls.scrollValue(ScrollBar::HScroll1) << ','
            << controls.scrollValue(ScrollBar::VScroll1) << "],\"texts\":[";
  const char* comma = "";
  for (const TextControl c : kReadOuts) std::cout << std::exchange(comma, ",") << quoted(controls.text(c));
  std::cout << "],\"red\":[";
  comma = "";
  for (const TextControl c : kReadOuts) {
    std::cout << std::exchange(comma, ",") << (controls.textColour(c) == chart::colours::kRed ? "true" : "false");
  }
  std::cout << "],\"warnings\":[";
  comma = "";
  for (const TextControl c : kReadOuts) std::cout << std::exchange(comma, ",") << quoted(controls.warning(c));
  std::cout << "],\"spokenNames\":[";
  comma = "";
  for (const TextControl c : kReadOuts) std::cout << std::exchange(comma, ",") << quoted(controls.spokenName(c));
  std::cout << "],\"descriptions\":[";
  comma = "";
  for (std::size_t i = 0; i < kReadOuts.size(); ++i) {
    std::cout << std::exchange(comma, ",")
              << quoted(chart::describeReadOut(quantityOf(kReadOutNames[i]), controls.warning(kReadOuts[i])));
  }
  std::cout << "],\"announcement\":" << quoted(announcement) << "}\n";
}

// The table's names, descriptions and tab order, for the accessibility checks.
void printLayout() {
  std::cout << "{\"caption\":" << quoted(layout::kForm4Caption) << ",\"controls\":[";
  bool first = true;
  for (const layout::ControlLayout& c : layout::kForm4Layout) {
    if (c.container != layout::Container::Form4) continue;
    std::cout << (first ? "" : ",") << "{\"name\":" << quoted(c.name) << ",\"tabIndex\":" << c.tabIndex
              << ",\"focusable\":" << (layout::takesFocus(c) ? "true" : "false")
              << ",\"caption\":" << quoted(c.caption) << ",\"accessibleName\":" << quoted(c.accessibleName)
              << ",\"accessibleDescription\":" << quoted(c.accessibleDescription) << ",\"left\":" << c.left
              << ",\"top\":" << c.top << ",\"width\":" << c.width << ",\"height\":" << c.height << '}';
    first = false;
  }
  std::cout << "]}\n";
}

// A failure ends the handler, without a word, as in the windows.
template <typename Handler>
void run(Handler&& handler) {
  try {
    handler();
  } catch (const chart::ChartError&) {
  }
}

}  // namespace

int main() {
  testsupport::CoreHarness core;
  // The window opens in silence: only what the actions do is announced.
  core.logic.takeAnnouncement();
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string action;
    in >> action;
    if (action == "layout") {
      printLayout();
      continue;
    }
    if (action == "down" || action == "move") {
      int button = 0;
      int shift = 0;
      float x = 0;
      float y = 0;
      in >> button >> shift >> x >> y;
      const auto b = static_cast<chart::Int16>(button);
      const auto s = static_cast<chart::Int16>(shift);
      run([&] {
        action == "down" ? core.logic.Picture1_MouseDown(b, s, x, y) : core.logic.Picture1_MouseMove(b, s, x, y);
      });
    } else if (action == "step" || action == "home" || action == "end") {
      int bar = 0;
      int delta = 0;
      in >> bar >> delta;
      const chart::ScrollBar which = bar == 0 ? chart::ScrollBar::HScroll1 : chart::ScrollBar::VScroll1;
      const int value = core.controls.scrollValue(which);
      const int maximum = core.controls.scrollMaximum(which);
      const int target = action == "home" ? 0 : action == "end" ? maximum : std::clamp(value + delta, 0, maximum);
      run([&] { core.controls.setScrollValue(which, static_cast<chart::ScrollValue>(target)); });
    } else if (action == "text") {
      int index = 0;
      in >> index;
      std::string text;
      if (in.peek() == ' ') in.get();
      std::getline(in, text);
      core.controls.setText(static_cast<chart::TextControl>(index), text);
    } else if (action == "command1") {
      run([&] { core.logic.Command1_Click(); });
    } else if (action == "command2") {
      run([&] { core.logic.Command2_Click(); });
    } else {
      std::cerr << "unknown action: " << line << '\n';
      return 2;
    }
    // Each line is one step; a front end announces once the action of several steps is over.
    printState(core.controls, core.logic.takeAnnouncement());
  }
  return 0;
}
