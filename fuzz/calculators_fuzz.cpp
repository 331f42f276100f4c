#include <cstddef>
#include <cstdint>

#include "fuzz/checked_core.h"
#include "fuzz/event_text.h"

namespace {

using chart::ScrollBar;
using enum chart::TextControl;

constexpr std::size_t kMaxClicks = 16;
constexpr chart::TextControl kEntries[] = {Text1, Text2, Text3, Text4, Text5};

chart::ScrollValue wrapInto(chart::Int16 value, int maximum) {
  return static_cast<chart::ScrollValue>((value % (maximum + 1) + maximum + 1) % (maximum + 1));
}

}  // namespace

// First line: the cross-hair to start from, as HScroll1 and VScroll1 values. Then one click per
// line: the button ("2" for the pulley calculator, anything else for the first one) and up to
// five fields after "|", typed into Text1 to Text5 before the click. An entry without a field
// keeps its text, so a click can also meet what the read-outs wrote there.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lines = fuzzing::splitOn(fuzzing::asText(data, size), '\n');
  fuzzing::CheckedCore core;
  const auto start = fuzzing::splitOn(lines[0], ' ');
  core.scroll(ScrollBar::HScroll1, wrapInto(fuzzing::int16Of(start[0]), 500));
  core.scroll(ScrollBar::VScroll1,
              wrapInto(fuzzing::int16Of(start.size() > 1 ? start[1] : ""), 400));
  for (std::size_t i = 1; i < lines.size() && i <= kMaxClicks; ++i) {
    const auto fields = fuzzing::splitOn(lines[i], '|');
    for (std::size_t entry = 1; entry < fields.size() && entry <= std::size(kEntries); ++entry) {
      core.type(kEntries[entry - 1], fields[entry]);
    }
    if (fields[0] == "2") {
      core.command2();
    } else {
      core.command1();
    }
  }
  return 0;
}
