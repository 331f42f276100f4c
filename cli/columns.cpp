#include "cli/columns.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "chart/flags.h"
#include "cli/csv_line.h"

namespace cli {

Number number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return {value, text};
}

Number shownNumber(std::string text) {
  const double value = std::strtod(text.c_str(), nullptr);
  return {value, std::move(text)};
}

std::string textOf(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* whole = std::get_if<std::int64_t>(&value)) return std::to_string(*whole);
  if (const auto* figure = std::get_if<Number>(&value)) return figure->text;
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
  if (const auto* words = std::get_if<Words>(&value)) return chart::joined(*words);
  return "-";
}

std::string csvOf(const Value& value) {
  if (std::holds_alternative<std::nullptr_t>(value)) return {};
  if (const auto* text = std::get_if<std::string>(&value)) return csvField(*text);
  // Numbers and truth values never need quotes.
  return std::holds_alternative<Words>(value) ? csvField(textOf(value)) : textOf(value);
}

Json jsonOf(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* whole = std::get_if<std::int64_t>(&value)) return *whole;
  if (const auto* figure = std::get_if<Number>(&value)) return figure->value;
  if (const auto* flag = std::get_if<bool>(&value)) return *flag;
  if (const auto* words = std::get_if<Words>(&value)) return *words;
  return nullptr;
}

}  // namespace cli
