#pragma once

#include <array>
#include <string_view>

#include "chart/form4_logic.h"
#include "chart/warnings.h"

namespace testsupport {

// One user action on a freshly loaded main window, and the reading every front end must
// show after it: the in-memory window, the desktop window and the page alike.
struct ReadingCase {
  std::string_view why;
  enum class Act { Click, LeftDrag, Calculate, Belt } act;
  float x = 0;  // chart pixel, for Click and LeftDrag
  float y = 0;
  std::array<std::string_view, 3> entries{};  // Text1 and Text2, or Text3 to Text5
  // What the window shows afterwards.
  chart::ScrollValue hscroll;
  chart::ScrollValue vscroll;
  std::string_view speed;
  std::string_view power;
  std::string_view pressure;
  std::string_view delivery;
  std::string_view deliveryClass;
  chart::Warnings speedAndPower;
  chart::Warnings pressureAndDelivery;
};

using enum ReadingCase::Act;

// clang-format off
inline constexpr std::array<ReadingCase, 8> kReadingCases{{
    {"a click above the 7 bar speed limit", Click, 300, 49, {},
     301, 50, "5010", "40.0", "12.2", "4.8", "@ 10 bar", chart::Warning::kSpeedLimit7Bar, {}},
    {"a click right of the 4 bar curve", Click, 480, 300, {},
     481, 301, "6810", "14.9", "4.0", "6.6", "@ 4 bar", {}, chart::Warning::kRightOf4Bar},
    {"a click left of the 13 bar curve", Click, 20, 100, {},
     21, 101, "2210", "34.9", "13.0", "1.9", "@ 13 bar", {}, chart::Warning::kLeftOf13Bar},
    {"a click past both speed limits", Click, 450, 150, {},
     451, 151, "6510", "29.9", "4.0", "6.3", "@ 4 bar",
     chart::Warning::kSpeedLimit4Bar, chart::Warning::kRightOf4Bar},
    {"the power calculator places both lines", Calculate, 0, 0, {"20", "7"},
     184, 250, "3840", "20.0", "7.0", "3.7", "@ 7 bar", {}, {}},
    {"a pressure above the curves moves the row alone", Calculate, 0, 0, {"25", "13.5"},
     0, 200, "", "25.0", "13.0", "-.3", "@ 13 bar", {}, chart::Warning::kLeftOf13Bar},
    {"the belt calculator moves the column alone", Belt, 0, 0, {"2950", "200", "100"},
     390, 0, "5900", "", "7.0", "5.8", "@ 7 bar",
     chart::Warning::kBeyondLastCurve, chart::Warning::kBeyondLastCurve},
    {"a plain left drag reads nothing", LeftDrag, 300, 49, {},
     0, 0, "", "", "", "", "@ 7 bar", {}, {}},
}};
// clang-format on

// Where a reading differs from the case's; empty when it shows what the case says.
inline std::string_view differenceFrom(const ReadingCase& c, const chart::Reading& r) {
  if (r.hscroll != c.hscroll || r.vscroll != c.vscroll) return "scroll values";
  if (r.speed != c.speed || r.power != c.power || r.pressure != c.pressure)
    return "speed, power or pressure";
  if (r.delivery != c.delivery || r.deliveryClass != c.deliveryClass) return "delivery";
  if (r.speedAndPower != c.speedAndPower || r.pressureAndDelivery != c.pressureAndDelivery)
    return "reasons";
  if (r.speedPowerRed() != c.speedAndPower.any() || r.pressureRed() != c.pressureAndDelivery.any())
    return "colours";
  return {};
}

}  // namespace testsupport
