#include "rgb_image.h"

#include <string>

namespace pictures {

Bytes encodePpm(const RgbImage& image) {
  const std::string header =
      "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
  Bytes out(header.begin(), header.end());
  for (const Rgb& p : image.pixels) {
    out.push_back(p.r);
    out.push_back(p.g);
    out.push_back(p.b);
  }
  return out;
}

}  // namespace pictures
