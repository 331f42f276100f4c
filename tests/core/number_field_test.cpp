#include "chart/number_field.h"

#include <gtest/gtest.h>

namespace chart {
namespace {

TEST(NumberField, HoldsOneNumberAsTheCoreReadsItAndNothingElse) {
  struct Case {
    const char* text;
    bool number;
  };
  const Case cases[] = {
      {"25", true},   {" 25.5 ", true}, {"\t-3", true},    {"+4", true},     {".5", true},
      {"5.", true},   {"1e2", true},    {"2.95E+3", true}, {"1e-400", true}, {"1e400", true},
      {"", false},    {" ", false},     {".", false},      {"-", false},     {"e5", false},
      {"1e", false},  {"1e+", false},   {"25 kW", false},  {"1,5", false},   {"1.2.3", false},
      {"abc", false}, {"0x10", false},  {"inf", false},    {"nan", false},   {"--1", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isNumberField(c.text), c.number) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace chart
