#pragma once

#include <optional>

#include <QColor>
#include <QWidget>

#include "chart/units.h"

namespace ui {

// A rectangle with a 1-pixel solid border and an optional solid fill. Its position keeps
// the values written, fractions included; it is drawn from the pixel whose cell
// contains them.
class ShapeControl final : public QWidget {
 public:
  ShapeControl(QWidget* container, const QRect& designRect);

  chart::ChartCoord left() const noexcept { return left_; }
  chart::ChartCoord top() const noexcept { return top_; }
  void setLeft(chart::ChartCoord left);
  void setTop(chart::ChartCoord top);

  void setBorderColour(const QColor& colour);
  void setFillColour(std::optional<QColor> colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void place();

  chart::ChartCoord left_;
  chart::ChartCoord top_;
  QColor border_ = Qt::black;
  std::optional<QColor> fill_;
};

}  // namespace ui
