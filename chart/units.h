#pragma once

#include <cstdint>

namespace chart {

// A colour as 0x00BBGGRR (red in the low byte); -1 marks a point outside the raster.
using Colour = std::int32_t;

// A scroll bar value: 16-bit signed, like every integer the windows hold.
using ScrollValue = std::int16_t;

// A speed in 1/min, or a pulley diameter: 16-bit signed.
using Int16 = std::int16_t;

// A coordinate in chart pixels (client pixels of the chart box), single precision.
using ChartCoord = float;

namespace colours {
inline constexpr Colour kOutside = -1;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kGrey = 0x767676;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kGreen = 0x00FF00;
inline constexpr Colour kMagenta = 0xFF00FF;
inline constexpr Colour kTeal = 0x708040;
inline constexpr Colour kLightTeal = 0xA6A653;
inline constexpr Colour kCrossHair = 0xC0C0FF;
}  // namespace colours

}  // namespace chart
