#include "chart/numeric_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

#include <dragonbox/dragonbox.h>
#include <fast_float/fast_float.h>

#include "chart/checked.h"

namespace chart {
namespace {

bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

std::size_t skipDigits(std::string_view text, std::size_t i) noexcept {
  while (i < text.size() && isDigit(text[i])) ++i;
  return i;
}

Int16 toInt16(double whole) {
  if (whole < std::numeric_limits<Int16>::min() || whole > std::numeric_limits<Int16>::max()) {
    throw ChartError(Fault::Overflow);
  }
  return static_cast<Int16>(whole);
}

// Rounds a plain decimal text ("-12.25", "5", "0.35") to one decimal, halves away from zero.
std::string roundDecimalText(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const auto point = text.find('.');
  const std::string_view intPart = text.substr(0, point);
  const std::string_view fracPart =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);

  std::string tenths(intPart);
  tenths += fracPart.empty() ? '0' : fracPart[0];
  if (fracPart.size() > 1 && fracPart[1] >= '5') {
    auto digit = tenths.rbegin();
    for (; digit != tenths.rend() && *digit == '9'; ++digit) *digit = '0';
    if (digit == tenths.rend()) {
      tenths.insert(tenths.begin(), '1');
    } else {
      ++*digit;
    }
  }
  const char last = tenths.back();
  tenths.pop_back();
  const auto firstNonZero = tenths.find_first_not_of('0');
  const std::string whole =
      firstNonZero == std::string::npos ? std::string{} : tenths.substr(firstNonZero);
  const bool zero = whole.empty() && last == '0';
  return (negative && !zero ? "-" : "") + whole + '.' + last;
}

// The shortest decimal text that reads back as the value, in plain positional notation.
// Dragonbox rather than std::to_chars: not every standard library has the floating-point one.
template <typename Real>
std::string shortestPlainText(Real value) {
  if (value == 0) return std::signbit(value) ? "-0" : "0";
  const auto decimal = jkj::dragonbox::to_decimal(value);
  std::string digits = std::to_string(decimal.significand);
  const int exponent = decimal.exponent;
  if (exponent >= 0) {
    digits.append(static_cast<std::size_t>(exponent), '0');
  } else {
    const auto fractionLength = static_cast<std::size_t>(-exponent);
    if (digits.size() <= fractionLength) digits.insert(0, fractionLength - digits.size() + 1, '0');
    digits.insert(digits.size() - fractionLength, 1, '.');
  }
  return (decimal.is_negative ? "-" : "") + digits;
}

template <typename Real>
std::string formatOneDecimalOf(Real value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  return roundDecimalText(shortestPlainText(value));
}

// Where the parts of the number at the start of a text lie, as readNumber reads it.
struct NumberScan {
  bool negative = false;
  std::size_t intBegin = 0;
  std::size_t mantissaEnd = 0;
  std::size_t end = 0;  // 0 when the text starts with no number
};

NumberScan scanNumber(std::string_view text) noexcept {
  NumberScan scan;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  scan.negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;

  scan.intBegin = i;
  i = skipDigits(text, i);
  bool digits = i > scan.intBegin;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fracBegin = i + 1;
    i = skipDigits(text, fracBegin);
    digits = digits || i > fracBegin;
  }
  if (!digits) return {};
  scan.mantissaEnd = i;

  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t expEnd = skipDigits(text, j);
    if (expEnd > j) i = expEnd;
  }
  scan.end = i;
  return scan;
}

}  // namespace

std::size_t numberPrefixLength(std::string_view text) noexcept { return scanNumber(text).end; }

double readNumber(std::string_view text) {
  const NumberScan scan = scanNumber(text);
  if (scan.end == 0) return 0.0;

  // The parser takes no leading '+' and no exponent of the form "e" alone, so hand it the
  // checked number with its minus sign only. It saturates a long exponent and reads any
  // number of digits exactly.
  std::string number = scan.negative ? "-" : "";
  number.append(text.substr(scan.intBegin, scan.end - scan.intBegin));
  double value = 0.0;
  const auto result = fast_float::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec != std::errc{}) throw ChartError(Fault::InvalidOperand);
  // Beyond the double range the parser gives infinity; too small a number reads as a signed
  // zero, as it should.
  if (std::isinf(value)) throw ChartError(Fault::Overflow);
  return value;
}

Int16 roundToInt16(double value) {
  checkedValue(value);
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return toInt16(whole);
}

Int16 intOf(double value) { return toInt16(std::floor(checkedValue(value))); }

std::string integerText(Int16 value) { return std::to_string(value); }

std::string shortestText(double value) { return shortestPlainText(value); }

std::string fixedText(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string formatOneDecimal(double value) { return formatOneDecimalOf(value); }
std::string formatOneDecimal(float value) { return formatOneDecimalOf(value); }

std::string formatWhole(Int16 value) { return value == 0 ? std::string{} : std::to_string(value); }

Int16 readWhole(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  const bool signedText = !text.empty() && (text.front() == '-' || text.front() == '+');
  const std::string_view digits = signedText ? text.substr(1) : text;
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) {
    throw ChartError(Fault::TypeMismatch);
  }
  return roundToInt16(readNumber(text));
}

}  // namespace chart
