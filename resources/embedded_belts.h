#pragma once

#include "chart/belt_tables.h"

namespace embedded {

// The belt design tables as carried in the executable, read once.
const chart::BeltTables& beltTables();

}  // namespace embedded
