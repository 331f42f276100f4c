// The desktop core's answers for the browser tests: reads actions on stdin, one a line, runs
// each on the core with in-memory controls and the chart read from its BMP file (not through
// the browser's binding), and writes the read-outs after it as one JSON line, with what a
// screen reader hears: the read-outs' names and descriptions and the sentence for the reading.
//   down BUTTON SHIFT X Y | move BUTTON SHIFT X Y | step BAR DELTA | home BAR | end BAR
//   text INDEX TEXT... | command1 | command2 | layout | cases
// BAR is 0 for HScroll1, 1 for VScroll1; INDEX 0 to 4 for Text1 to Text5.
#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "chart/chart_raster.h"
#include "chart/memory_window.h"
#include "chart/reading_announcement.h"
#include "chart/units.h"
#include "layout/form4_layout.h"
#include "tests/support/bmp_file.h"
#include "tests/support/reading_cases.h"

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

template <typename Each>
void printList(const char* key, Each&& each) {
  std::cout << ",\"" << key << "\":[";
  for (std::size_t i = 0; i < chart::kTextControlCount; ++i) {
    std::cout << (i == 0 ? "" : ",") << each(static_cast<chart::TextControl>(i));
  }
  std::cout << ']';
}

void printState(const chart::MemoryWindow& window, const std::string& announcement) {
  const chart::Reading r = window.reading();
  std::cout << "{\"scroll\":[" << r.hscroll << ',' << r.vscroll << ']';
  printList("texts", [&](chart::TextControl c) { return quoted(r.text(c)); });
  printList("red", [&](chart::TextControl c) { return r.red(c) ? "true" : "false"; });
  printList("warnings",
            [&](chart::TextControl c) { return quoted(chart::warningText(r.warnings(c))); });
  printList("spokenNames",
            [&](chart::TextControl c) { return quoted(window.controls().spokenName(c)); });
  printList("descriptions", [&](chart::TextControl c) {
    return quoted(chart::describeReadOut(layout::quantityOf(c), chart::warningText(r.warnings(c))));
  });
  std::cout << ",\"announcement\":" << quoted(announcement) << "}\n";
}

// The table's names, descriptions and tab order, for the accessibility checks; the chart's size
// and the read-outs' names in the order of every state's lists, for the tests' own arithmetic.
void printLayout() {
  std::cout << "{\"caption\":" << quoted(layout::kForm4Caption)
            << ",\"chart\":{\"width\":" << chart::ChartRaster::kWidth
            << ",\"height\":" << chart::ChartRaster::kHeight << '}';
  printList("readOuts", [](chart::TextControl c) { return quoted(layout::nameOf(c)); });
  std::cout << ",\"controls\":[";
  bool first = true;
  for (const layout::ControlLayout& c : layout::kForm4Layout) {
    if (c.container != layout::Container::Form4) continue;
    std::cout << (first ? "" : ",") << "{\"name\":" << quoted(c.name)
              << ",\"tabIndex\":" << c.tabIndex
              << ",\"focusable\":" << (layout::takesFocus(c) ? "true" : "false")
              << ",\"caption\":" << quoted(c.caption)
              << ",\"accessibleName\":" << quoted(c.accessibleName)
              << ",\"accessibleDescription\":" << quoted(c.accessibleDescription)
              << ",\"left\":" << c.left << ",\"top\":" << c.top << ",\"width\":" << c.width
              << ",\"height\":" << c.height << '}';
    first = false;
  }
  std::cout << "]}\n";
}

std::string pointerStep(std::string_view action, const testsupport::ReadingCase& c) {
  std::ostringstream step;
  step << action << ' ' << chart::mouse::kLeft << " 0 " << c.x << ' ' << c.y;
  return step.str();
}

// The table every front end is held to, one case a line: the action as this program spells
// it, and what the read-outs show after it on a fresh window.
void printCases() {
  using enum testsupport::ReadingCase::Act;
  for (const testsupport::ReadingCase& c : testsupport::kReadingCases) {
    std::ostringstream steps;
    switch (c.act) {
      case Click:
        steps << quoted(pointerStep("down", c));
        break;
      case LeftDrag:
        steps << quoted(pointerStep("move", c));
        break;
      case Calculate:
      case Belt:
        const int first = c.act == Calculate ? 0 : 2;
        const int count = c.act == Calculate ? 2 : 3;
        for (int i = 0; i < count; ++i) {
          steps << quoted("text " + std::to_string(first + i) + " " +
                          std::string(c.entries[static_cast<std::size_t>(i)]))
                << ',';
        }
        steps << quoted(c.act == Calculate ? "command1" : "command2");
        break;
    }
    std::cout << "{\"why\":" << quoted(c.why) << ",\"steps\":[" << steps.str() << "],\"scroll\":["
              << c.hscroll << ',' << c.vscroll << "],\"texts\":{\"Label4\":" << quoted(c.speed)
              << ",\"Text1\":" << quoted(c.power) << ",\"Text2\":" << quoted(c.pressure)
              << ",\"Label20\":" << quoted(c.delivery) << ",\"Label21\":" << quoted(c.deliveryClass)
              << "},\"speedPowerRed\":" << (c.speedAndPower.any() ? "true" : "false")
              << ",\"pressureRed\":" << (c.pressureAndDelivery.any() ? "true" : "false") << "}\n";
  }
}

}  // namespace

int main() {
  chart::MemoryWindow window(testsupport::chartRaster());
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string action;
    in >> action;
    if (action == "layout") {
      printLayout();
      continue;
    }
    if (action == "cases") {
      printCases();
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
      action == "down" ? window.mouseDown(b, s, x, y) : window.mouseMove(b, s, x, y);
    } else if (action == "step" || action == "home" || action == "end") {
      int bar = 0;
      int delta = 0;
      in >> bar >> delta;
      const chart::ScrollBar which =
          bar == 0 ? chart::ScrollBar::HScroll1 : chart::ScrollBar::VScroll1;
      const int value = window.controls().scrollValue(which);
      const int maximum = window.controls().scrollMaximum(which);
      const int target = action == "home"  ? 0
                         : action == "end" ? maximum
                                           : std::clamp(value + delta, 0, maximum);
      window.scroll(which, target);
    } else if (action == "text") {
      int index = 0;
      in >> index;
      std::string text;
      if (in.peek() == ' ') in.get();
      std::getline(in, text);
      window.type(static_cast<chart::TextControl>(index), text);
    } else if (action == "command1") {
      window.command1Click();
    } else if (action == "command2") {
      window.command2Click();
    } else {
      std::cerr << "unknown action: " << line << '\n';
      return 2;
    }
    // Each line is one step; a front end announces once the action of several steps is over.
    printState(window, window.takeAnnouncement());
  }
  return 0;
}
