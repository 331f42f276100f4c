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
  int pictureWidth;  // outer size, border included
  int pictureHeight;
  int pictureBorder;  // the sunken three-dimensional border, each side
  // What a screen reader says for the window and its picture.
  std::string_view accessibleName = {};
  std::string_view pictureAccessibleName = {};
  std::string_view pictureAccessibleDescription = {};
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
    .accessibleName = "QNTe418 air end outline drawing",
    .pictureAccessibleName = "Outline drawing",
    .pictureAccessibleDescription =
        "Dimensioned outline of the air end: side view with the drive shaft to the left, "
        "view on the drive-end flange with four bolt holes, and a section through the "
        "shaft end with its keyway.",
};

}  // namespace layout
