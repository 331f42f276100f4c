#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace benchsupport {

// Median of the samples, in milliseconds; 0 for none.
inline double medianMs(std::vector<std::chrono::nanoseconds> samples) {
  if (samples.empty()) return 0;
  const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
  std::nth_element(samples.begin(), middle, samples.end());
  return std::chrono::duration<double, std::milli>(*middle).count();
}

}  // namespace benchsupport
