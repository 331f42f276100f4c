#include "ui/shape_control.h"

#include <QPainter>

#include "ui/outline.h"
#include "ui/pixel_cell.h"

namespace ui {

ShapeControl::ShapeControl(QWidget* container, const QRect& designRect)
    : QWidget(container),
      left_(static_cast<chart::ChartCoord>(designRect.left())),
      top_(static_cast<chart::ChartCoord>(designRect.top())) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(designRect);
}

void ShapeControl::setLeft(chart::ChartCoord left) {
  left_ = left;
  place();
}

void ShapeControl::setTop(chart::ChartCoord top) {
  top_ = top;
  place();
}

void ShapeControl::setBorderColour(const QColor& colour) {
  border_ = colour;
  update();
}

void ShapeControl::setFillColour(std::optional<QColor> colour) {
  fill_ = colour;
  update();
}

void ShapeControl::place() { move(pixelCell(left_), pixelCell(top_)); }

void ShapeControl::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (fill_) painter.fillRect(rect(), *fill_);
  fillOutline(painter, rect(), 1, border_);
}

}  // namespace ui
