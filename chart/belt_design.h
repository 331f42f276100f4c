#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/belt_tables.h"
#include "chart/flags.h"

namespace chart {

// The limits a drive must keep, with the defaults a proposal is held to.
struct DriveLimits {
  // Wrapped wedge belts run up to about 42 m/s (the manual's vmax, p. 79).
  static constexpr double kBeltSpeed = 42;
  static constexpr int kBelts = 6;

  double maxBeltSpeed = kBeltSpeed;  // m/s
  int maxBelts = kBelts;
};

// A two-pulley drive as asked for, the motor's pulley driving the air end's.
struct DriveRequest {
  double power = 0;  // kW at the air end's shaft
  double serviceFactor = 0;  // c2
  double motorSpeed = 0;  // 1/min
  double motorPulley = 0;  // datum diameter, mm
  double airEndPulley = 0;  // datum diameter, mm
  double centre = 0;  // wished centre distance, mm; 0 asks for the sum of the two diameters
};

// Why a drive cannot be built as asked, or why a request names no drive at all.
enum class DesignRefusal : unsigned {
  kPowerNotPositive = 1u << 0,
  kServiceFactorNotPositive = 1u << 1,
  kMotorSpeedNotPositive = 1u << 2,
  kPulleyNotPositive = 1u << 3,
  kCentreNegative = 1u << 4,
  kSmallPulleyBelowMinimum = 1u << 5,
  kBeltSpeedAboveLimit = 1u << 6,
  kTooManyBelts = 1u << 7,
  kNoStandardLength = 1u << 8,
  kNoRating = 1u << 9,
  kNoArcFactor = 1u << 10,
};
constexpr bool isFlagKind(DesignRefusal) { return true; }
using DesignRefusals = Flags<DesignRefusal>;

// A wrapped wedge belt drive in one section, as the belt maker's manual designs it.
struct BeltDesign {
  BeltProfile profile = BeltProfile::SPZ;
  DesignRefusals refusals;  // none: a drive that can be ordered
  double power = 0;  // kW at the air end's shaft
  double serviceFactor = 0;  // c2
  double designPower = 0;  // kW, the power times the service factor
  double smallDiameter = 0;  // mm, the smaller pulley
  double smallSpeed = 0;  // 1/min, that pulley's speed
  double ratio = 0;  // large over small diameter
  double beltSpeed = 0;  // m/s
  double wishedCentre = 0;  // mm
  double datumLength = 0;  // mm, a standard length of the section
  double centre = 0;  // mm, what that length gives
  double wrapAngle = 0;  // degrees on the small pulley
  double c1 = 0;  // arc-of-contact factor
  double c3 = 0;  // length factor
  double ratedPower = 0;  // kW per belt: the table's rating
  double additionalPower = 0;  // kW per belt for the speed ratio
  int belts = 0;
  double tension = 0;  // N per belt, static, in service
  double shaftLoad = 0;  // N on the air end's shaft, static, in service
  double flexRate = 0;  // 1/s

  // First installation: the belts are set 30 % above the tension they keep in service.
  static constexpr double kInstallation = 1.3;
  double installTension() const { return tension * kInstallation; }
  double installShaftLoad() const { return shaftLoad * kInstallation; }
  double perBelt() const { return ratedPower + additionalPower; }
  bool sound() const { return refusals.none(); }
};

// The figures of a design as every front end shows them: a key for scripts, a short head for
// a text table, a heading with its unit for a page, and the decimals they are shown with.
struct DesignFigure {
  std::string_view key;
  std::string_view head;
  std::string_view heading;
  int decimals;
  double (*value)(const BeltDesign&);
};
inline constexpr std::array<DesignFigure, 12> DesignFigures{{
    {"belts", "belts", "Belts", 0, [](const BeltDesign& d) { return double(d.belts); }},
    {"datum_length", "length", "Length (mm)", 0, [](const BeltDesign& d) { return d.datumLength; }},
    {"centre_distance", "centre", "Centre (mm)", 0, [](const BeltDesign& d) { return d.centre; }},
    {"wrap_angle", "wrap", "Wrap (\u00b0)", 1, [](const BeltDesign& d) { return d.wrapAngle; }},
    {"belt_speed", "belt m/s", "Belt (m/s)", 1, [](const BeltDesign& d) { return d.beltSpeed; }},
    {"rated_power", "PN kW", "PN (kW)", 2, [](const BeltDesign& d) { return d.perBelt(); }},
    {"c1", "c1", "c1", 2, [](const BeltDesign& d) { return d.c1; }},
    {"c3", "c3", "c3", 2, [](const BeltDesign& d) { return d.c3; }},
    {"design_power", "design", "Design (kW)", 1, [](const BeltDesign& d) { return d.designPower; }},
    {"tension", "tension", "Tension (N)", 0, [](const BeltDesign& d) { return d.tension; }},
    {"shaft_load", "shaft N", "Shaft load (N)", 0, [](const BeltDesign& d) { return d.shaftLoad; }},
    {"flex_rate", "flex", "Flex rate (1/s)", 1, [](const BeltDesign& d) { return d.flexRate; }},
}};
// A figure of a design as shown; empty for one that a refused design never worked out.
std::string figureText(const DesignFigure& figure, const BeltDesign& design);

// Designs the drive in one section; every refusal that applies is raised, and the figures it
// could work out are kept.
BeltDesign designDrive(const BeltTables& tables, BeltProfile profile, const DriveRequest& request,
                       const DriveLimits& limits);

// The words of the refusals raised, with the limits and the minimum pulleys of the sections
// tried in them; and the same joined by "; ".
std::vector<std::string> designRefusalWords(DesignRefusals refusals, const DriveLimits& limits,
                                            const BeltTables& tables,
                                            std::span<const BeltProfile> sections);
std::string designRefusalText(DesignRefusals refusals, const DriveLimits& limits,
                              const BeltTables& tables, std::span<const BeltProfile> sections);

}  // namespace chart
