#pragma once

#include <string_view>

namespace layout {

// The outline drawing window as designed, in whole pixels of its client area.
struct Form10Layout {
  std::string_view caption;
  int clientWidth;
  int clientHeight;
  int pictureLeft;
  int pictureTop;
  int pictureWidth;   // outer size, border included
  int pictureHeight;
  int pictureBorder;  // the sunken three-dimensional border, each side
};

inline constexpr Form10Layout kForm10Layout{
    .caption = " QNTe418",
    .clientWidth = 581,
    .clientHeight = 438,
    .pictureLeft = 8,
    .pictureTop = 8,
    .pictureWidth = 564,
    .pictureHeight = 404,
    .pictureBorder = 2,
};

}  // namespace layout
