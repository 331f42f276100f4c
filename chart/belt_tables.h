#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace chart {

// The wedge belt sections a drive can be designed with, narrowest first.
enum class BeltProfile { SPZ, SPA, SPB, SPC };
inline constexpr std::array<BeltProfile, 4> BeltProfiles{BeltProfile::SPZ, BeltProfile::SPA,
                                                         BeltProfile::SPB, BeltProfile::SPC};
inline constexpr std::array<std::string_view, BeltProfiles.size()> BeltProfileNames{"SPZ", "SPA",
                                                                                    "SPB", "SPC"};
inline std::string_view nameOf(BeltProfile profile) {
  return BeltProfileNames[static_cast<std::size_t>(profile)];
}
std::optional<BeltProfile> profileNamed(std::string_view name);

// The power rating of one section per belt, for an arc of contact of 180° at the section's
// reference length: PN in kW by the small pulley's datum diameter (columns) and its speed (rows),
// and the additional power for the speed ratio, by ratio band.
struct RatingTable {
  std::vector<double> diameters;  // mm, ascending
  std::vector<double> speeds;  // 1/min, ascending
  std::vector<double> ratings;  // kW, row by row; NaN where the table prints none
  std::vector<double> ratioBands;  // the lowest ratio of each band of additional power
  std::vector<double> additional;  // kW, row by row, one per band

  // PN between table points, linear in diameter and in speed; none outside the table or next to
  // a cell it leaves empty.
  std::optional<double> rating(double diameter, double speed) const;
  // The additional power for the speed ratio `ratio` (at least 1), linear in speed; none outside
  // the table's speeds.
  std::optional<double> additionalPower(double ratio, double speed) const;
};

struct LengthRow {
  double length;  // standard datum length, mm
  double c3;  // length factor
};

struct SectionTables {
  BeltProfile profile;
  double minDiameter;  // smallest datum diameter of a pulley, mm
  double k;  // belt mass per metre for the centrifugal tension, kg/m
  double referenceLength;  // the datum length the ratings hold for, mm
  RatingTable rating;
  std::vector<LengthRow> lengths;  // ascending
};

struct ArcRow {
  double ratio;  // (large − small datum diameter) / centre distance
  double arc;  // degrees, as printed
  double c1;
};

struct ServiceFactorRow {
  std::string loadGroup;
  std::string machines;
  std::string startingTorque;
  std::string dailyHours;
  double c2;
};

struct BeltTables {
  std::array<SectionTables, BeltProfiles.size()> sections;
  std::vector<ArcRow> arcOfContact;  // ascending ratio
  std::vector<ServiceFactorRow> serviceFactors;

  const SectionTables& section(BeltProfile profile) const {
    return sections[static_cast<std::size_t>(profile)];
  }
  // c1 for a ratio between table points, linear, at the table's two decimals as the manual
  // reads it; none past the table's last ratio.
  std::optional<double> arcFactor(double ratio) const;
  // The service factor of a row of the table; none if no row has these words.
  std::optional<double> serviceFactor(std::string_view loadGroup, std::string_view startingTorque,
                                      std::string_view dailyHours) const;
};

// The texts of the data files, each a CSV table under '#' comment lines.
struct BeltTableTexts {
  std::string_view profiles;
  std::array<std::string_view, BeltProfiles.size()> ratings;  // in the order of BeltProfiles
  std::array<std::string_view, BeltProfiles.size()> lengths;
  std::string_view arcOfContact;
  std::string_view serviceFactors;
};

// A table that does not have the shape its readers rely on.
class BeltTableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the tables; throws BeltTableError naming the table and its line where one is malformed.
BeltTables parseBeltTables(const BeltTableTexts& texts);

}  // namespace chart
