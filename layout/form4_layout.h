#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "chart/form4_controls.h"
#include "layout/design_colour.h"

namespace layout {

enum class ControlKind { PictureBox, Button, TextBox, HScrollBar, VScrollBar, Line, Shape, Label };
enum class Container { Form4, Picture1 };
enum class FontChoice { Default, Named };
enum class TextAlign { Left, Right, Centre };

inline constexpr int kNoTabIndex = -1;

// One control of the main window as designed. Positions are whole pixels in the client
// area of the container.
struct ControlLayout {
  std::string_view name;
  ControlKind kind;
  Container container = Container::Form4;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int tabIndex = kNoTabIndex;
  std::string_view caption = {};
  FontChoice font = FontChoice::Default;
  std::string_view toolTip = {};
  TextAlign align = TextAlign::Left;
  bool border = false;
  DesignColour foreColour = design::kKindDefault;  // text; a shape's or line's border
  DesignColour backColour = design::kKindDefault;
  DesignColour fillColour = design::kKindDefault;  // shapes: the default is no fill
  std::array<int, 4> lineEnds = {};  // lines only: X1, Y1, X2, Y2
  std::string_view picture = {};  // picture boxes: resource path of what they show
  // What a screen reader says. A read-out has no name here: its shown value is spoken, or
  // for those that Tab reaches the words the core gives them; its description says what
  // the value is.
  std::string_view accessibleName = {};
  std::string_view accessibleDescription = {};
  // A label that Tab stops at, so that a keyboard and a screen reader reach its value.
  bool readOut = false;
};

inline constexpr std::string_view kForm4Caption = " Air End : QNTe418";
inline constexpr int kForm4ClientWidth = 769;
inline constexpr int kForm4ClientHeight = 503;
// The most characters a text box takes: a typed number never needs more, and a pasted
// page must not grow the entry, nor its undo history, without end.
inline constexpr int kTextBoxMaxLength = 40;

inline constexpr std::string_view kCreditCaption = "qnte418grafik chart reader";
inline constexpr std::string_view kCreditLine = "qnte418grafik \u2014 performance chart reader";
inline constexpr std::string_view kCommandToolTip = "Power, Pressure, RPM";
inline constexpr std::string_view kBeltDriveEntry =
    "Belt drive entry for the Calculate button below";

// Every control of Form4, in stacking order from top to bottom. The three cross-hair
// controls lie inside Picture1. A control a row or a few, as designed, a long text on rows of
// its own, not one field a line.
// clang-format off
inline constexpr std::array<ControlLayout, 42> kForm4Layout{{
    {.name = "Picture2", .kind = ControlKind::PictureBox, .left = 632, .top = 344, .width = 76,
     .height = 80, .tabIndex = 36, .toolTip = kCreditLine, .backColour = design::kWindowBackground,
     .picture = ":/rotor.gif", .accessibleName = "Screw rotors",
     .accessibleDescription = "Picture of the two screw rotors of the air end"},
    {.name = "Command4", .kind = ControlKind::Button, .left = 680, .top = 152, .width = 73,
     .height = 25, .tabIndex = 35, .caption = "Air End", .font = FontChoice::Named,
     .accessibleDescription = "Opens the outline drawing of the air end"},
    {.name = "Text5", .kind = ControlKind::TextBox, .left = 664, .top = 248, .width = 49,
     .height = 19, .tabIndex = 7, .accessibleName = "Air-end pulley diameter",
     .accessibleDescription = kBeltDriveEntry},
    {.name = "Text4", .kind = ControlKind::TextBox, .left = 664, .top = 224, .width = 49,
     .height = 19, .tabIndex = 6, .accessibleName = "Motor pulley diameter",
     .accessibleDescription = kBeltDriveEntry},
    {.name = "Text3", .kind = ControlKind::TextBox, .left = 664, .top = 200, .width = 49,
     .height = 19, .tabIndex = 5, .accessibleName = "Motor speed in 1/min",
     .accessibleDescription = kBeltDriveEntry},
    {.name = "Command3", .kind = ControlKind::Button, .left = 680, .top = 280, .width = 73,
     .height = 25, .tabIndex = 9, .caption = "Close", .font = FontChoice::Named,
     .toolTip = kCommandToolTip, .accessibleDescription = "Ends the program"},
    {.name = "Command2", .kind = ControlKind::Button, .left = 576, .top = 280, .width = 89,
     .height = 25, .tabIndex = 8, .caption = "Calculate", .font = FontChoice::Named,
     .toolTip = "Calculate AirEnd RPM for above pulleys",
     .accessibleName = "Calculate air-end speed from the pulleys",
     .accessibleDescription =
         "Places the cross-hair at the air-end speed of the belt drive entered above"},
    {.name = "Command1", .kind = ControlKind::Button, .left = 576, .top = 152, .width = 89,
     .height = 25, .tabIndex = 4, .caption = "Calculate ", .font = FontChoice::Named,
     .toolTip = kCommandToolTip, .accessibleName = "Calculate speed from power and pressure",
     .accessibleDescription =
         "Places the cross-hair from the power and the pressure entered above"},
    {.name = "Text2", .kind = ControlKind::TextBox, .left = 664, .top = 80, .width = 49,
     .height = 19, .tabIndex = 2, .accessibleName = "Differential pressure in bar",
     .accessibleDescription = "Pressure at the cross-hair"},
    {.name = "Text1", .kind = ControlKind::TextBox, .left = 664, .top = 32, .width = 49,
     .height = 19, .tabIndex = 0, .accessibleName = "Shaft power PK in kW",
     .accessibleDescription = "Power at the cross-hair"},
    {.name = "VScroll1", .kind = ControlKind::VScrollBar, .left = 544, .top = 16, .width = 17,
     .height = 432, .tabIndex = 11, .accessibleName = "Shaft power PK in kW, cross-hair row",
     .accessibleDescription =
         "Moves the horizontal cross-hair line down the chart; 45.0 takes it off the chart"},
    {.name = "Picture1", .kind = ControlKind::PictureBox, .left = 32, .top = 32, .width = 502,
     .height = 402, .tabIndex = 10, .border = true, .foreColour = design::kWindowText,
     .backColour = design::kWindowBackground, .picture = ":/chart.bmp",
     .accessibleName = "Performance chart",
     .accessibleDescription =
         "Shaft power over rotor speed, one curve for each of 4, 7, 10 and 13 bar; a click "
         "places the cross-hair"},
    {.name = "Line1", .kind = ControlKind::Line, .container = Container::Picture1,
     .foreColour = design::kCrossHair, .lineEnds = {224, 0, 224, 400}},
    {.name = "Line2", .kind = ControlKind::Line, .container = Container::Picture1,
     .foreColour = design::kCrossHair, .lineEnds = {0, 168, 504, 168}},
    {.name = "Shape2", .kind = ControlKind::Shape, .container = Container::Picture1, .left = 232,
     .top = 176, .width = 8, .height = 8, .foreColour = design::kCrossHair},
    {.name = "HScroll1", .kind = ControlKind::HScrollBar, .left = 16, .top = 456, .width = 533,
     .height = 17, .tabIndex = 1, .accessibleName = "Rotor speed nHR in 1/min, cross-hair column",
     .accessibleDescription =
         "Moves the vertical cross-hair line across the chart; 2000 takes it off the chart"},
    {.name = "Shape1", .kind = ControlKind::Shape, .left = 624, .top = 336, .width = 97,
     .height = 97, .foreColour = design::kWindowText, .fillColour = design::kWhite},
    {.name = "Label23", .kind = ControlKind::Label, .left = 504, .top = 440, .width = 41,
     .height = 15, .tabIndex = 34, .caption = "7000", .align = TextAlign::Centre},
    {.name = "Label6", .kind = ControlKind::Label, .left = 24, .top = 480, .width = 169,
     .height = 17, .tabIndex = 33, .caption = kCreditCaption},
    {.name = "Label4", .kind = ControlKind::Label, .left = 664, .top = 56, .width = 49,
     .height = 19, .tabIndex = 32, .border = true, .backColour = design::kTitleBarText,
     .accessibleDescription = "Rotor speed nHR in 1/min", .readOut = true},
    {.name = "Label24", .kind = ControlKind::Label, .left = 576, .top = 248, .width = 89,
     .height = 17, .tabIndex = 31, .caption = "AirEnd Pulley :", .font = FontChoice::Named},
    {.name = "Label22", .kind = ControlKind::Label, .left = 576, .top = 224, .width = 81,
     .height = 17, .tabIndex = 30, .caption = "Motor Pulley :", .font = FontChoice::Named},
    {.name = "Label2", .kind = ControlKind::Label, .left = 576, .top = 200, .width = 73,
     .height = 17, .tabIndex = 29, .caption = "Motor RPM :", .font = FontChoice::Named},
    {.name = "Label21", .kind = ControlKind::Label, .left = 720, .top = 122, .width = 49,
     .height = 17, .tabIndex = 28, .caption = "@ 7 bar",
     .accessibleDescription = "Pressure class of the delivery"},
    {.name = "Label19", .kind = ControlKind::Label, .left = 576, .top = 120, .width = 81,
     .height = 17, .tabIndex = 27, .caption = "Q1 (m3/min) :", .font = FontChoice::Named},
    {.name = "Label20", .kind = ControlKind::Label, .left = 664, .top = 120, .width = 49,
     .height = 20, .tabIndex = 3, .font = FontChoice::Named, .border = true,
     .backColour = design::kTitleBarText,
     .accessibleDescription = "Free air delivery Q1 in m\u00b3/min", .readOut = true},
    {.name = "Label18", .kind = ControlKind::Label, .left = 408, .top = 440, .width = 41,
     .height = 15, .tabIndex = 26, .caption = "6000", .align = TextAlign::Centre},
    {.name = "Label17", .kind = ControlKind::Label, .left = 312, .top = 440, .width = 41,
     .height = 15, .tabIndex = 25, .caption = "5000", .align = TextAlign::Centre},
    {.name = "Label16", .kind = ControlKind::Label, .left = 216, .top = 440, .width = 33,
     .height = 15, .tabIndex = 24, .caption = "4000", .align = TextAlign::Centre},
    {.name = "Label15", .kind = ControlKind::Label, .left = 112, .top = 440, .width = 41,
     .height = 15, .tabIndex = 23, .caption = "3000", .align = TextAlign::Centre},
    {.name = "Label14", .kind = ControlKind::Label, .left = 16, .top = 440, .width = 41,
     .height = 15, .tabIndex = 22, .caption = "2000", .align = TextAlign::Centre},
    {.name = "Label13", .kind = ControlKind::Label, .left = 8, .top = 366, .width = 17,
     .height = 17, .tabIndex = 21, .caption = "11", .align = TextAlign::Right},
    {.name = "Label12", .kind = ControlKind::Label, .left = 8, .top = 325, .width = 17,
     .height = 17, .tabIndex = 20, .caption = "15", .align = TextAlign::Right},
    {.name = "Label11", .kind = ControlKind::Label, .left = 0, .top = 290, .width = 25,
     .height = 17, .tabIndex = 19, .caption = "18.5", .align = TextAlign::Right},
    {.name = "Label10", .kind = ControlKind::Label, .left = 8, .top = 256, .width = 17,
     .height = 17, .tabIndex = 18, .caption = "22", .align = TextAlign::Right},
    {.name = "Label9", .kind = ControlKind::Label, .left = 8, .top = 176, .width = 17, .height = 17,
     .tabIndex = 17, .caption = "30", .align = TextAlign::Right},
    {.name = "Label8", .kind = ControlKind::Label, .left = 8, .top = 107, .width = 17, .height = 17,
     .tabIndex = 16, .caption = "37", .align = TextAlign::Right},
    {.name = "Label7", .kind = ControlKind::Label, .left = 8, .top = 24, .width = 17, .height = 17,
     .tabIndex = 15, .caption = "45", .align = TextAlign::Right},
    {.name = "Label5", .kind = ControlKind::Label, .left = 576, .top = 80, .width = 81,
     .height = 17, .tabIndex = 14, .caption = "dif. P (bar) :", .font = FontChoice::Named},
    {.name = "Label3", .kind = ControlKind::Label, .left = 576, .top = 56, .width = 81,
     .height = 17, .tabIndex = 13, .caption = "nHR (1/min) :", .font = FontChoice::Named},
    {.name = "Label1", .kind = ControlKind::Label, .left = 576, .top = 32, .width = 65,
     .height = 17, .tabIndex = 12, .caption = " PK (kW) :", .font = FontChoice::Named},
    {.name = "Shape3", .kind = ControlKind::Shape, .left = 640, .top = 352, .width = 97,
     .height = 97, .foreColour = design::kBlack, .fillColour = design::kBlack},
}};
// clang-format on

// The controls whose text the core writes, by design name in the order of chart::TextControl.
inline constexpr std::array<std::string_view, chart::kTextControlCount> kTextControls{
    "Text1", "Text2", "Text3", "Text4", "Text5", "Label4", "Label20", "Label21"};

constexpr std::string_view nameOf(chart::TextControl control) {
  return kTextControls[chart::at(control)];
}

// The scroll bars by design name, in the order of chart::ScrollBar.
inline constexpr std::array<std::string_view, 2> kScrollBars{"HScroll1", "VScroll1"};

constexpr std::string_view nameOf(chart::ScrollBar bar) { return kScrollBars[chart::at(bar)]; }

// The cross-hair's lines by design name, in the order of chart::CrossHairLine.
inline constexpr std::array<std::string_view, 2> kCrossHairLines{"Line1", "Line2"};

constexpr std::string_view nameOf(chart::CrossHairLine line) {
  return kCrossHairLines[chart::at(line)];
}

// The control of this name; the table's end for an unknown name.
constexpr const ControlLayout* findControl(std::string_view name) {
  const auto* c = kForm4Layout.begin();
  while (c != kForm4Layout.end() && c->name != name) ++c;
  return c;
}

// What a read-out shows, as its description begins.
constexpr std::string_view quantityOf(chart::TextControl control) {
  const ControlLayout* c = findControl(nameOf(control));
  return c != kForm4Layout.end() ? c->accessibleDescription : std::string_view{};
}

// Every name of a list is a control of the table.
constexpr bool allInTable(const auto& names) {
  return std::all_of(names.begin(), names.end(),
                     [](std::string_view n) { return findControl(n) != kForm4Layout.end(); });
}
static_assert(allInTable(kTextControls) && allInTable(kScrollBars) && allInTable(kCrossHairLines));

// A control that the user types into, not only the core.
constexpr bool isEntry(chart::TextControl control) {
  const ControlLayout* c = findControl(nameOf(control));
  return c != kForm4Layout.end() && c->kind == ControlKind::TextBox;
}

constexpr bool isReadOut(chart::TextControl control) {
  const ControlLayout* c = findControl(nameOf(control));
  return c != kForm4Layout.end() && c->readOut;
}

// The read-outs that Tab reaches, in the order of chart::TextControl.
inline constexpr auto kReadOuts = [] {
  constexpr auto count = std::count_if(kForm4Layout.begin(), kForm4Layout.end(),
                                       [](const ControlLayout& c) { return c.readOut; });
  std::array<chart::TextControl, static_cast<std::size_t>(count)> readOuts{};
  auto next = readOuts.begin();
  for (std::size_t i = 0; i < chart::kTextControlCount; ++i) {
    const auto control = static_cast<chart::TextControl>(i);
    if (isReadOut(control) && next != readOuts.end()) *next++ = control;
  }
  return readOuts;
}();
static_assert(std::all_of(kReadOuts.begin(), kReadOuts.end(), isReadOut),
              "every read-out is a text the core writes");

// Windowed controls have a window of their own and lie above everything drawn on the
// window's surface (labels, lines and shapes).
constexpr bool isWindowed(ControlKind kind) {
  return kind != ControlKind::Label && kind != ControlKind::Line && kind != ControlKind::Shape;
}

constexpr bool takesFocus(ControlKind kind) { return isWindowed(kind); }
// Windowed controls and the read-outs that Tab stops at.
constexpr bool takesFocus(const ControlLayout& layout) {
  return takesFocus(layout.kind) || layout.readOut;
}

}  // namespace layout
