#pragma once

#include <cstdint>

#include "chart/units.h"

namespace layout {

// A colour as the layout stores it: 0x00BBGGRR, or 0x800000nn for the window system's
// colour nn.
using DesignColour = std::uint32_t;

namespace design {
inline constexpr DesignColour kWindowBackground = 0x80000005;
inline constexpr DesignColour kWindowText = 0x80000008;
inline constexpr DesignColour kTitleBarText = 0x80000009;
inline constexpr DesignColour kBlack = chart::colours::kBlack;
inline constexpr DesignColour kWhite = chart::colours::kWhite;
inline constexpr DesignColour kCrossHair = chart::colours::kCrossHair;
// The kind's own colour, whatever the style gives it.
inline constexpr DesignColour kKindDefault = 0xFFFFFFFF;
}  // namespace design

}  // namespace layout
