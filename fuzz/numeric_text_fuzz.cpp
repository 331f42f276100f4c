#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "chart/checked.h"
#include "chart/numeric_text.h"
#include "fuzz/broken_rule.h"
#include "fuzz/event_text.h"
#include "tests/support/fault_of.h"

namespace {

using chart::Fault;
using chart::Int16;
using fuzzing::require;
using testsupport::faultOf;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The leading number of a text spelled for the C library: blanks, [sign] digits [. digits]
// [E [sign] digits]. Nothing when the text does not start with a number.
std::optional<std::string> leadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t begin = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  const auto skipDigits = [&] {
    std::size_t n = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) ++n;
    return n;
  };
  digits += skipDigits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits += skipDigits();
  }
  if (digits == 0) return std::nullopt;
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (skipDigits() > 0) end = i;
  }
  return std::string(text.substr(begin, end - begin));
}

// readNumber gives the correctly rounded leading number, or an overflow beyond the double
// range, and nothing else; the C library is the reference.
std::optional<double> checkReadNumber(std::string_view text) {
  const std::optional<std::string> spelled = leadingNumber(text);
  double expected = 0;
  bool beyondRange = false;
  if (spelled) {
    char* end = nullptr;
    errno = 0;
    expected = std::strtod(spelled->c_str(), &end);
    require(end == spelled->c_str() + spelled->size(), "the reference reads the whole spelling",
            *spelled);
    beyondRange = errno == ERANGE && std::isinf(expected);
  }
  double value = 0;
  const std::optional<Fault> fault = faultOf([&] { value = chart::readNumber(text); });
  if (beyondRange) {
    require(fault == Fault::Overflow, "a number beyond the double range is an overflow", *spelled);
    return std::nullopt;
  }
  require(!fault, "a number within the double range reads without error", spelled.value_or(""));
  require(std::isfinite(value), "a number read is finite");
  require(value == expected && std::signbit(value) == std::signbit(expected),
          "the leading number is read, correctly rounded", spelled.value_or("(no number)"));
  return value;
}

void checkWholeConversions(double value) {
  const auto expectedFault = [](double whole) -> std::optional<Fault> {
    if (std::isnan(whole)) return Fault::InvalidOperand;
    if (whole < -32768 || whole > 32767) return Fault::Overflow;
    return std::nullopt;
  };
  // nearbyint in the default rounding mode takes halves to the even neighbour.
  const double nearest = std::nearbyint(value);
  Int16 rounded = 0;
  const std::optional<Fault> roundFault = faultOf([&] { rounded = chart::roundToInt16(value); });
  require(roundFault == expectedFault(nearest), "rounding fails exactly outside the 16-bit range",
          std::to_string(value));
  require(roundFault || rounded == nearest, "rounding takes the nearest integer, halves to even",
          std::to_string(value));

  const double floor = std::floor(value);
  Int16 whole = 0;
  const std::optional<Fault> intFault = faultOf([&] { whole = chart::intOf(value); });
  require(intFault == expectedFault(floor), "Int fails exactly outside the 16-bit range",
          std::to_string(value));
  require(intFault || whole == floor, "Int takes the largest integer not above",
          std::to_string(value));
}

// "##.0": one decimal, no leading zero, the value within half a tenth, halves away from zero.
template <typename Real>
void checkOneDecimal(Real value) {
  const std::string text = chart::formatOneDecimal(value);
  if (!std::isfinite(value)) {
    require(text == "NaN" || text == "Inf" || text == "-Inf", "a value that is no number is named",
            text);
    return;
  }
  std::size_t i = text.starts_with('-') ? 1 : 0;
  const std::size_t firstDigit = i;
  while (i < text.size() && isDigit(text[i])) ++i;
  require(i + 2 == text.size() && text[i] == '.' && isDigit(text[i + 1]),
          "the format is [-]digits.digit", text);
  require(i == firstDigit || text[firstDigit] != '0', "the whole part has no leading zero", text);
  require(text != "-.0", "zero shows without a sign", text);

  const double shown = chart::readNumber(text);
  const double exact = value;
  const double ulp =
      static_cast<double>(std::nextafter(std::fabs(value), std::numeric_limits<Real>::infinity())) -
      std::fabs(exact);
  require(std::fabs(shown - exact) <= 0.05 * (1 + 1e-12) + 4 * ulp,
          "the text reads back within half a tenth", text);
  // An exact half in binary, where the type still resolves hundredths: away from zero.
  const double twentieths = exact * 20;
  const bool exactHalf =
      std::fma(exact, 20, -twentieths) == 0 && std::fabs(std::fmod(twentieths, 2)) == 1;
  const double resolved = sizeof(Real) == sizeof(float) ? 0x1p16 : 0x1p40;
  if (exactHalf && std::fabs(exact) < resolved) {
    require(std::fabs(shown) > std::fabs(exact), "a half rounds away from zero", text);
  }
}

void checkWholeText(Int16 value) {
  require(chart::integerText(value) == std::to_string(value),
          "integer text is the plain decimal digits");
  const std::string text = chart::formatWhole(value);
  if (value == 0) {
    require(text.empty(), "\"#\" shows 0 as an empty text");
    require(faultOf([&] { chart::readWhole(text); }) == Fault::TypeMismatch,
            "an empty \"#\" text is no number");
    return;
  }
  require(text == std::to_string(value), "\"#\" shows the digits", text);
  Int16 back = 0;
  require(!faultOf([&] { back = chart::readWhole(text); }) && back == value,
          "a \"#\" text reads back unchanged", text);
}

// readWhole takes blanks around [sign] digits and nothing else.
void checkReadWhole(std::string_view text) {
  std::string_view trimmed = text;
  while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
  std::string_view digits = trimmed;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  const bool wellFormed =
      !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
  Int16 value = 0;
  const std::optional<Fault> fault = faultOf([&] { value = chart::readWhole(text); });
  if (!wellFormed) {
    require(fault == Fault::TypeMismatch,
            "a \"#\" text that is not a whole number is a type mismatch");
    return;
  }
  const double expected = std::strtod(std::string(trimmed).c_str(), nullptr);
  if (expected < -32768 || expected > 32767) {
    require(fault == Fault::Overflow, "a whole number beyond 16 bits is an overflow");
  } else {
    require(!fault && value == expected, "a whole number within 16 bits reads as itself");
  }
}

}  // namespace

// The input is a text typed by the user; its first bytes also serve as raw double, float and
// 16-bit values, so that every bit pattern (NaN, infinities, subnormals) reaches the conversions.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzzing::asText(data, size);
  if (const std::optional<double> value = checkReadNumber(text)) {
    checkWholeConversions(*value);
    checkOneDecimal(*value);
    float single = 0;
    if (!faultOf([&] { single = chart::toSingle(*value); })) checkOneDecimal(single);
  }
  checkReadWhole(text);
  if (size >= sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    checkWholeConversions(raw);
    checkOneDecimal(raw);
  }
  if (size >= sizeof(float)) {
    float raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    checkOneDecimal(raw);
  }
  if (size >= sizeof(Int16)) {
    Int16 raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    checkWholeText(raw);
  }
  return 0;
}
