#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "chart/units.h"

namespace chart {

enum class ScrollBar { HScroll1, VScroll1 };
enum class CrossHairLine { Line1, Line2 };
enum class LineEnd { X1, Y1, X2, Y2 };
// Controls whose text and text colour the core reads or writes; labels show their caption.
enum class TextControl { Text1, Text2, Text3, Text4, Text5, Label4, Label20, Label21 };
inline constexpr std::size_t kTextControlCount = static_cast<std::size_t>(TextControl::Label21) + 1;
// The belt calculator's entries: motor speed, motor pulley, air-end pulley.
inline constexpr std::array kBeltEntries{TextControl::Text3, TextControl::Text4,
                                         TextControl::Text5};
// A scroll bar's maximum before the window sets its own: the largest 16-bit value.
inline constexpr ScrollValue kStartScrollMaximum = 32767;

// A control's place in the order of its kind's enum, for arrays that hold one entry a control.
template <typename Control>
constexpr std::size_t at(Control control) {
  return static_cast<std::size_t>(control);
}

// The main window's controls as the core sees them. The window implements it with real
// widgets, the tests with plain values; both keep the same contract.
class Form4Controls {
 public:
  virtual ~Form4Controls() = default;

  virtual ScrollValue scrollValue(ScrollBar bar) const = 0;
  virtual ScrollValue scrollMaximum(ScrollBar bar) const = 0;
  // Changing the value runs the bar's change handler before returning; assigning the
  // current value runs nothing; a value outside 0..maximum throws
  // ChartError(Fault::InvalidPropertyValue) and leaves the bar as it was.
  virtual void setScrollValue(ScrollBar bar, ScrollValue value) = 0;
  virtual void setScrollMaximum(ScrollBar bar, ScrollValue maximum) = 0;

  virtual ChartCoord lineEnd(CrossHairLine line, LineEnd end) const = 0;
  virtual void setLineEnd(CrossHairLine line, LineEnd end, ChartCoord value) = 0;
  virtual bool lineVisible(CrossHairLine line) const = 0;
  virtual void setLineVisible(CrossHairLine line, bool visible) = 0;

  // The marker Shape2.
  virtual ChartCoord markerLeft() const = 0;
  virtual ChartCoord markerTop() const = 0;
  virtual ChartCoord markerWidth() const = 0;
  virtual ChartCoord markerHeight() const = 0;
  virtual void setMarkerLeft(ChartCoord left) = 0;
  virtual void setMarkerTop(ChartCoord top) = 0;

  virtual std::string text(TextControl control) const = 0;
  virtual void setText(TextControl control, std::string_view text) = 0;
  virtual Colour textColour(TextControl control) const = 0;
  virtual void setTextColour(TextControl control, Colour colour) = 0;

  // Why a read-out shows red, in words, or empty when it is black. Only screen readers
  // need it, so controls without one may ignore it.
  virtual void setWarning(TextControl /*control*/, std::string_view /*words*/) {}
  // Where a screen reader's words for the read-outs that Tab reaches (Label4, Label20) come
  // from, given once at load: they are built only when somebody asks for them, since
  // building them on every reading made it a third slower. Empty for other controls.
  using SpokenNames = std::function<std::string(TextControl)>;
  virtual void setSpokenNames(SpokenNames /*names*/) {}
};

}  // namespace chart
