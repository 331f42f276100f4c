#pragma once

#include <optional>

#include <QScrollBar>

#include "chart/scales.h"

namespace ui {

// A scroll bar as the window's cross-hair needs it: 0 to chart::kStartScrollMaximum at value 0,
// steps of 1 for arrows, trough and keys, and a value that changes only when a dragged thumb is
// let go.
class ScrollBar final : public QScrollBar {
 public:
  ScrollBar(Qt::Orientation orientation, QWidget* parent);

  // What the value stands for, as a screen reader says it; without one it says the value.
  void setSpokenQuantity(chart::scales::BarQuantity quantity) { spoken_ = quantity; }
  const std::optional<chart::scales::BarQuantity>& spokenQuantity() const noexcept {
    return spoken_;
  }

 protected:
  // Qt's scroll bars invert their controls so that the wheel scrolls the right way, which
  // swaps Left and Right on a horizontal bar; keys are mapped here as the arrows point.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::optional<chart::scales::BarQuantity> spoken_;
};

}  // namespace ui
