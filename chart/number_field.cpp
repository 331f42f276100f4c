#include "chart/number_field.h"

#include "chart/numeric_text.h"

namespace chart {

bool isNumberField(std::string_view text) noexcept {
  const std::size_t end = numberPrefixLength(text);
  return end > 0 && text.find_first_not_of(" \t", end) == std::string_view::npos;
}

}  // namespace chart
