#include "chart/refusals.h"

namespace chart {

std::string refusalText(Refusals refusals) {
  std::string words;
  for (const RefusalText& entry : RefusalTexts) {
    if ((refusals & entry.refusal) == 0) continue;
    if (!words.empty()) words += "; ";
    words += entry.words;
  }
  return words;
}

}  // namespace chart
