#include "chart/number_field.h"

namespace chart {
namespace {

bool isBlank(char c) noexcept { return c == ' ' || c == '\t'; }
bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

}  // namespace

bool isNumberField(std::string_view text) noexcept {
  std::size_t i = 0;
  const auto skip = [&](auto&& accepts) {
    const std::size_t from = i;
    while (i < text.size() && accepts(text[i])) ++i;
    return i - from;
  };
  const auto sign = [&] {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  };
  skip(isBlank);
  sign();
  std::size_t digits = skip(isDigit);
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits += skip(isDigit);
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    sign();
    if (skip(isDigit) == 0) return false;
  }
  skip(isBlank);
  return i == text.size();
}

}  // namespace chart
