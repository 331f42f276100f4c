#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "chart/units.h"

namespace chart {

// Reads the number at the start of a text: leading blanks skipped, then the longest prefix
// of the form [sign] digits [. digits] [E [sign] digits]; the rest is ignored. A text
// without such a prefix reads as 0. A number beyond the double range throws
// Fault::Overflow; one too small for a double reads as zero.
double readNumber(std::string_view text);

// How much of the text readNumber reads as its number, leading blanks and sign included; 0 when
// the text starts with no number.
std::size_t numberPrefixLength(std::string_view text) noexcept;

// Nearest integer, halves to the even neighbour; Fault::Overflow outside the 16-bit range,
// Fault::InvalidOperand for NaN.
Int16 roundToInt16(double value);

// The largest integer not above the value (Int), with the same faults.
Int16 intOf(double value);

// Decimal digits with "-" before a negative value, nothing else.
std::string integerText(Int16 value);

// The display format "##.0": exactly one decimal, halves away from zero, no leading zero
// ("0.5" shows as ".5"). The value is rounded as it reads in decimal at its own precision,
// so a single 0.35 shows as .4 although its binary value lies just below the half.
std::string formatOneDecimal(double value);
std::string formatOneDecimal(float value);

// The shortest decimal that reads back as the value, in plain notation: "1995", "4.95".
std::string shortestText(double value);
// A figure with a fixed number of decimals, as "%.*f" gives it.
std::string fixedText(double value, int decimals);

// The display format "#" of a whole number: its digits, and an empty text for 0.
std::string formatWhole(Int16 value);

// Converts a "#" text back to a 16-bit integer: Fault::TypeMismatch for a text that is not
// a number (the empty text of 0 among them), Fault::Overflow outside the 16-bit range.
Int16 readWhole(std::string_view text);

}  // namespace chart
