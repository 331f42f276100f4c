#include "chart/numeric_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "chart/checked.h"

namespace chart {
namespace {

bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

std::size_t skipDigits(std::string_view text, std::size_t i) noexcept {
  while (i < text.size() && isDigit(text[i])) ++i;
  return i;
}

// The decimal exponent of the leading significant digit, for telling an overflow from an
// underflow when a number does not fit a double.
long long leadingExponent(std::string_view intDigits, std::string_view fracDigits, long long exponent) {
  const auto firstInt = intDigits.find_first_not_of('0');
  if (firstInt != std::string_view::npos) {
    return exponent + static_cast<long long>(intDigits.size() - firstInt) - 1;
  }
  const auto firstFrac = fracDigits.find_first_not_of('0');
  return exponent - static_cast<long long>(firstFrac) - 1;
}

long long saturatedExponent(std::string_view digits, bool negative) noexcept {
  constexpr long long kLimit = 1'000'000'000;
  long long value = 0;
  for (char c : digits) value = std::min(kLimit, value * 10 + (c - '0'));
  return negative ? -value : value;
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
  const std::string_view fracPart = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);

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
  const std::string whole = firstNonZero == std::string::npos ? std::string{} : tenths.substr(firstNonZero);
  const bool zero = whole.empty() && last == '0';
  return (negative && !zero ? "-" : "") + whole + '.' + last;
}

template <typename Real>
std::string formatOneDecimalOf(Real value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  // Shortest text that reads back as the value; fixed notation of a double fits in 330 chars.
  std::array<char, 512> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  return roundDecimalText(std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())));
}

}  // namespace

double readNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;

  const std::size_t intBegin = i;
  i = skipDigits(text, i);
  const std::string_view intDigits = text.substr(intBegin, i - intBegin);
  std::string_view fracDigits;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fracBegin = i + 1;
    i = skipDigits(text, fracBegin);
    fracDigits = text.substr(fracBegin, i - fracBegin);
  }
  if (intDigits.empty() && fracDigits.empty()) return 0.0;
  const std::size_t mantissaEnd = i;

  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    const bool negativeExponent = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t expEnd = skipDigits(text, j);
    if (expEnd > j) {
      exponent = saturatedExponent(text.substr(j, expEnd - j), negativeExponent);
      i = expEnd;
    }
  }

  // from_chars takes no leading '+' and no exponent of the form "e" alone, so hand it the
  // checked number with its minus sign only.
  std::string number = negative ? "-" : "";
  number.append(text.substr(intBegin, mantissaEnd - intBegin));
  if (i > mantissaEnd) number.append(text.substr(mantissaEnd, i - mantissaEnd));
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    if (leadingExponent(intDigits, fracDigits, exponent) > 0) throw ChartError(Fault::Overflow);
    return negative ? -0.0 : 0.0;
  }
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
