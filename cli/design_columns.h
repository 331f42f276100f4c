#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "chart/belt_design.h"
#include "cli/columns.h"

namespace cli {

// A belt drive's design as a record shows it: its section, then each of the core's figures.
template <std::size_t I>
Value designFigure(const chart::BeltDesign& design) {
  constexpr const chart::DesignFigure& figure = chart::DesignFigures[I];
  std::string text = chart::figureText(figure, design);
  if (text.empty()) return {};
  if (figure.decimals == 0) return static_cast<std::int64_t>(std::stoll(text));
  return shownNumber(std::move(text));
}

template <std::size_t... I>
constexpr auto designColumns(std::index_sequence<I...>) {
  using Row = chart::BeltDesign;
  return std::to_array<Column<Row>>(
      {{.name = "profile",
        .text = "section",
        .align = Align::Left,
        .width = 7,
        .value = [](const Row& d) -> Value { return std::string(chart::nameOf(d.profile)); }},
       {.name = chart::DesignFigures[I].key,
        .text = chart::DesignFigures[I].head,
        .width = std::max<std::size_t>(chart::DesignFigures[I].head.size(), 5),
        .value = designFigure<I>}...});
}

inline constexpr auto kDesignColumns =
    designColumns(std::make_index_sequence<chart::DesignFigures.size()>());

}  // namespace cli
