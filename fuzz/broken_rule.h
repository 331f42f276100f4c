#pragma once

#include <string_view>

namespace fuzzing {

// Reports a broken rule on stderr and aborts, so that libFuzzer keeps the input as a crash.
[[noreturn]] void fail(std::string_view rule, std::string_view detail = {});

inline void require(bool holds, std::string_view rule, std::string_view detail = {}) {
  if (!holds) fail(rule, detail);
}

}  // namespace fuzzing
