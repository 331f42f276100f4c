#include "chart/warnings.h"

namespace chart {

std::string warningText(Warnings warnings) {
  std::string words;
  for (const WarningText& entry : WarningTexts) {
    if ((warnings & entry.warning) == 0) continue;
    if (!words.empty()) words += "; ";
    words += entry.words;
  }
  return words;
}

}  // namespace chart
