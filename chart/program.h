#pragma once

#include <string_view>

namespace chart {

// The program as it names itself on what it prints; the version is the project's.
inline constexpr std::string_view kProgramName = "qnte418grafik";
inline constexpr std::string_view kProgramVersion = QNTE_VERSION;

}  // namespace chart
