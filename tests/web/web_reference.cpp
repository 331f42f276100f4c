// The desktop core's answers for the browser tests: reads actions on stdin, one a line, runs
// each on the in-memory window and writes the read-outs after it as one JSON line.
//   down BUTTON SHIFT X Y | move BUTTON SHIFT X Y | step BAR DELTA | home BAR | end BAR
//   text INDEX TEXT... | command1 | command2 | layout
// BAR is 0 for HScroll1, 1 for VScroll1; INDEX 0 to 4 for Text1 to Text5.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "chart/units.h"
#include "layout/form4_layout.h"
#include "web/web_core.h"

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

void printState(const web::WebState& s) {
  std::cout << "{\"scroll\":[" << s.scrollValue[0] << ',' << s.scrollValue[1] << "],\"texts\":[";
  for (std::size_t i = 0; i < s.texts.size(); ++i) std::cout << (i ? "," : "") << quoted(s.texts[i]);
  std::cout << "],\"red\":[";
  for (std::size_t i = 0; i < s.colours.size(); ++i) {
    std::cout << (i ? "," : "") << (s.colours[i] == chart::colours::kRed ? "true" : "false");
  }
  std::cout << "],\"warnings\":[";
  for (std::size_t i = 0; i < s.warnings.size(); ++i) std::cout << (i ? "," : "") << quoted(s.warnings[i]);
  std::cout << "]}\n";
}

// The table's names, descriptions and tab order, for the accessibility checks.
void printLayout() {
  std::cout << "{\"caption\":" << quoted(layout::kForm4Caption) << ",\"controls\":[";
  bool first = true;
  for (const layout::ControlLayout& c : layout::kForm4Layout) {
    if (c.container != layout::Container::Form4) continue;
    std::cout << (first ? "" : ",") << "{\"name\":" << quoted(c.name) << ",\"tabIndex\":" << c.tabIndex
              << ",\"focusable\":" << (layout::takesFocus(c.kind) ? "true" : "false")
              << ",\"caption\":" << quoted(c.caption) << ",\"accessibleName\":" << quoted(c.accessibleName)
              << ",\"accessibleDescription\":" << quoted(c.accessibleDescription) << ",\"left\":" << c.left
              << ",\"top\":" << c.top << ",\"width\":" << c.width << ",\"height\":" << c.height << '}';
    first = false;
  }
  std::cout << "]}\n";
}

chart::ScrollBar barOf(int bar) { return bar == 0 ? chart::ScrollBar::HScroll1 : chart::ScrollBar::VScroll1; }

}  // namespace

int main() {
  web::WebCore core;
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
      action == "down" ? core.mouseDown(b, s, x, y) : core.mouseMove(b, s, x, y);
    } else if (action == "step" || action == "home" || action == "end") {
      int bar = 0;
      int delta = 0;
      in >> bar >> delta;
      const chart::ScrollBar which = barOf(bar);
      const int value = core.controls().scrollValue(which);
      const int maximum = core.controls().scrollMaximum(which);
      const int target = action == "home" ? 0 : action == "end" ? maximum : std::clamp(value + delta, 0, maximum);
      core.setScrollValue(which, target);
    } else if (action == "text") {
      int index = 0;
      in >> index;
      std::string text;
      if (in.peek() == ' ') in.get();
      std::getline(in, text);
      core.setText(static_cast<chart::TextControl>(index), text);
    } else if (action == "command1") {
      core.command1Click();
    } else if (action == "command2") {
      core.command2Click();
    } else {
      std::cerr << "unknown action: " << line << '\n';
      return 2;
    }
    printState(core.state());
  }
  return 0;
}
