#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "chart/units.h"

namespace fuzzing {

// Fuzz inputs for the event targets are plain text, one event per line, so that seeds can
// be written and read by hand and a dictionary of number spellings helps the mutator.
inline std::vector<std::string_view> splitOn(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Any integer spelling, wrapped into 16 bits so that every bit mask and value can occur.
inline chart::Int16 int16Of(std::string_view field) {
  const std::string text(field);
  return static_cast<chart::Int16>(
      static_cast<std::uint16_t>(std::strtoll(text.c_str(), nullptr, 10)));
}

// Any float spelling, "nan", "inf" and hexadecimal ones included.
inline chart::ChartCoord coordOf(std::string_view field) {
  const std::string text(field);
  return std::strtof(text.c_str(), nullptr);
}

}  // namespace fuzzing
