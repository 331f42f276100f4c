#include "chart/flags.h"

namespace chart {
namespace {

template <typename Text>
std::string joinedTexts(std::span<const Text> words) {
  std::string out;
  for (const Text& w : words) {
    if (!out.empty()) out += "; ";
    out += w;
  }
  return out;
}

}  // namespace

std::string joined(std::span<const std::string_view> words) { return joinedTexts(words); }
std::string joined(std::span<const std::string> words) { return joinedTexts(words); }

}  // namespace chart
