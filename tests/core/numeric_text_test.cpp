#include "chart/numeric_text.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "chart/checked.h"
#include "tests/support/fault_of.h"

namespace chart {
namespace {

using testsupport::faultOf;

struct ReadCase {
  const char* why;
  std::string text;
  double expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.why; }

class ReadNumber : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumber, ReadsTheLeadingNumberOnly) {
  const double value = readNumber(GetParam().text);
  EXPECT_EQ(value, GetParam().expected) << GetParam().text;
  EXPECT_EQ(std::signbit(value), std::signbit(GetParam().expected)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumber,
    ::testing::Values(ReadCase{"empty", "", 0}, ReadCase{"letters", "abc", 0},
                      ReadCase{"blanks_before", "   12.5", 12.5}, ReadCase{"tab_before", "\t7", 7},
                      ReadCase{"comma_ends_number", "1,5", 1}, ReadCase{"exponent", "1e2", 100},
                      ReadCase{"capital_exponent_with_sign", "25E-1", 2.5},
                      ReadCase{"negative", "-3", -3}, ReadCase{"plus_sign", "+4", 4},
                      ReadCase{"negative_zero", "-0", -0.0}, ReadCase{"sign_alone", "-", 0},
                      ReadCase{"point_alone", ".", 0}, ReadCase{"leading_point", ".5", 0.5},
                      ReadCase{"trailing_point", "5.", 5}, ReadCase{"unit_after", "22kW", 22},
                      ReadCase{"blank_then_unit", "7.5 bar", 7.5},
                      ReadCase{"exponent_without_digits_is_not_part", "3e", 3},
                      ReadCase{"exponent_sign_without_digits", "3e+x", 3},
                      ReadCase{"second_point_ends_number", "1.2.3", 1.2},
                      ReadCase{"inner_blank_ends_number", "1 2", 1}, ReadCase{"no_hex", "0x10", 0},
                      ReadCase{"no_infinity_word", "inf", 0}, ReadCase{"no_nan_word", "nan", 0},
                      ReadCase{"below_double_range_is_zero", "1e-400", 0},
                      ReadCase{"negative_below_double_range", "-1e-400", -0.0},
                      ReadCase{"long_zero_fraction", "0." + std::string(5000, '0') + "1", 0},
                      ReadCase{"single_range_is_no_limit_here", "1e39", 1e39},
                      ReadCase{"long_digit_string", std::string(300, '9'), 1e300},
                      ReadCase{"ten_thousand_digits_round_exactly", "0." + std::string(10000, '3'),
                               1.0 / 3}),
    [](const auto& info) { return std::string(info.param.why); });

TEST(ReadNumberBeyondDoubleRange, IsAnOverflow) {
  for (const std::string& text :
       {std::string("1e400"), std::string("-1e400"), std::string(400, '9'),
        std::string("1e99999999999999999999"), std::string("0.000001e315")}) {
    EXPECT_EQ(faultOf([&] { readNumber(text); }), Fault::Overflow) << text;
  }
}

struct WholeCase {
  double value;
  Int16 rounded;  // nearest, halves to even
  Int16 whole;  // Int: the largest integer not above
};

TEST(RoundAndInt, FollowTheirOwnRules) {
  const WholeCase cases[] = {
      {0.5, 0, 0},
      {1.5, 2, 1},
      {2.5, 2, 2},
      {3.5, 4, 3},
      {-0.5, 0, -1},
      {-1.5, -2, -2},
      {-2.5, -2, -3},
      {2.7, 3, 2},
      {-2.7, -3, -3},
      {32767.4, 32767, 32767},
      {-32768.5, -32768, -32768},
      {162.5, 162, 162},
      {0.49999999999999994, 0, 0},
  };
  for (const WholeCase& c : cases) {
    EXPECT_EQ(roundToInt16(c.value), c.rounded) << c.value;
    if (c.value >= -32768) {
      EXPECT_EQ(intOf(c.value), c.whole) << c.value;
    }
  }
}

TEST(RoundAndInt, FailOutsideTheSixteenBitRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(faultOf([] { roundToInt16(32767.5); }), Fault::Overflow);
  EXPECT_EQ(faultOf([] { roundToInt16(-32769); }), Fault::Overflow);
  EXPECT_EQ(faultOf([] { roundToInt16(1e300); }), Fault::Overflow);
  EXPECT_EQ(faultOf([&] { roundToInt16(inf); }), Fault::Overflow);
  EXPECT_EQ(faultOf([&] { roundToInt16(nan); }), Fault::InvalidOperand);
  EXPECT_EQ(faultOf([] { intOf(32768); }), Fault::Overflow);
  EXPECT_EQ(faultOf([] { intOf(-32768.5); }), Fault::Overflow);
  EXPECT_EQ(faultOf([&] { intOf(nan); }), Fault::InvalidOperand);
}

struct FormatCase {
  double value;
  const char* text;
};

TEST(FormatOneDecimal, RoundsHalvesAwayFromZeroWithoutLeadingZero) {
  const FormatCase cases[] = {
      {0.5, ".5"},
      {12.25, "12.3"},
      {5, "5.0"},
      {44.9, "44.9"},
      {45, "45.0"},
      {0, ".0"},
      {-0.3, "-.3"},
      {-12.25, "-12.3"},
      {9.95, "10.0"},
      {99.96, "100.0"},
      {0.04, ".0"},
      {-0.04, ".0"},
      {0.96, "1.0"},
      {-0.96, "-1.0"},
      {1e20, "100000000000000000000.0"},
      {635.0 / 107, "5.9"},
      {(399 - 149) * (40.0 / 400) + 5, "30.0"},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(formatOneDecimal(c.value), c.text) << c.value;
}

TEST(FormatOneDecimal, RoundsASingleAsItReads) {
  // 0.35f lies just below the half in binary but is 0.35 to anyone reading it.
  EXPECT_EQ(formatOneDecimal(0.35f), ".4");
  EXPECT_EQ(formatOneDecimal(12.2297f), "12.2");
  EXPECT_EQ(formatOneDecimal(4.797625f), "4.8");
  EXPECT_EQ(formatOneDecimal(-0.3f), "-.3");
}

TEST(FormatOneDecimal, NamesValuesThatAreNoNumber) {
  EXPECT_EQ(formatOneDecimal(std::numeric_limits<double>::quiet_NaN()), "NaN");
  EXPECT_EQ(formatOneDecimal(-std::numeric_limits<float>::infinity()), "-Inf");
}

TEST(WholeNumberText, ReadsBackWhatItWrites) {
  for (const Int16 value : {Int16{2000}, Int16{7000}, Int16{-5}, Int16{32767}, Int16{-32768}}) {
    EXPECT_EQ(readWhole(formatWhole(value)), value);
    EXPECT_EQ(integerText(value), std::to_string(value));
  }
  EXPECT_EQ(formatWhole(0), "");
  EXPECT_EQ(faultOf([] { readWhole(formatWhole(0)); }), Fault::TypeMismatch);
  EXPECT_EQ(faultOf([] { readWhole("12a"); }), Fault::TypeMismatch);
  EXPECT_EQ(faultOf([] { readWhole("40000"); }), Fault::Overflow);
}

}  // namespace
}  // namespace chart
