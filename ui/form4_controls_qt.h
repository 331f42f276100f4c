#pragma once

#include <array>

#include <QString>

#include "chart/form4_controls.h"

class QScrollBar;
class QWidget;

namespace ui {

class LineControl;
class ShapeControl;

// The widgets that the core reads and writes, indexed by the core's enums.
struct Form4Widgets {
  std::array<QScrollBar*, 2> scrollBars{};  // HScroll1, VScroll1
  std::array<LineControl*, 2> lines{};  // Line1, Line2
  ShapeControl* marker = nullptr;  // Shape2
  std::array<QWidget*, chart::kTextControlCount> texts{};  // line edits and labels
};

// Form4Controls over the real widgets. Qt's scroll bars clamp an out-of-range value
// silently; here it is refused, as the core expects. A bar's change event is its
// valueChanged signal, which the window connects to the core.
class QtForm4Controls final : public chart::Form4Controls {
 public:
  explicit QtForm4Controls(const Form4Widgets& widgets);

  chart::ScrollValue scrollValue(chart::ScrollBar bar) const override;
  chart::ScrollValue scrollMaximum(chart::ScrollBar bar) const override;
  void setScrollValue(chart::ScrollBar bar, chart::ScrollValue value) override;
  void setScrollMaximum(chart::ScrollBar bar, chart::ScrollValue maximum) override;

  chart::ChartCoord lineEnd(chart::CrossHairLine line, chart::LineEnd end) const override;
  void setLineEnd(chart::CrossHairLine line, chart::LineEnd end, chart::ChartCoord value) override;
  bool lineVisible(chart::CrossHairLine line) const override;
  void setLineVisible(chart::CrossHairLine line, bool visible) override;

  chart::ChartCoord markerLeft() const override;
  chart::ChartCoord markerTop() const override;
  chart::ChartCoord markerWidth() const override;
  chart::ChartCoord markerHeight() const override;
  void setMarkerLeft(chart::ChartCoord left) override;
  void setMarkerTop(chart::ChartCoord top) override;

  std::string text(chart::TextControl control) const override;
  void setText(chart::TextControl control, std::string_view text) override;
  chart::Colour textColour(chart::TextControl control) const override;
  void setTextColour(chart::TextControl control, chart::Colour colour) override;
  // A screen reader hears why a read-out is red from its accessible description: the
  // quantity it shows, that it is outside the permitted region, and why.
  void setWarning(chart::TextControl control, std::string_view words) override;
  // The read-outs that Tab reaches are named from `names` when a screen reader asks.
  void setSpokenNames(SpokenNames names) override;
  // Tells screen readers of each read-out name that changed since the last call: once an
  // event's handler is over, when the reading has written the texts and the warnings.
  void raiseNameChanges();

 private:
  void nameInputChanged(chart::TextControl control);

  Form4Widgets w_;
  std::array<QString, chart::kTextControlCount> quantities_;  // accessible descriptions as built
  SpokenNames names_;
  std::array<bool, chart::kTextControlCount> nameChanged_{};
};

}  // namespace ui
