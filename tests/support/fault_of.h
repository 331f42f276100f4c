#pragma once

#include <optional>

#include "chart/checked.h"

namespace testsupport {

// Runs an operation that may fail: its fault, or nothing when it succeeded.
std::optional<chart::Fault> faultOf(auto&& operation) {
  try {
    operation();
  } catch (const chart::ChartError& error) {
    return error.fault();
  }
  return std::nullopt;
}

}  // namespace testsupport
