#pragma once

#include <vector>

#include "byte_file.h"
#include "rgb_image.h"

namespace pictures {

// A single-image icon: 24-bit colour plus the 1-bit AND mask (true = transparent).
// The mask must hold one entry per pixel, rows from the top like the image.
Bytes encodeIco24(const RgbImage& image, const std::vector<bool>& transparent);

}  // namespace pictures
