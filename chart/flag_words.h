#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chart {

// One row of a table of reasons: a flag and the words that say it.
struct FlagWords {
  unsigned flag;
  std::string_view words;
};

// The words of every flag raised, in the table's order.
std::vector<std::string_view> wordsOf(unsigned raised, std::span<const FlagWords> table);
// The same joined by "; "; empty when none is raised.
std::string joinedWords(unsigned raised, std::span<const FlagWords> table);

}  // namespace chart
