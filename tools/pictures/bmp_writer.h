#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "byte_file.h"
#include "rgb_image.h"

namespace pictures {

using Palette = std::array<Rgb, 256>;

// The palette of a grey picture: entry i is grey level i, so 0 is black and 255 white.
Palette greyPalette();

// An uncompressed 8-bit Windows bitmap with all 256 palette entries stored. The indices are one
// byte per pixel, rows from the top; resolution in pixels per metre, the same both ways.
Bytes encodeBmp8(int width, int height, const std::vector<std::uint8_t>& indices,
                 const Palette& palette, std::int32_t pixelsPerMetre);

}  // namespace pictures
