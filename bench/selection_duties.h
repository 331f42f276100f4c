#pragma once

#include <array>

#include "chart/drive_selection.h"

namespace bench {

// The duties a selection is timed on, natively and in the browser alike: from a low row at
// 4 bar to the 13 bar curve, whose rows lie highest, each with the default options.
inline const std::array<chart::Duty, 4> kSelectionDuties{{{.delivery = 4.5, .pressure = 8},
                                                          {.delivery = 3.0, .pressure = 4},
                                                          {.delivery = 4.0, .pressure = 11.5},
                                                          {.delivery = 3.5, .pressure = 13}}};

}  // namespace bench
