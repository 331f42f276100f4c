#include "chart/flag_words.h"

namespace chart {

std::vector<std::string_view> wordsOf(unsigned raised, std::span<const FlagWords> table) {
  std::vector<std::string_view> words;
  for (const FlagWords& row : table) {
    if ((raised & row.flag) != 0) words.push_back(row.words);
  }
  return words;
}

std::string joinedWords(unsigned raised, std::span<const FlagWords> table) {
  std::string joined;
  for (const std::string_view words : wordsOf(raised, table)) {
    if (!joined.empty()) joined += "; ";
    joined += words;
  }
  return joined;
}

}  // namespace chart
