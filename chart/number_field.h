#pragma once

#include <string_view>

namespace chart {

// True when the text holds one number of the form readNumber reads and nothing else:
// blanks, [sign] digits [. digits] [E [sign] digits], blanks, with at least one digit
// before the exponent. Where the window reads "25 kW" or "abc" as 25 or 0, a reader of
// fields needs to know that a field is no number at all.
bool isNumberField(std::string_view text) noexcept;

}  // namespace chart
