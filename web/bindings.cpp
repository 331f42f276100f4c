// The page's view of the core: the window's controls in memory and the one layout table.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "bench/selection_duties.h"
#include "chart/drive_selection.h"
#include "chart/memory_window.h"
#include "chart/numeric_text.h"
#include "chart/reading_announcement.h"
#include "chart/scales.h"
#include "chart/sheet.h"
#include "layout/form10_layout.h"
#include "layout/form4_layout.h"
#include "resources/embedded_belts.h"
#include "resources/embedded_chart.h"

namespace {

using emscripten::val;

val text(std::string_view s) { return val(std::string(s)); }

// The layout's kinds and alignments as the page names them, in the order of their enums.
constexpr std::array<const char*, 8> kKindNames{"PictureBox", "Button", "TextBox", "HScrollBar",
                                                "VScrollBar", "Line",   "Shape",   "Label"};
constexpr std::array<const char*, 3> kAlignNames{"left", "right", "center"};

// The controls whose text the core writes, in the order of its state's arrays, and which of
// them the user types into.
val textControls() {
  val out = val::array();
  for (std::size_t i = 0; i < chart::kTextControlCount; ++i) {
    const auto control = static_cast<chart::TextControl>(i);
    val entry = val::object();
    entry.set("name", text(layout::nameOf(control)));
    entry.set("entry", val(layout::isEntry(control)));
    out.call<void>("push", entry);
  }
  return out;
}

val form4Layout() {
  val controls = val::array();
  for (const layout::ControlLayout& c : layout::kForm4Layout) {
    val control = val::object();
    control.set("name", text(c.name));
    control.set("kind", val(kKindNames[static_cast<std::size_t>(c.kind)]));
    control.set("inPicture1", val(c.container == layout::Container::Picture1));
    control.set("left", c.left);
    control.set("top", c.top);
    control.set("width", c.width);
    control.set("height", c.height);
    control.set("tabIndex", c.tabIndex);
    control.set("caption", text(c.caption));
    control.set("namedFont", val(c.font == layout::FontChoice::Named));
    control.set("toolTip", text(c.toolTip));
    control.set("align", val(kAlignNames[static_cast<std::size_t>(c.align)]));
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
  form.set("textControls", textControls());
  val scrollBars = val::array();
  for (const std::string_view name : layout::kScrollBars) scrollBars.call<void>("push", text(name));
  form.set("scrollBars", scrollBars);
  form.set("chartWidth", chart::ChartRaster::kWidth);
  form.set("chartHeight", chart::ChartRaster::kHeight);
  val systemColours = val::object();
  systemColours.set("windowBackground",
                    val(static_cast<double>(layout::design::kWindowBackground)));
  systemColours.set("windowText", val(static_cast<double>(layout::design::kWindowText)));
  systemColours.set("titleBarText", val(static_cast<double>(layout::design::kTitleBarText)));
  form.set("systemColours", systemColours);
  val mouse = val::object();
  mouse.set("left", chart::mouse::kLeft);
  mouse.set("right", chart::mouse::kRight);
  mouse.set("middle", chart::mouse::kMiddle);
  mouse.set("shift", chart::mouse::kShift);
  mouse.set("ctrl", chart::mouse::kCtrl);
  mouse.set("alt", chart::mouse::kAlt);
  form.set("mouse", mouse);
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
  return val::global("Uint8ClampedArray")
      .new_(emscripten::typed_memory_view(rgba.size(), rgba.data()));
}

template <typename Range>
val arrayOf(const Range& values) {
  val out = val::array();
  for (const auto& v : values) out.call<void>("push", v);
  return out;
}

val textsOf(const auto& values) {
  val out = val::array();
  for (const auto& v : values) out.call<void>("push", text(v));
  return out;
}

// The speed and the power that the two scroll bars stand for, with their units.
std::string scrollValueText(chart::ScrollBar bar, chart::ScrollValue value) {
  if (bar == chart::ScrollBar::HScroll1) {
    return std::to_string(static_cast<int>(chart::scales::kColumnSpeed.of(value))) + " 1/min";
  }
  return chart::formatOneDecimal(chart::scales::kRowPower.of(value)) + " kW";
}

// What the page shows after an event, all from the window's reading, with what a screen reader
// hears of each read-out as on the desktop: the names the core gives those that Tab reaches
// (empty for the others), and each description with its reason. Arrays follow chart::TextControl.
val pageState(const chart::MemoryWindow& window) {
  const chart::Reading r = window.reading();
  std::array<std::string, chart::kTextControlCount> texts;
  std::array<std::string, chart::kTextControlCount> warnings;
  std::array<std::string, chart::kTextControlCount> spokenNames;
  std::array<std::string, chart::kTextControlCount> descriptions;
  for (std::size_t i = 0; i < chart::kTextControlCount; ++i) {
    const auto control = static_cast<chart::TextControl>(i);
    texts[i] = r.text(control);
    warnings[i] = chart::warningText(r.warnings(control));
    spokenNames[i] = window.controls().spokenName(control);
    descriptions[i] = chart::describeReadOut(layout::quantityOf(control), warnings[i]);
  }
  val out = val::object();
  out.set("scrollValue", arrayOf(std::array{r.hscroll, r.vscroll}));
  out.set("scrollMaximum", arrayOf(std::array{r.hmaximum, r.vmaximum}));
  val lines = val::array();
  for (std::size_t i = 0; i < r.lineEnds.size(); ++i) {
    val line = val::object();
    line.set("ends", arrayOf(r.lineEnds[i]));
    line.set("visible", val(r.lineVisible[i]));
    lines.call<void>("push", line);
  }
  out.set("lines", lines);
  out.set("markerLeft", r.markerLeft);
  out.set("markerTop", r.markerTop);
  out.set("texts", textsOf(texts));
  out.set("colours", arrayOf(r.colours));
  out.set("warnings", textsOf(warnings));
  out.set("spokenNames", textsOf(spokenNames));
  out.set("descriptions", textsOf(descriptions));
  out.set("scrollValueText",
          textsOf(std::array{scrollValueText(chart::ScrollBar::HScroll1, r.hscroll),
                             scrollValueText(chart::ScrollBar::VScroll1, r.vscroll)}));
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
    entry.set("choices", textsOf(chart::DutyEntries[i].choices));
    entries.call<void>("push", entry);
  }
  val columns = val::array();
  for (const std::string_view column : chart::SelectionColumns)
    columns.call<void>("push", text(column));
  val form = val::object();
  form.set("heading", text(chart::kSelectionHeading));
  form.set("caption", text(chart::kSelectionCaption));
  form.set("selectButton", text(chart::kSelectButton));
  form.set("showButton", text(chart::kShowButton));
  form.set("answerRowHeading", text(chart::kAnswerRowHeading));
  form.set("entries", entries);
  form.set("reference", text(chart::kReferenceCaption));
  form.set("readingSheetButton", text(chart::kReadingSheetButton));
  form.set("sheetButton", text(chart::kSheetButton));
  form.set("printButton", text(chart::kPrintButton));
  form.set("saveSvgButton", text(chart::kSaveSvgButton));
  form.set("closeSheetButton", text(chart::kCloseSheetButton));
  form.set("sheetFileName", text(chart::kSheetFileName));
  form.set("columns", columns);
  return form;
}

// A row of the panel's table: the speed answer, or a drive with the names of its buttons.
val selectionRowOf(const chart::SelectionRow& cells, const chart::Reading& reading, int motor,
                   int drive, const chart::DriveProposal* proposal) {
  val row = val::object();
  row.set("label", proposal ? chart::showDriveLabel(*proposal) : std::string());
  row.set("sheetLabel", proposal ? chart::sheetDriveLabel(*proposal) : std::string());
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
    for (std::size_t i = 0; i < texts.size(); ++i)
      texts[i] = entries[i].isString() ? entries[i].as<std::string>() : "";
    const chart::EnteredDuty entered = chart::dutyFromEntries(texts);
    duty_ = entered.duty;
    selection_ = selector_.select(entered);
    val out = val::object();
    out.set("refused", chart::selectionRefusalText(selection_));
    out.set("summary", chart::selectionSummary(selection_));
    val rows = val::array();
    if (selection_.refusals.none()) {
      rows.call<void>("push", selectionRowOf(chart::answerRow(selection_), selection_.reading, -1,
                                             -1, nullptr));
      for (std::size_t m = 0; m < selection_.motors.size(); ++m) {
        const auto& drives = selection_.motors[m].drives;
        for (std::size_t d = 0; d < drives.size(); ++d) {
          rows.call<void>("push", selectionRowOf(chart::driveRow(drives[d]), drives[d].reading,
                                                 int(m), int(d), &drives[d]));
        }
      }
    }
    out.set("rows", rows);
    return out;
  }
  // The sheet of the window's reading as it stands, or of a proposal of the last selection.
  std::string readingSheet(const std::string& reference, const std::string& date) const {
    return sheetOf({.reading = window_.reading(), .reference = reference, .date = date});
  }
  std::string proposalSheet(int motor, int drive, const std::string& reference,
                            const std::string& date) const {
    const chart::DriveProposal* proposal = proposalAt(motor, drive);
    if (!proposal) return {};
    return sheetOf({.reading = proposal->reading,
                    .duty = &duty_,
                    .drive = proposal,
                    .reference = reference,
                    .date = date});
  }
  // Shows a drive of the last selection on the window, through the window's own handlers.
  void showDrive(int motor, int drive) {
    if (const chart::DriveProposal* proposal = proposalAt(motor, drive))
      chart::showDrive(window_, *proposal);
  }

  void mouseDown(int button, int shift, float x, float y) {
    window_.mouseDown(int16(button), int16(shift), x, y);
  }
  void mouseMove(int button, int shift, float x, float y) {
    window_.mouseMove(int16(button), int16(shift), x, y);
  }
  void setScrollValue(int bar, int value) {
    window_.scroll(bar == 0 ? chart::ScrollBar::HScroll1 : chart::ScrollBar::VScroll1, value);
  }
  // Only the entries take what the page types.
  void setText(int control, const std::string& value) {
    if (control < 0 || control >= static_cast<int>(chart::kTextControlCount)) return;
    const auto entry = static_cast<chart::TextControl>(control);
    if (layout::isEntry(entry)) window_.type(entry, value);
  }
  void command1Click() { window_.command1Click(); }
  void command2Click() { window_.command2Click(); }
  std::string takeAnnouncement() { return window_.takeAnnouncement(); }
  val state() const { return pageState(window_); }

 private:
  const chart::DriveProposal* proposalAt(int motor, int drive) const {
    if (motor < 0 || std::size_t(motor) >= selection_.motors.size()) return nullptr;
    const auto& drives = selection_.motors[std::size_t(motor)].drives;
    if (drive < 0 || std::size_t(drive) >= drives.size()) return nullptr;
    return &drives[std::size_t(drive)];
  }
  static std::string sheetOf(const chart::SheetContent& content) {
    return chart::sheetSvg(chart::drawSheet(content), embedded::chartRaster());
  }
  // Mouse masks arrive as JavaScript numbers; only their low bits mean anything.
  static chart::Int16 int16(int mask) { return static_cast<chart::Int16>(mask & 0x7FFF); }

  chart::MemoryWindow window_{embedded::chartRaster()};
  chart::DriveSelector selector_{embedded::chartRaster(), embedded::beltTables()};
  chart::Selection selection_;
  chart::Duty duty_;  // the duty of the last selection
};

// One complete pressure reading per step, the cross-hair walking down all 400 rows at column
// 300: the same work as the native benchmark of the reading.
void benchReadings(int count) {
  static chart::MemoryWindow window(embedded::chartRaster());
  window.controls().setScrollValue(chart::ScrollBar::HScroll1, 300);
  window.controls().onScrollChange = nullptr;
  chart::ScrollValue row = 1;
  for (int i = 0; i < count; ++i) {
    window.controls().setScrollValue(chart::ScrollBar::VScroll1, row);
    window.logic().UpdatePressureReading();
    row = row == chart::scales::kRows ? 1 : static_cast<chart::ScrollValue>(row + 1);
  }
}

// The native benchmark's duties in turn, each on a fresh selector: the same work as there.
void benchSelections(int count) {
  const auto& duties = bench::kSelectionDuties;
  for (int i = 0; i < count; ++i) {
    chart::DriveSelector selector(embedded::chartRaster(), embedded::beltTables());
    const chart::Selection selection = selector.select(duties[std::size_t(i) % duties.size()]);
    if (selection.refusals.any()) return;
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
      .function("showDrive", &PageCore::showDrive)
      .function("readingSheet", &PageCore::readingSheet)
      .function("proposalSheet", &PageCore::proposalSheet);
  emscripten::function("selectionForm", &selectionForm);
  emscripten::function("benchSelections", &benchSelections);
  emscripten::function("form4Layout", &form4Layout);
  emscripten::function("form10Layout", &form10Layout);
  emscripten::function("chartRgba", &chartRgba);
  emscripten::function("benchReadings", &benchReadings);
}
