#include "cli/output.h"

#include <algorithm>
#include <array>
#include <vector>

#include <nlohmann/json.hpp>

#include "chart/numeric_text.h"
#include "chart/warnings.h"
#include "cli/csv_line.h"

namespace cli {
namespace {

constexpr std::array<std::string_view, 4> kCurveNames{"13", "10", "7", "4"};

std::vector<std::string_view> refusalWords(chart::Refusals refusals) {
  return chart::wordsOf(refusals, chart::refusalTexts());
}

std::string_view redText(const chart::Reading& r) {
  if (r.speedPowerRed() && r.pressureRed()) return "all";
  if (r.speedPowerRed()) return "speed/power";
  if (r.pressureRed()) return "pressure";
  return "-";
}

}  // namespace

void padLeft(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

void nextColumn(std::string& out, std::string_view text, std::size_t width) {
  out += ' ';
  padLeft(out, text, width - 1);
}

void padRight(std::string& out, std::string_view text, std::size_t width) {
  out += text;
  if (text.size() < width) out.append(width - text.size(), ' ');
}

void dropTrailingBlanks(std::string& line) {
  line.erase(std::min(line.find_last_not_of(' ') + 1, line.size()));
}

std::string_view boolText(bool value) { return value ? "true" : "false"; }

std::string dumped(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void addReadingJson(Json& json, const chart::Reading& r) {
  json["hscroll"] = r.hscroll;
  json["vscroll"] = r.vscroll;
  json["speed"] = r.speed;
  json["power"] = r.power;
  json["pressure"] = r.pressure;
  json["delivery"] = r.delivery;
  json["delivery_class"] = r.deliveryClass;
  json["speed_power_red"] = r.speedPowerRed();
  json["pressure_red"] = r.pressureRed();
  json["reasons"] = chart::wordsOf(r.reasons(), chart::WarningTexts);
}

void addReadingCsv(std::string& record, const chart::Reading& r) {
  record += std::to_string(r.hscroll) + ',' + std::to_string(r.vscroll);
  for (const std::string* text : {&r.speed, &r.power, &r.pressure, &r.delivery, &r.deliveryClass}) {
    record += ',';
    record += csvField(*text);
  }
  record += ',';
  record += boolText(r.speedPowerRed());
  record += ',';
  record += boolText(r.pressureRed());
  record += ',';
  record += csvField(chart::warningText(r.reasons()));
}

void addReadingText(std::string& record, const chart::Reading& r) {
  padLeft(record, std::to_string(r.hscroll), 7);
  nextColumn(record, std::to_string(r.vscroll), 8);
  nextColumn(record, r.speed, 6);
  nextColumn(record, r.power, 6);
  nextColumn(record, r.pressure, 9);
  nextColumn(record, r.delivery, 9);
  record += ' ';
  padRight(record, r.deliveryClass, 8);
  record += ' ';
  padRight(record, redText(r), 11);
}

void RecordWriter::put() {
  record_ += '\n';
  std::fwrite(record_.data(), 1, record_.size(), out_);
  record_.clear();
}

void RecordWriter::putHeader(std::string_view csv, std::string_view text) {
  if (format_ == Format::Json) return;
  const bool inCsv = format_ == Format::Csv;
  if (numbered_) record_ += inCsv ? "line," : "  line ";
  record_ += inCsv ? csv : text;
  if (numbered_ && inCsv) record_ += ",error";
  put();
}

void ReadingWriter::header() {
  constexpr std::string_view kCsv =
      "hscroll,vscroll,speed,power,pressure,delivery,delivery_class,speed_power_red,pressure_red,reasons";
  putHeader(calculator_ ? std::string(kCsv) + ",placed,refused" : std::string(kCsv),
            "hscroll vscroll speed power pressure delivery class    red         notes");
}

void ReadingWriter::write(std::uint64_t line, const Outcome& outcome) {
  const chart::Reading& r = outcome.reading;
  const bool failed = !outcome.error.empty();
  switch (format_) {
    case Format::Json: {
      // The object of a reading is kept from record to record: its keys are made once.
      Json failure;
      Json& json = failed ? failure : json_;
      if (numbered_) json["line"] = line;
      if (failed) {
        json["error"] = outcome.error;
      } else {
        addReadingJson(json, r);
        if (calculator_) {
          json["placed"] = outcome.refusals.none();
          json["refused"] = refusalWords(outcome.refusals);
        }
      }
      record_ = dumped(json);
      break;
    }
    case Format::Csv:
      if (numbered_) record_ += std::to_string(line) + ',';
      if (failed) {
        // Every reading column empty, the error in the last.
        record_.append(calculator_ ? 12 : 10, ',');
        record_ += csvField(outcome.error);
        break;
      }
      addReadingCsv(record_, r);
      if (calculator_) {
        record_ += ',';
        record_ += boolText(outcome.refusals.none());
        record_ += ',';
        record_ += csvField(chart::refusalText(outcome.refusals));
      }
      if (numbered_) record_ += ',';
      break;
    case Format::Text: {
      if (numbered_) {
        padLeft(record_, std::to_string(line), 6);
        record_ += ' ';
      }
      if (failed) {
        record_ += "error: " + outcome.error;
        break;
      }
      addReadingText(record_, r);
      std::string notes = chart::warningText(r.reasons());
      if (outcome.refusals.any()) {
        notes += (notes.empty() ? "not placed: " : "; not placed: ") +
                 chart::refusalText(outcome.refusals);
      }
      if (!notes.empty()) record_ += ' ' + notes;
      dropTrailingBlanks(record_);
      break;
    }
  }
  put();
}

void CurveWriter::header() {
  switch (format_) {
    case Format::Json:
      return;
    case Format::Csv:
      record_ = "row,power";
      for (const std::string_view name : kCurveNames) {
        record_ += ",speed_" + std::string(name) + ",limit_" + std::string(name);
      }
      break;
    case Format::Text:
      record_ = "row power";
      for (const std::string_view name : kCurveNames) {
        record_ += "  ";
        padRight(record_, std::string(name) + " bar", 10);
      }
      dropTrailingBlanks(record_);
      break;
  }
  put();
}

void CurveWriter::write(const chart::RowCurveEnds& row) {
  const std::string power = chart::formatOneDecimal(row.power);
  switch (format_) {
    case Format::Json: {
      Json json;
      json["row"] = row.row;
      json["power"] = power;
      for (std::size_t i = 0; i < row.ends.size(); ++i) {
        const chart::CurveEnd& end = row.ends[i];
        const std::string name(kCurveNames[i]);
        json["speed_" + name] = end.present ? Json(end.speed) : Json(nullptr);
        json["limit_" + name] = end.present ? Json(end.limit) : Json(nullptr);
      }
      record_ = dumped(json);
      break;
    }
    case Format::Csv:
      record_ = std::to_string(row.row) + ',' + power;
      for (const chart::CurveEnd& end : row.ends) {
        record_ += ',';
        if (end.present)
          record_ += std::to_string(end.speed) + ',' + std::string(boolText(end.limit));
        else record_ += ',';
      }
      break;
    case Format::Text:
      padLeft(record_, std::to_string(row.row), 3);
      padLeft(record_, power, 6);
      for (const chart::CurveEnd& end : row.ends) {
        record_ += "  ";
        padRight(record_,
                 end.present ? std::to_string(end.speed) + (end.limit ? " limit" : "") : "-", 10);
      }
      dropTrailingBlanks(record_);
      break;
  }
  put();
}

}  // namespace cli
