#pragma once

#include <span>
#include <string>

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

// Designs the drive in one section; every refusal that applies is raised, and the figures it
// could work out are kept.
BeltDesign designDrive(const BeltTables& tables, BeltProfile profile, const DriveRequest& request,
                       const DriveLimits& limits);

// The words of the refusals raised, joined by "; ", with the limits and the minimum pulleys of
// the sections tried in them.
std::string designRefusalText(DesignRefusals refusals, const DriveLimits& limits,
                              const BeltTables& tables, std::span<const BeltProfile> sections);

}  // namespace chart
