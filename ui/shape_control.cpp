#include "ui/shape_control.h"

#include <QPainter>

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
  // Four 1-pixel bands: the outline covers exactly the outermost pixels, which a stroked
  // rectangle does not promise.
  const int w = width();
  const int h = height();
  painter.fillRect(0, 0, w, 1, border_);
  painter.fillRect(0, h - 1, w, 1, border_);
  painter.fillRect(0, 0, 1, h, border_);
  painter.fillRect(w - 1, 0, 1, h, border_);
}

}  // namespace ui
