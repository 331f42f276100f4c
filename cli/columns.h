#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

namespace cli {

using Json = nlohmann::ordered_json;

enum class Format { Text, Csv, Json };

// A number as the text and CSV formats show it, and the value JSON gives.
struct Number {
  double value = 0;
  std::string text;
};
// As "%g" shows it; JSON gets every digit.
Number number(double value);
// A figure the core wrote ("34.2"); JSON gets the number shown.
Number shownNumber(std::string text);

using Words = std::vector<std::string_view>;

// One field of a record, typed so that each format writes it its own way. Null is a figure the
// row has none of: "-" in text, empty in CSV, null in JSON. Words are joined by "; " in text
// and CSV and a list in JSON.
using Value = std::variant<std::nullptr_t, std::string, std::int64_t, Number, bool, Words>;

std::string textOf(const Value& value);
std::string csvOf(const Value& value);
Json jsonOf(const Value& value);

// The formats that show a column.
struct Shown {
  bool text = true;
  bool csv = true;
  bool json = true;

  bool in(Format format) const {
    return format == Format::Text ? text : format == Format::Csv ? csv : json;
  }
};
inline constexpr Shown kEverywhere{};
inline constexpr Shown kTextOnly{.csv = false, .json = false};
inline constexpr Shown kData{.text = false};  // CSV and JSON
inline constexpr Shown kTable{.json = false};  // text and CSV, whose rows JSON nests

enum class Align { Left, Right };

// One column of a record: its heads, where the text format puts it, and its value in a row.
// In the text format a column stands `gap` blanks after the one before it, padded to `width`,
// so that an entry longer than its column never runs into its neighbour.
template <typename Row>
struct Column {
  using RowType = Row;

  std::string_view name;  // the CSV header and the JSON key
  std::string_view text = {};  // the text header where it is not the name
  Shown shown = kEverywhere;
  Align align = Align::Right;
  std::size_t width = 0;
  std::size_t gap = 1;
  Value (*value)(const Row&) = nullptr;

  std::string_view head(Format format) const {
    return format == Format::Text && !text.empty() ? text : name;
  }
};

// A data member's value as it is, for the many columns that show one.
template <auto Field, typename Row>
Value field(const Row& row) {
  return row.*Field;
}

// The JSON-shown columns of one row as an object, for records that nest their rows.
template <typename Columns>
Json jsonObject(const Columns& columns, const typename Columns::value_type::RowType& row) {
  Json json = Json::object();
  for (const auto& column : columns) {
    if (column.shown.json) json[std::string(column.name)] = jsonOf(column.value(row));
  }
  return json;
}

}  // namespace cli
