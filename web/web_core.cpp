#include "web/web_core.h"

#include <limits>

#include "chart/checked.h"
#include "chart/numeric_text.h"
#include "chart/reading_announcement.h"
#include "chart/scales.h"
#include "layout/form4_layout.h"
#include "resources/embedded_chart.h"

namespace web {
namespace {

template <typename Handler>
void runHandler(Handler&& handler) noexcept {
  try {
    handler();
  } catch (const chart::ChartError&) {
  }
}

template <typename Enum>
std::size_t at(Enum e) {
  return static_cast<std::size_t>(e);
}

// The read-outs' design names, in the order of chart::TextControl.
constexpr std::array<std::string_view, 8> kReadOutNames{"Text1", "Text2",  "Text3",   "Text4",
                                                        "Text5", "Label4", "Label20", "Label21"};

// What the table says a read-out shows, which its description begins with.
std::string_view quantityOf(std::string_view name) {
  for (const layout::ControlLayout& c : layout::kForm4Layout) {
    if (c.name == name) return c.accessibleDescription;
  }
  return {};
}

std::string speedText(chart::ScrollValue value) {
  return std::to_string(static_cast<int>(chart::scales::kColumnSpeed.of(value))) + " 1/min";
}

std::string powerText(chart::ScrollValue value) {
  return chart::formatOneDecimal(chart::scales::kRowPower.of(value)) + " kW";
}

}  // namespace

WebCore::WebCore() : logic_(embedded::chartRaster(), controls_) {
  // Each change handler is a handler of its own: a failure inside it ends it alone.
  controls_.onScrollChange = [this](chart::ScrollBar bar) { runHandler([&] { logic_.scrollChanged(bar); }); };
  logic_.Form_Load();
  // The window opens in silence, as on the desktop: only the user's actions are announced.
  logic_.takeAnnouncement();
}

void WebCore::mouseDown(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x, chart::ChartCoord y) {
  runHandler([&] { logic_.Picture1_MouseDown(button, shift, x, y); });
}

void WebCore::mouseMove(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x, chart::ChartCoord y) {
  runHandler([&] { logic_.Picture1_MouseMove(button, shift, x, y); });
}

void WebCore::setScrollValue(chart::ScrollBar bar, int value) {
  // The page hands a JavaScript number; anything beyond 16 bits is out of range as well.
  if (value < std::numeric_limits<chart::ScrollValue>::min() ||
      value > std::numeric_limits<chart::ScrollValue>::max()) {
    return;
  }
  runHandler([&] { controls_.setScrollValue(bar, static_cast<chart::ScrollValue>(value)); });
}

void WebCore::setText(chart::TextControl control, std::string_view text) { controls_.setText(control, text); }

void WebCore::command1Click() {
  runHandler([this] { logic_.Command1_Click(); });
}

void WebCore::command2Click() {
  runHandler([this] { logic_.Command2_Click(); });
}

WebState WebCore::state() const {
  WebState state;
  for (const auto bar : {chart::ScrollBar::HScroll1, chart::ScrollBar::VScroll1}) {
    state.scrollValue[at(bar)] = controls_.scrollValue(bar);
    state.scrollMaximum[at(bar)] = controls_.scrollMaximum(bar);
  }
  for (const auto line : {chart::CrossHairLine::Line1, chart::CrossHairLine::Line2}) {
    for (const auto end : {chart::LineEnd::X1, chart::LineEnd::Y1, chart::LineEnd::X2, chart::LineEnd::Y2}) {
      state.lineEnds[at(line)][at(end)] = controls_.lineEnd(line, end);
    }
    state.lineVisible[at(line)] = controls_.lineVisible(line);
  }
  state.markerLeft = controls_.markerLeft();
  state.markerTop = controls_.markerTop();
  for (std::size_t i = 0; i < state.texts.size(); ++i) {
    const auto control = static_cast<chart::TextControl>(i);
    state.texts[i] = controls_.text(control);
    state.colours[i] = controls_.textColour(control);
    state.warnings[i] = controls_.warning(control);
    state.spokenNames[i] = controls_.spokenName(control);
    state.descriptions[i] = chart::describeReadOut(quantityOf(kReadOutNames[i]), state.warnings[i]);
  }
  state.scrollValueText = {speedText(state.scrollValue[at(chart::ScrollBar::HScroll1)]),
                           powerText(state.scrollValue[at(chart::ScrollBar::VScroll1)])};
  return state;
}

}  // namespace web
