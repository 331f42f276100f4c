#include "chart/reading.h"

namespace chart {
namespace {

// The warnings whose words a read-out's spoken description holds.
Warnings warningsIn(std::string_view words) {
  Warnings found = 0;
  for (const WarningText& entry : WarningTexts) {
    if (words.find(entry.words) != std::string_view::npos) found |= entry.warning;
  }
  return found;
}

}  // namespace

Reading readingOf(const MemoryControls& controls) {
  using enum TextControl;
  Reading r;
  r.hscroll = controls.scrollValue(ScrollBar::HScroll1);
  r.vscroll = controls.scrollValue(ScrollBar::VScroll1);
  r.speed = controls.text(Label4);
  r.power = controls.text(Text1);
  r.pressure = controls.text(Text2);
  r.delivery = controls.text(Label20);
  r.deliveryClass = controls.text(Label21);
  r.speedPowerRed = controls.textColour(Text1) == colours::kRed;
  r.pressureRed = controls.textColour(Text2) == colours::kRed;
  // Label4 says what Text1 says, and Label20 what Text2 says.
  r.reasons = warningsIn(controls.warning(Text1)) | warningsIn(controls.warning(Text2));
  return r;
}

}  // namespace chart
