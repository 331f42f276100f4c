#include "chart/belt_design.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "chart/numeric_text.h"

namespace chart {
namespace {

using std::numbers::pi;

constexpr double kDegrees = 180 / pi;
// v = d · n / 19100 (p. 79): m/s from a datum diameter in mm and a speed in 1/min.
constexpr double kBeltSpeedDivisor = 19100;

bool positive(double value) { return value > 0 && std::isfinite(value); }

// The datum length of a centre distance, and back: the exact pair of the manual's p. 79.
double lengthOf(double centre, double large, double small) {
  return 2 * centre + pi / 2 * (large + small) + (large - small) * (large - small) / (4 * centre);
}
std::optional<double> centreOf(double length, double large, double small) {
  const double p = (length - pi / 2 * (large + small)) / 4;
  const double root = p * p - (large - small) * (large - small) / 8;
  if (p <= 0 || root < 0) return std::nullopt;
  const double centre = p + std::sqrt(root);
  // The pulleys must not overlap.
  if (centre <= (large + small) / 2) return std::nullopt;
  return centre;
}

// The standard length nearest the one the wished centre needs, or none where the wished length
// lies more than half a step beyond the table's ends or the length gives no centre distance.
const LengthRow* standardLength(const SectionTables& section, double wished, double large,
                                double small) {
  const std::vector<LengthRow>& rows = section.lengths;
  const double needed = lengthOf(wished, large, small);
  const double first = rows.front().length;
  const double last = rows.back().length;
  const double below = rows.size() > 1 ? (rows[1].length - first) / 2 : 0;
  const double above = rows.size() > 1 ? (last - rows[rows.size() - 2].length) / 2 : 0;
  if (!(needed >= first - below && needed <= last + above)) return nullptr;
  const LengthRow* nearest = nullptr;
  for (const LengthRow& row : rows) {
    if (!centreOf(row.length, large, small)) continue;
    if (!nearest || std::abs(row.length - needed) < std::abs(nearest->length - needed))
      nearest = &row;
  }
  return nearest;
}

// The fewest belts that carry the design power, each carrying `perBelt`.
int beltsFor(double designPower, double perBelt, int most) {
  const double needed = designPower / perBelt;
  if (!(needed <= most)) return most + 1;
  int belts = std::max(1, static_cast<int>(std::ceil(needed)));
  while (belts > 1 && (belts - 1) * perBelt >= designPower) --belts;
  while (belts * perBelt < designPower) ++belts;
  return belts;
}

std::string number(double value) { return shortestText(value); }

}  // namespace

BeltDesign designDrive(const BeltTables& tables, BeltProfile profile, const DriveRequest& request,
                       const DriveLimits& limits) {
  using enum DesignRefusal;
  BeltDesign d;
  d.profile = profile;
  if (!positive(request.power)) d.refusals |= kPowerNotPositive;
  if (!positive(request.serviceFactor)) d.refusals |= kServiceFactorNotPositive;
  if (!positive(request.motorSpeed)) d.refusals |= kMotorSpeedNotPositive;
  if (!positive(request.motorPulley) || !positive(request.airEndPulley))
    d.refusals |= kPulleyNotPositive;
  if (!(request.centre >= 0 && std::isfinite(request.centre))) d.refusals |= kCentreNegative;
  if (d.refusals.any()) return d;

  const SectionTables& section = tables.section(profile);
  const double large = std::max(request.motorPulley, request.airEndPulley);
  d.smallDiameter = std::min(request.motorPulley, request.airEndPulley);
  // The smaller pulley turns faster: on a drive that speeds up, the air end's.
  d.smallSpeed = request.motorSpeed * request.motorPulley / d.smallDiameter;
  d.ratio = large / d.smallDiameter;
  d.power = request.power;
  d.serviceFactor = request.serviceFactor;
  d.designPower = request.power * request.serviceFactor;
  d.beltSpeed = d.smallDiameter * d.smallSpeed / kBeltSpeedDivisor;
  if (d.smallDiameter < section.minDiameter) d.refusals |= kSmallPulleyBelowMinimum;
  if (d.beltSpeed > limits.maxBeltSpeed) d.refusals |= kBeltSpeedAboveLimit;

  d.wishedCentre = request.centre > 0 ? request.centre : large + d.smallDiameter;
  const LengthRow* length = standardLength(section, d.wishedCentre, large, d.smallDiameter);
  const auto rating = section.rating.rating(d.smallDiameter, d.smallSpeed);
  const auto additional = section.rating.additionalPower(d.ratio, d.smallSpeed);
  if (!rating || !additional) d.refusals |= kNoRating;
  if (!length) {
    d.refusals |= kNoStandardLength;
    return d;
  }
  d.datumLength = length->length;
  d.c3 = length->c3;
  d.centre = *centreOf(d.datumLength, large, d.smallDiameter);
  d.wrapAngle = 2 * std::acos((large - d.smallDiameter) / (2 * d.centre)) * kDegrees;
  d.flexRate = 2 * 1000 * d.beltSpeed / d.datumLength;
  const auto c1 = tables.arcFactor((large - d.smallDiameter) / d.centre);
  if (!c1) d.refusals |= kNoArcFactor;
  if (!c1 || !rating || !additional) return d;

  d.c1 = *c1;
  d.ratedPower = *rating;
  d.additionalPower = *additional;
  d.belts = beltsFor(d.designPower, d.perBelt() * d.c1 * d.c3, limits.maxBelts);
  if (d.belts > limits.maxBelts) d.refusals |= kTooManyBelts;
  // Static tension and shaft load (pp. 80, 122): the least that carries the power without slip.
  d.tension = 500 * (2.02 - d.c1) * d.designPower / (d.c1 * d.belts * d.beltSpeed) +
              section.k * d.beltSpeed * d.beltSpeed;
  d.shaftLoad = 2 * d.tension * std::sin(d.wrapAngle / 2 / kDegrees) * d.belts;
  return d;
}

std::string figureText(const DesignFigure& figure, const BeltDesign& design) {
  // Every figure of a drive is above 0: 0 is one that a refused design never got to.
  const double value = figure.value(design);
  if (value == 0) return {};
  return fixedText(value, figure.decimals);
}

std::vector<std::string> designRefusalWords(DesignRefusals refusals, const DriveLimits& limits,
                                            const BeltTables& tables,
                                            std::span<const BeltProfile> sections) {
  using enum DesignRefusal;
  std::string minima;
  for (const BeltProfile profile : sections) {
    minima += (minima.empty() ? "" : ", ") + std::string(nameOf(profile)) + ' ' +
              number(tables.section(profile).minDiameter) + " mm";
  }
  const std::pair<DesignRefusal, std::string> table[] = {
      {kPowerNotPositive, "power not a finite number above 0 kW"},
      {kServiceFactorNotPositive, "service factor not a finite number above 0"},
      {kMotorSpeedNotPositive, "motor speed not a finite number above 0 1/min"},
      {kPulleyNotPositive, "pulley not a finite number above 0 mm"},
      {kCentreNegative, "centre distance not a finite number from 0 mm"},
      {kSmallPulleyBelowMinimum, "small pulley below the section's minimum (" + minima + ')'},
      {kBeltSpeedAboveLimit, "belt speed above " + number(limits.maxBeltSpeed) + " m/s"},
      {kTooManyBelts, "more than " + std::to_string(limits.maxBelts) + " belts"},
      {kNoStandardLength, "no standard belt length for the centre distance"},
      {kNoRating, "no power rating for the small pulley at its speed"},
      {kNoArcFactor, "arc of contact below the table's"},
  };
  std::vector<std::string> words;
  for (const auto& [flag, text] : table) {
    if (refusals.has(flag)) words.push_back(text);
  }
  return words;
}

std::string designRefusalText(DesignRefusals refusals, const DriveLimits& limits,
                              const BeltTables& tables, std::span<const BeltProfile> sections) {
  return joined(designRefusalWords(refusals, limits, tables, sections));
}

}  // namespace chart
