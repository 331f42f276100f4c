#include "web/web_core.h"

#include <limits>

#include "chart/checked.h"
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

}  // namespace

WebCore::WebCore() : logic_(embedded::chartRaster(), controls_) {
  // Each change handler is a handler of its own: a failure inside it ends it alone.
  controls_.onScrollChange = [this](chart::ScrollBar bar) { runHandler([&] { logic_.scrollChanged(bar); }); };
  logic_.Form_Load();
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
  }
  return state;
}

}  // namespace web
