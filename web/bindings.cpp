// The page's view of the core: the window's controls in memory and the one layout table.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <vector>

#include "chart/drive_selection.h"
#include "layout/form10_layout.h"
#include "layout/form4_layout.h"
#include "resources/embedded_chart.h"
#include "web/web_core.h"

namespace {

using emscripten::val;

val text(std::string_view s) { return val(std::string(s)); }

const char* kindName(layout::ControlKind kind) {
  switch (kind) {
    case layout::ControlKind::PictureBox:
      return "PictureBox";
    case layout::ControlKind::Button:
      return "Button";
    case layout::ControlKind::TextBox:
      return "TextBox";
    case layout::ControlKind::HScrollBar:
      return "HScrollBar";
    case layout::ControlKind::VScrollBar:
      return "VScrollBar";
    case layout::ControlKind::Line:
      return "Line";
    case layout::ControlKind::Shape:
      return "Shape";
    case layout::ControlKind::Label:
      return "Label";
  }
  return "";
}

const char* alignName(layout::TextAlign align) {
  switch (align) {
    case layout::TextAlign::Right:
      return "right";
    case layout::TextAlign::Centre:
      return "center";
    case layout::TextAlign::Left:
      break;
  }
  return "left";
}

val form4Layout() {
  val controls = val::array();
  for (const layout::ControlLayout& c : layout::kForm4Layout) {
    val control = val::object();
    control.set("name", text(c.name));
    control.set("kind", val(kindName(c.kind)));
    control.set("inPicture1", val(c.container == layout::Container::Picture1));
    control.set("left", c.left);
    control.set("top", c.top);
    control.set("width", c.width);
    control.set("height", c.height);
    control.set("tabIndex", c.tabIndex);
    control.set("caption", text(c.caption));
    control.set("namedFont", val(c.font == layout::FontChoice::Named));
    control.set("toolTip", text(c.toolTip));
    control.set("align", val(alignName(c.align)));
    control.set("border", val(c.border));
    control.set("foreColour", val(static_cast<double>(c.foreColour)));
    control.set("backColour", val(static_cast<double>(c.backColour)));
    control.set("fillColour", val(static_cast<double>(c.fillColour)));
    val ends = val::array();
    for (int end : c.lineEnds) ends.call<void>("push", end);
    control.set("lineEnds", ends);
    control.set("accessibleName", text(c.accessibleName));
    control.set("accessibleDescription", text(c.accessibleDescription));
    control.set("focusable", val(layout::takesFocus(c)));
    control.set("readOut", val(c.readOut));
    controls.call<void>("push", control);
  }
  val form = val::object();
  form.set("caption", text(layout::kForm4Caption));
  form.set("clientWidth", layout::kForm4ClientWidth);
  form.set("clientHeight", layout::kForm4ClientHeight);
  form.set("kindDefault", val(static_cast<double>(layout::design::kKindDefault)));
  form.set("controls", controls);
  return form;
}

val form10Layout() {
  const layout::Form10Layout& d = layout::kForm10Layout;
  val form = val::object();
  form.set("caption", text(d.caption));
  form.set("clientWidth", d.clientWidth);
  form.set("clientHeight", d.clientHeight);
  form.set("pictureLeft", d.pictureLeft);
  form.set("pictureTop", d.pictureTop);
  form.set("pictureWidth", d.pictureWidth);
  form.set("pictureHeight", d.pictureHeight);
  form.set("pictureBorder", d.pictureBorder);
  form.set("accessibleName", text(d.accessibleName));
  form.set("pictureAccessibleName", text(d.pictureAccessibleName));
  form.set("pictureAccessibleDescription", text(d.pictureAccessibleDescription));
  return form;
}

// The chart raster as the RGBA bytes of an ImageData, opaque, row by row; a copy, for the page
// to keep. Made here, since a loop over the raster costs little in WebAssembly.
val chartRgba() {
  const auto pixels = embedded::chartRaster().pixels();
  std::vector<std::uint8_t> rgba(pixels.size() * 4);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const auto colour = static_cast<std::uint32_t>(pixels[i]);  // 0x00BBGGRR
    rgba[4 * i] = static_cast<std::uint8_t>(colour);
    rgba[4 * i + 1] = static_cast<std::uint8_t>(colour >> 8);
    rgba[4 * i + 2] = static_cast<std::uint8_t>(colour >> 16);
    rgba[4 * i + 3] = 0xFF;
  }
  return val::global("Uint8ClampedArray").new_(emscripten::typed_memory_view(rgba.size(), rgba.data()));
}

template <std::size_t N, typename T>
val arrayOf(const std::array<T, N>& values) {
  val out = val::array();
  for (const T& v : values) out.call<void>("push", v);
  return out;
}

template <std::size_t N>
val textsOf(const std::array<std::string, N>& values) {
  val out = val::array();
  for (const std::string& v : values) out.call<void>("push", text(v));
  return out;
}

// The drive selection panel's entries with their captions and defaults, the pulley series to
// choose from and the table's column headings.
val selectionForm() {
  const auto defaults = chart::defaultEntryTexts();
  val entries = val::array();
  for (std::size_t i = 0; i < chart::DutyEntries.size(); ++i) {
    val entry = val::object();
    entry.set("name", text(chart::DutyEntries[i].name));
    entry.set("caption", text(chart::DutyEntries[i].caption));
    entry.set("value", defaults[i]);
    entries.call<void>("push", entry);
  }
  val series = val::array();
  for (const chart::PulleySeriesEntry& entry : chart::PulleySeriesTable) series.call<void>("push", text(entry.name));
  val columns = val::array();
  for (const std::string_view column : chart::SelectionColumns) columns.call<void>("push", text(column));
  val form = val::object();
  form.set("heading", text(chart::kSelectionHeading));
  form.set("caption", text(chart::kSelectionCaption));
  form.set("selectButton", text(chart::kSelectButton));
  form.set("showButton", text(chart::kShowButton));
  form.set("answerRowHeading", text(chart::kAnswerRowHeading));
  form.set("entries", entries);
  form.set("series", series);
  form.set("columns", columns);
  return form;
}

val selectionRowOf(const chart::SelectionRow& cells, const chart::Reading& reading, int motor, int drive,
                   const std::string& label) {
  val row = val::object();
  row.set("label", label);
  val texts = val::array();
  for (const std::string& cell : cells) texts.call<void>("push", cell);
  row.set("cells", texts);
  val red = val::array();
  for (const bool cell : chart::redCells(reading)) red.call<void>("push", cell);
  row.set("red", red);
  row.set("motor", motor);
  row.set("drive", drive);
  return row;
}

class PageCore {
 public:
  // Selects for the texts of the panel's entries; the rows as the panel shows them.
  val select(const val& entries) {
    std::array<std::string, chart::DutyEntries.size()> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = entries[i].isString() ? entries[i].as<std::string>() : "";
    selection_ = selector_.select(chart::dutyFromEntries(texts));
    val out = val::object();
    out.set("refused", chart::selectionRefusalText(selection_));
    out.set("summary", chart::selectionSummary(selection_));
    val rows = val::array();
    if (selection_.refusals == 0) {
      rows.call<void>("push", selectionRowOf(chart::answerRow(selection_), selection_.reading, -1, -1, ""));
      for (std::size_t m = 0; m < selection_.motors.size(); ++m) {
        const auto& drives = selection_.motors[m].drives;
        for (std::size_t d = 0; d < drives.size(); ++d) {
          rows.call<void>("push", selectionRowOf(chart::driveRow(drives[d]), drives[d].reading, int(m), int(d),
                                                 chart::showDriveLabel(drives[d])));
        }
      }
    }
    out.set("rows", rows);
    return out;
  }
  // Shows a drive of the last selection on the window, through the window's own handlers.
  void showDrive(int motor, int drive) {
    if (motor < 0 || std::size_t(motor) >= selection_.motors.size()) return;
    const auto& drives = selection_.motors[std::size_t(motor)].drives;
    if (drive < 0 || std::size_t(drive) >= drives.size()) return;
    const chart::DriveSteps steps =
        chart::stepsToShow(drives[std::size_t(drive)], core_.controls().scrollValue(chart::ScrollBar::HScroll1));
    if (steps.parkFirst) core_.setScrollValue(chart::ScrollBar::HScroll1, 0);
    for (std::size_t i = 0; i < steps.entries.size(); ++i) {
      core_.setText(static_cast<chart::TextControl>(int(chart::TextControl::Text3) + int(i)), steps.entries[i]);
    }
    core_.command2Click();
    core_.setScrollValue(chart::ScrollBar::VScroll1, steps.vscroll);
  }

  void mouseDown(int button, int shift, float x, float y) { core_.mouseDown(int16(button), int16(shift), x, y); }
  void mouseMove(int button, int shift, float x, float y) { core_.mouseMove(int16(button), int16(shift), x, y); }
  void setScrollValue(int bar, int value) {
    core_.setScrollValue(bar == 0 ? chart::ScrollBar::HScroll1 : chart::ScrollBar::VScroll1, value);
  }
  void setText(int control, const std::string& value) {
    if (control >= 0 && control < 5) core_.setText(static_cast<chart::TextControl>(control), value);
  }
  void command1Click() { core_.command1Click(); }
  void command2Click() { core_.command2Click(); }
  std::string takeAnnouncement() { return core_.takeAnnouncement(); }

  val state() const {
    const web::WebState s = core_.state();
    val out = val::object();
    out.set("scrollValue", arrayOf(s.scrollValue));
    out.set("scrollMaximum", arrayOf(s.scrollMaximum));
    val lines = val::array();
    for (std::size_t i = 0; i < s.lineEnds.size(); ++i) {
      val line = val::object();
      line.set("ends", arrayOf(s.lineEnds[i]));
      line.set("visible", val(s.lineVisible[i]));
      lines.call<void>("push", line);
    }
    out.set("lines", lines);
    out.set("markerLeft", s.markerLeft);
    out.set("markerTop", s.markerTop);
    out.set("texts", textsOf(s.texts));
    out.set("colours", arrayOf(s.colours));
    out.set("warnings", textsOf(s.warnings));
    out.set("spokenNames", textsOf(s.spokenNames));
    out.set("descriptions", textsOf(s.descriptions));
    out.set("scrollValueText", textsOf(s.scrollValueText));
    return out;
  }

 private:
  // Mouse masks arrive as JavaScript numbers; only their low bits mean anything.
  static chart::Int16 int16(int mask) { return static_cast<chart::Int16>(mask & 0x7FFF); }

  web::WebCore core_;
  chart::DriveSelector selector_{embedded::chartRaster()};
  chart::Selection selection_;
};

// One complete pressure reading per step, the cross-hair walking down all 400 rows at column
// 300: the same work as the native benchmark of the reading.
void benchReadings(int count) {
  static web::WebCore core;
  core.controls().setScrollValue(chart::ScrollBar::HScroll1, 300);
  core.controls().onScrollChange = nullptr;
  chart::ScrollValue row = 1;
  for (int i = 0; i < count; ++i) {
    core.controls().setScrollValue(chart::ScrollBar::VScroll1, row);
    core.logic().UpdatePressureReading();
    row = row == 400 ? 1 : static_cast<chart::ScrollValue>(row + 1);
  }
}

// The native benchmark's duties in turn, each on a fresh selector: the same work as there.
void benchSelections(int count) {
  const std::array<chart::Duty, 4> duties{{{.delivery = 4.5, .pressure = 8},
                                           {.delivery = 3.0, .pressure = 4},
                                           {.delivery = 4.0, .pressure = 11.5},
                                           {.delivery = 3.5, .pressure = 13}}};
  for (int i = 0; i < count; ++i) {
    chart::DriveSelector selector(embedded::chartRaster());
    const chart::Selection selection = selector.select(duties[std::size_t(i) % duties.size()]);
    if (selection.refusals != 0) return;
  }
}

}  // namespace

EMSCRIPTEN_BINDINGS(qnte_web) {
  emscripten::class_<PageCore>("PageCore")
      .constructor<>()
      .function("mouseDown", &PageCore::mouseDown)
      .function("mouseMove", &PageCore::mouseMove)
      .function("setScrollValue", &PageCore::setScrollValue)
      .function("setText", &PageCore::setText)
      .function("command1Click", &PageCore::command1Click)
      .function("command2Click", &PageCore::command2Click)
      .function("takeAnnouncement", &PageCore::takeAnnouncement)
      .function("state", &PageCore::state)
      .function("select", &PageCore::select)
      .function("showDrive", &PageCore::showDrive);
  emscripten::function("selectionForm", &selectionForm);
  emscripten::function("benchSelections", &benchSelections);
  emscripten::function("form4Layout", &form4Layout);
  emscripten::function("form10Layout", &form10Layout);
  emscripten::function("chartRgba", &chartRgba);
  emscripten::function("benchReadings", &benchReadings);
}
