#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chart/flags.h"

namespace chart {

// Why a read-out shows red. A reading can raise several at once, so they are flags.
enum class Warning : unsigned {
  kSpeedLimit7Bar = 1u << 0,
  kSpeedLimit4Bar = 1u << 1,
  kBeyondLastCurve = 1u << 2,
  kRightOf4Bar = 1u << 3,
  kLeftOf13Bar = 1u << 4,
};
constexpr bool isFlagKind(Warning) { return true; }
using Warnings = Flags<Warning>;

// What a screen reader says for each warning.
inline constexpr std::array<FlagWords<Warning>, 5> WarningTexts{{
    {Warning::kSpeedLimit7Bar, "above the speed limit of the 7 bar curve"},
    {Warning::kSpeedLimit4Bar, "above the speed limit of the 4 bar curve"},
    {Warning::kBeyondLastCurve, "beyond the last curve of this power"},
    {Warning::kRightOf4Bar, "right of the 4 bar curve: below 4 bar"},
    {Warning::kLeftOf13Bar, "left of the 13 bar curve: above 13 bar"},
}};

// The words of every warning raised, joined by "; "; empty when none is.
inline std::string warningText(Warnings warnings) { return joinedWords(warnings, WarningTexts); }

}  // namespace chart
