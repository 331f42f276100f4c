#include "chart/checked.h"

#include <limits>

#include <gtest/gtest.h>

#include "chart/skip_on_failure.h"
#include "tests/support/fault_of.h"

namespace chart {
namespace {

using testsupport::faultOf;

TEST(Checked16Bit, RefusesToWrapAround) {
  EXPECT_EQ(checkedMul(500, 10), 5000);
  EXPECT_EQ(checkedAdd(5000, 2000), 7000);
  EXPECT_EQ(checkedSub(0, 1), -1);
  EXPECT_EQ(checkedSub(-32767, 1), -32768);
  EXPECT_EQ(faultOf([] { checkedMul(3277, 10); }), Fault::Overflow);
  EXPECT_EQ(faultOf([] { checkedAdd(30768, 2000); }), Fault::Overflow);
  EXPECT_EQ(faultOf([] { checkedSub(-32768, 1); }), Fault::Overflow);
  EXPECT_EQ(faultOf([] { checkedSub(-30769, 2000); }), Fault::Overflow);
}

TEST(CheckedFloatingPoint, ReportsEachFaultByKind) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(faultOf([] { checkedDiv(1, 0); }), Fault::DivisionByZero);
  EXPECT_EQ(faultOf([] { checkedDiv(0, 0); }), Fault::DivisionByZero);
  EXPECT_EQ(faultOf([] { checkedDiv(1e308, 1e-308); }), Fault::Overflow);
  EXPECT_EQ(faultOf([&] { checkedValue(nan); }), Fault::InvalidOperand);
  EXPECT_EQ(faultOf([&] { checkedValue(-inf); }), Fault::Overflow);
  EXPECT_EQ(faultOf([] { toSingle(1e39); }), Fault::Overflow);
  EXPECT_EQ(faultOf([] { toSingle(-1e39); }), Fault::Overflow);
  EXPECT_EQ(checkedDiv(741, 111), 741.0 / 111);
}

TEST(CheckedFloatingPoint, KeepsEverythingThatRoundsIntoTheSingleRange) {
  const double max = std::numeric_limits<float>::max();
  EXPECT_EQ(toSingle(max), std::numeric_limits<float>::max());
  EXPECT_EQ(toSingle(max + 0x1p102), std::numeric_limits<float>::max());
  EXPECT_EQ(toSingle(-(max + 0x1p102)), std::numeric_limits<float>::lowest());
  EXPECT_EQ(faultOf([&] { toSingle(max + 0x1p103); }), Fault::Overflow);
  EXPECT_EQ(toSingle(1e-50), 0.0f);
}

TEST(SkipOnFailure, AbandonsOnlyTheFailingAction) {
  SkipOnFailure step;
  int done = 0;
  EXPECT_TRUE(step([&] { ++done; }));
  EXPECT_FALSE(step([&] {
    checkedSub(-32768, 1);
    ++done;
  }));
  EXPECT_TRUE(step([&] { ++done; }));
  EXPECT_EQ(done, 2);
  EXPECT_EQ(step.skipped(), 1);
}

TEST(SkipOnFailure, TreatsATestThatFailsAsTrue) {
  SkipOnFailure step;
  EXPECT_TRUE(step.test([] { return checkedDiv(1, 0) > 0; }));
  EXPECT_FALSE(step.test([] { return false; }));
}

}  // namespace
}  // namespace chart
