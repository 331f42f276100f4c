#include <cstddef>
#include <cstdint>

#include "fuzz/checked_core.h"
#include "fuzz/event_text.h"

namespace {

using chart::ScrollBar;
using enum chart::TextControl;

constexpr std::size_t kMaxEvents = 64;
constexpr chart::TextControl kEntries[] = {Text1, Text2, Text3, Text4, Text5};

}  // namespace

// One event per line:
//   h VALUE / v VALUE             HScroll1 / VScroll1 set to any 16-bit value
//   d BUTTON SHIFT X Y            mouse down on the chart (any masks, any float incl. nan, inf)
//   m BUTTON SHIFT X Y            mouse move
//   t1 TEXT .. t5 TEXT            text typed into Text1 .. Text5 (the rest of the line)
//   1 / 2                         Command1 / Command2 clicked
// Other lines are ignored.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lines = fuzzing::splitOn(fuzzing::asText(data, size), '\n');
  fuzzing::CheckedCore core;
  for (std::size_t i = 0; i < lines.size() && i < kMaxEvents; ++i) {
    const std::string_view line = lines[i];
    const auto fields = fuzzing::splitOn(line, ' ');
    const auto field = [&](std::size_t at) {
      return at < fields.size() ? fields[at] : std::string_view{};
    };
    const std::string_view op = fields[0];
    if (op == "h" || op == "v") {
      core.scroll(op == "h" ? ScrollBar::HScroll1 : ScrollBar::VScroll1,
                  fuzzing::int16Of(field(1)));
    } else if (op == "d" || op == "m") {
      const chart::Int16 button = fuzzing::int16Of(field(1));
      const chart::Int16 shift = fuzzing::int16Of(field(2));
      const chart::ChartCoord x = fuzzing::coordOf(field(3));
      const chart::ChartCoord y = fuzzing::coordOf(field(4));
      if (op == "d") {
        core.mouseDown(button, shift, x, y);
      } else {
        core.mouseMove(button, shift, x, y);
      }
    } else if (op.size() == 2 && op[0] == 't' && op[1] >= '1' && op[1] <= '5') {
      core.type(kEntries[op[1] - '1'], line.size() > 3 ? line.substr(3) : std::string_view{});
    } else if (op == "1") {
      core.command1();
    } else if (op == "2") {
      core.command2();
    }
  }
  return 0;
}
