#include "chart/belt_design.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "resources/embedded_belts.h"

namespace chart {
namespace {

// The belt maker's worked examples, to the figures its manual prints. Where the manual reads a
// figure off a table by eye or rounds on the way, the tolerance says by how much.
struct WorkedExample {
  const char* why;
  BeltProfile profile;
  DriveRequest request;
  int maxBelts;
  int belts;
  double datumLength;
  double centre, centreTolerance;
  double wrapAngle, wrapTolerance;
  double c1, c3;
  double perBelt;  // PN and the additional power, kW
  double beltSpeed, flexRate;
  double tension, shaftLoad, installShaftLoad;
  double forceTolerance;  // relative
};

void PrintTo(const WorkedExample& e, std::ostream* out) { *out << e.why; }

class ManualExample : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(ManualExample, IsDesignedToThePrintedFigures) {
  const WorkedExample& e = GetParam();
  const BeltTables& tables = embedded::beltTables();
  const BeltDesign d = designDrive(tables, e.profile, e.request, {.maxBelts = e.maxBelts});
  ASSERT_TRUE(d.sound()) << designRefusalText(d.refusals, {}, tables, BeltProfiles);
  EXPECT_EQ(d.belts, e.belts);
  EXPECT_EQ(d.datumLength, e.datumLength);
  EXPECT_NEAR(d.centre, e.centre, e.centreTolerance);
  EXPECT_NEAR(d.wrapAngle, e.wrapAngle, e.wrapTolerance);
  EXPECT_DOUBLE_EQ(d.c1, e.c1);
  EXPECT_DOUBLE_EQ(d.c3, e.c3);
  EXPECT_NEAR(d.perBelt(), e.perBelt, e.perBelt * 5e-4);  // two decimals, or the program's own
  EXPECT_NEAR(d.beltSpeed, e.beltSpeed, 0.01);
  EXPECT_NEAR(d.flexRate, e.flexRate, 0.01);
  EXPECT_NEAR(d.tension, e.tension, e.tension * e.forceTolerance);
  EXPECT_NEAR(d.shaftLoad, e.shaftLoad, e.shaftLoad * e.forceTolerance);
  EXPECT_NEAR(d.installShaftLoad(), e.installShaftLoad, e.installShaftLoad * e.forceTolerance);
  EXPECT_NEAR(d.designPower, e.request.power * e.request.serviceFactor, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Manual, ManualExample,
    ::testing::Values(
        // pp. 78-80: it takes the centre distance by the short formula (1383.5 against 1383.0
        // exact) and the arc of contact from its table (170° against 170.9° exact).
        WorkedExample{"fan_132_kW_spb_pages_78_to_80",
                      BeltProfile::SPB,
                      {.power = 132,
                       .serviceFactor = 1.3,
                       .motorSpeed = 1485,
                       .motorPulley = 280,
                       .airEndPulley = 500,
                       .centre = 1400},
                      10,
                      8,
                      4000,
                      1383.5,
                      0.6,
                      170,
                      1,
                      1.00,
                      1.02,
                      21.86,
                      21.76,
                      10.88,
                      593,
                      9452,
                      12288,
                      0.002},
        // p. 81, the maker's design program: 373.33 kW design power from 224 kW. Its internal
        // factors are unrounded, so its forces lie within 0.6 % of the manual's formulas.
        WorkedExample{"fan_224_kW_spc_page_81",
                      BeltProfile::SPC,
                      {.power = 224,
                       .serviceFactor = 373.33 / 224,
                       .motorSpeed = 1775,
                       .motorPulley = 400,
                       .airEndPulley = 800,
                       .centre = 2200},
                      10,
                      8,
                      6300,
                      2198.40,
                      0.05,
                      169.60,
                      0.05,
                      0.99,
                      1.02,
                      51.84,
                      37.17,
                      11.80,
                      1158,
                      18452,
                      23988,
                      0.006}),
    [](const auto& info) { return std::string(info.param.why); });

// Each table has the shape its physics gives it, so that a misread cell shows. The tables print
// two decimals, so neighbours may be equal at a peak or where a power is small.
TEST(BeltTables, HaveTheShapeOfTheirPhysics) {
  const BeltTables& tables = embedded::beltTables();
  for (const SectionTables& s : tables.sections) {
    const RatingTable& r = s.rating;
    const std::size_t width = r.diameters.size();
    const std::string section(nameOf(s.profile));
    EXPECT_EQ(r.diameters.front(), s.minDiameter) << section;
    for (std::size_t row = 0; row < r.speeds.size(); ++row) {
      for (std::size_t c = 1; c < width; ++c) {
        const double left = r.ratings[row * width + c - 1];
        const double here = r.ratings[row * width + c];
        if (std::isnan(here)) continue;
        EXPECT_GT(here, left) << section << " rises with diameter";
      }
      for (std::size_t band = 1; band < r.ratioBands.size(); ++band) {
        const std::size_t at = row * r.ratioBands.size() + band;
        EXPECT_GE(r.additional[at], r.additional[at - 1]) << section << " rises with ratio";
      }
    }
    for (std::size_t c = 0; c < width; ++c) {
      bool falling = false;
      for (std::size_t row = 1; row < r.speeds.size(); ++row) {
        const double above = r.ratings[(row - 1) * width + c];
        const double here = r.ratings[row * width + c];
        if (std::isnan(here)) break;
        if (here < above) falling = true;
        EXPECT_TRUE(falling ? here <= above : here >= above)
            << section << " " << r.diameters[c] << " mm at " << r.speeds[row]
            << " 1/min: rises with speed to one peak";
      }
    }
    for (std::size_t i = 1; i < s.lengths.size(); ++i)
      EXPECT_GE(s.lengths[i].c3, s.lengths[i - 1].c3) << section << " " << s.lengths[i].length;
  }
  for (std::size_t i = 1; i < tables.arcOfContact.size(); ++i)
    EXPECT_LE(tables.arcOfContact[i].c1, tables.arcOfContact[i - 1].c1);
}

}  // namespace
}  // namespace chart
