#include "resources/embedded_belts.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace embedded {

std::span<const std::uint8_t> beltProfiles();
std::span<const std::uint8_t> beltRatingsSpz();
std::span<const std::uint8_t> beltRatingsSpa();
std::span<const std::uint8_t> beltRatingsSpb();
std::span<const std::uint8_t> beltRatingsSpc();
std::span<const std::uint8_t> beltLengthsSpz();
std::span<const std::uint8_t> beltLengthsSpa();
std::span<const std::uint8_t> beltLengthsSpb();
std::span<const std::uint8_t> beltLengthsSpc();
std::span<const std::uint8_t> beltArcOfContact();
std::span<const std::uint8_t> beltServiceFactors();

namespace {

std::string_view text(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

const chart::BeltTables& beltTables() {
  static const chart::BeltTables tables = chart::parseBeltTables({
      .profiles = text(beltProfiles()),
      .ratings = {text(beltRatingsSpz()), text(beltRatingsSpa()), text(beltRatingsSpb()),
                  text(beltRatingsSpc())},
      .lengths = {text(beltLengthsSpz()), text(beltLengthsSpa()), text(beltLengthsSpb()),
                  text(beltLengthsSpc())},
      .arcOfContact = text(beltArcOfContact()),
      .serviceFactors = text(beltServiceFactors()),
  });
  return tables;
}

}  // namespace embedded
