#include "fuzz/broken_rule.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzing {

void fail(std::string_view rule, std::string_view detail) {
  std::fprintf(stderr, "\nBROKEN RULE: %.*s\n%.*s\n", static_cast<int>(rule.size()), rule.data(),
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}

}  // namespace fuzzing
