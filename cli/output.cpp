#include "cli/output.h"

#include <algorithm>
#include <array>

#include "chart/numeric_text.h"
#include "chart/refusals.h"
#include "chart/warnings.h"
#include "cli/csv_line.h"

namespace cli {
namespace {

std::string_view redText(const chart::Reading& r) {
  if (r.speedPowerRed() && r.pressureRed()) return "all";
  if (r.speedPowerRed()) return "speed/power";
  if (r.pressureRed()) return "pressure";
  return "-";
}

constexpr auto kReadingColumns = std::to_array<Column<chart::Reading>>({
    {.name = "hscroll", .width = 7, .value = field<&chart::Reading::hscroll>},
    {.name = "vscroll", .width = 7, .value = field<&chart::Reading::vscroll>},
    {.name = "speed", .width = 5, .value = field<&chart::Reading::speed>},
    {.name = "power", .width = 5, .value = field<&chart::Reading::power>},
    {.name = "pressure", .width = 8, .value = field<&chart::Reading::pressure>},
    {.name = "delivery", .width = 8, .value = field<&chart::Reading::delivery>},
    {.name = "delivery_class",
     .text = "class",
     .align = Align::Left,
     .width = 8,
     .value = field<&chart::Reading::deliveryClass>},
    {.name = "red",
     .shown = kTextOnly,
     .align = Align::Left,
     .width = 11,
     .value = [](const chart::Reading& r) -> Value { return std::string(redText(r)); }},
    {.name = "speed_power_red",
     .shown = kData,
     .value = [](const chart::Reading& r) -> Value { return r.speedPowerRed(); }},
    {.name = "pressure_red",
     .shown = kData,
     .value = [](const chart::Reading& r) -> Value { return r.pressureRed(); }},
    {.name = "reasons",
     .shown = kData,
     .value = [](const chart::Reading& r) -> Value {
       return chart::wordsOf(r.reasons(), chart::WarningTexts);
     }},
});

// Whether a calculator placed the cross-hair, and why not.
constexpr auto kCalculatorColumns = std::to_array<Column<Outcome>>({
    {.name = "placed",
     .shown = kData,
     .value = [](const Outcome& o) -> Value { return o.refusals.none(); }},
    {.name = "refused",
     .shown = kData,
     .value = [](const Outcome& o) -> Value {
       return chart::wordsOf(o.refusals, chart::refusalTexts());
     }},
});

constexpr auto kReadingNotes = std::to_array<Column<Outcome>>({
    {.name = "notes",
     .shown = kTextOnly,
     .align = Align::Left,
     .value = [](const Outcome& o) -> Value {
       std::string notes = chart::warningText(o.reading.reasons());
       if (o.refusals.any()) {
         notes +=
             (notes.empty() ? "not placed: " : "; not placed: ") + chart::refusalText(o.refusals);
       }
       return notes;
     }},
});

// The curve ends, I from the 13 bar curve down to the 4 bar one: null where the curve is absent.
template <std::size_t I>
Value curveText(const chart::RowCurveEnds& row) {
  const chart::CurveEnd& end = row.ends[I];
  if (!end.present) return {};
  return std::to_string(end.speed) + (end.limit ? " limit" : "");
}
template <std::size_t I>
Value curveSpeed(const chart::RowCurveEnds& row) {
  const chart::CurveEnd& end = row.ends[I];
  return end.present ? Value(end.speed) : Value();
}
template <std::size_t I>
Value curveLimit(const chart::RowCurveEnds& row) {
  const chart::CurveEnd& end = row.ends[I];
  return end.present ? Value(end.limit) : Value();
}

constexpr auto kCurveColumns = std::to_array<Column<chart::RowCurveEnds>>({
    {.name = "row", .width = 3, .value = field<&chart::RowCurveEnds::row>},
    {.name = "power",
     .width = 5,
     .value = [](const chart::RowCurveEnds& r) -> Value {
       return chart::formatOneDecimal(r.power);
     }},
    {.name = "13 bar",
     .shown = kTextOnly,
     .align = Align::Left,
     .width = 10,
     .gap = 2,
     .value = curveText<0>},
    {.name = "speed_13", .shown = kData, .value = curveSpeed<0>},
    {.name = "limit_13", .shown = kData, .value = curveLimit<0>},
    {.name = "10 bar",
     .shown = kTextOnly,
     .align = Align::Left,
     .width = 10,
     .gap = 2,
     .value = curveText<1>},
    {.name = "speed_10", .shown = kData, .value = curveSpeed<1>},
    {.name = "limit_10", .shown = kData, .value = curveLimit<1>},
    {.name = "7 bar",
     .shown = kTextOnly,
     .align = Align::Left,
     .width = 10,
     .gap = 2,
     .value = curveText<2>},
    {.name = "speed_7", .shown = kData, .value = curveSpeed<2>},
    {.name = "limit_7", .shown = kData, .value = curveLimit<2>},
    {.name = "4 bar",
     .shown = kTextOnly,
     .align = Align::Left,
     .width = 10,
     .gap = 2,
     .value = curveText<3>},
    {.name = "speed_4", .shown = kData, .value = curveSpeed<3>},
    {.name = "limit_4", .shown = kData, .value = curveLimit<3>},
});

// The number of a batch's input line, in front of every record.
constexpr auto kLineColumns = std::to_array<Column<std::uint64_t>>({
    {.name = "line",
     .width = 6,
     .value = [](const std::uint64_t& line) -> Value { return static_cast<std::int64_t>(line); }},
});
constexpr std::string_view kErrorKey = "error";

// A text line ends at its last column's text, not at its padding.
void dropTrailingBlanks(std::string& line) {
  line.erase(std::min(line.find_last_not_of(' ') + 1, line.size()));
}

std::string dumped(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

std::span<const Column<chart::Reading>> readingColumns() { return kReadingColumns; }

void RecordWriter::startHeader() {
  heading_ = true;
  error_.clear();
  cells_ = 0;
  if (numbered_) add(kLineColumns, nullptr);
}

void RecordWriter::start(std::uint64_t line, std::string_view error) {
  heading_ = false;
  error_ = error;
  cells_ = 0;
  if (!error_.empty()) failure_ = Json::object();
  // The line's number stands in every record, a refused one's too.
  if (!numbered_) return;
  for (const Column<std::uint64_t>& column : kLineColumns)
    put(column.name, column.value(line), column.align, column.width, column.gap);
}

bool RecordWriter::columnsShown() const {
  if (heading_) return format_ != Format::Json;
  return error_.empty() || format_ == Format::Csv;
}

void RecordWriter::put(std::string_view name, const Value& value, Align align, std::size_t width,
                       std::size_t gap) {
  switch (format_) {
    case Format::Json:
      (error_.empty() ? json_ : failure_)[std::string(name)] = jsonOf(value);
      return;
    case Format::Csv:
      if (cells_++ > 0) record_ += ',';
      record_ += csvOf(value);
      return;
    case Format::Text: {
      if (cells_++ > 0) record_.append(gap, ' ');
      const std::string text = textOf(value);
      const std::size_t fill = text.size() < width ? width - text.size() : 0;
      if (align == Align::Right) record_.append(fill, ' ');
      record_ += text;
      if (align == Align::Left) record_.append(fill, ' ');
      return;
    }
  }
}

void RecordWriter::finish() {
  if (heading_ && format_ == Format::Json) return;
  const bool refused = !error_.empty();
  switch (format_) {
    case Format::Json:
      if (refused) failure_[std::string(kErrorKey)] = error_;
      record_ = dumped(refused ? failure_ : json_);
      break;
    case Format::Csv:
      if (numbered_ || refused) {
        record_ += ',';
        record_ += heading_ ? std::string(kErrorKey) : csvField(error_);
      }
      break;
    case Format::Text:
      if (refused) {
        if (cells_ > 0) record_ += ' ';
        record_ += "error: " + error_;
      } else {
        dropTrailingBlanks(record_);
      }
      break;
  }
  record_ += '\n';
  std::fwrite(record_.data(), 1, record_.size(), out_);
  record_.clear();
}

void ReadingWriter::header() {
  startHeader();
  addColumns(nullptr);
  finish();
}

void ReadingWriter::write(std::uint64_t line, const Outcome& outcome) {
  start(line, outcome.error);
  addColumns(&outcome);
  finish();
}

void ReadingWriter::addColumns(const Outcome* outcome) {
  add(kReadingColumns, outcome ? &outcome->reading : nullptr);
  if (calculator_) add(kCalculatorColumns, outcome);
  add(kReadingNotes, outcome);
}

void CurveWriter::header() {
  startHeader();
  add(kCurveColumns, nullptr);
  finish();
}

void CurveWriter::write(const chart::RowCurveEnds& row) {
  start();
  add(kCurveColumns, &row);
  finish();
}

}  // namespace cli
