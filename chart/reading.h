#pragma once

#include <array>
#include <string>

#include "chart/form4_controls.h"
#include "chart/warnings.h"

namespace chart {

// The controls a reading colours, red with the words why or black: speed and power, pressure
// and delivery.
inline constexpr std::array kWarnedControls{TextControl::Text1, TextControl::Label4,
                                            TextControl::Text2, TextControl::Label20};

// What the main window shows: every front end's state, record and announcement is made
// from it. The read-outs' texts are empty until first written.
struct Reading {
  ScrollValue hscroll = 0;
  ScrollValue vscroll = 0;
  std::string speed;  // Label4
  std::string power;  // Text1
  std::string pressure;  // Text2
  std::string delivery;  // Label20
  std::string deliveryClass;  // Label21
  // Why Text1 and Label4, and Text2 and Label20, are red; 0 while they are black.
  Warnings speedAndPower{};
  Warnings pressureAndDelivery{};
  std::array<std::string, 3> entries{};  // Text3 to Text5, as typed
  std::array<Colour, kTextControlCount> colours{};  // in the order of TextControl
  ScrollValue hmaximum = 0;
  ScrollValue vmaximum = 0;
  std::array<std::array<ChartCoord, 4>, 2> lineEnds{};  // Line1 and Line2: X1, Y1, X2, Y2
  std::array<bool, 2> lineVisible{};
  ChartCoord markerLeft = 0;
  ChartCoord markerTop = 0;

  const std::string& text(TextControl control) const;
  Colour colour(TextControl control) const { return colours[at(control)]; }
  bool red(TextControl control) const { return colour(control) == colours::kRed; }
  bool speedPowerRed() const { return red(TextControl::Text1); }
  bool pressureRed() const { return red(TextControl::Text2); }
  // The warnings behind a read-out's colour; 0 for the controls that are never red.
  Warnings warnings(TextControl control) const;
  Warnings reasons() const { return speedAndPower | pressureAndDelivery; }

  bool operator==(const Reading&) const = default;
};

// The reading of a window's controls, with the reasons its core gave for the red ones.
Reading readingOf(const Form4Controls& controls, Warnings speedAndPower,
                  Warnings pressureAndDelivery);

}  // namespace chart
