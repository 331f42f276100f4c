#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chart/flag_words.h"

namespace chart {

// Why a read-out shows red. A reading can raise several at once, so they are flags.
enum Warning : unsigned {
  kSpeedLimit7Bar = 1u << 0,
  kSpeedLimit4Bar = 1u << 1,
  kBeyondLastCurve = 1u << 2,
  kRightOf4Bar = 1u << 3,
  kLeftOf13Bar = 1u << 4,
};
using Warnings = unsigned;

// What a screen reader says for each warning.
inline constexpr std::array<FlagWords, 5> WarningTexts{{
    {kSpeedLimit7Bar, "above the speed limit of the 7 bar curve"},
    {kSpeedLimit4Bar, "above the speed limit of the 4 bar curve"},
    {kBeyondLastCurve, "beyond the last curve of this power"},
    {kRightOf4Bar, "right of the 4 bar curve: below 4 bar"},
    {kLeftOf13Bar, "left of the 13 bar curve: above 13 bar"},
}};

// The words of every warning raised, joined by "; "; empty when none is.
inline std::string warningText(Warnings warnings) { return joinedWords(warnings, WarningTexts); }

}  // namespace chart
