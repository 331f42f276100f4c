#include "ui/bordered_label.h"

#include <QPainter>

namespace ui {

BorderedLabel::BorderedLabel(const QColor& borderColour, QWidget* parent) : QLabel(parent), border_(borderColour) {
  setContentsMargins(1, 1, 1, 1);
}

void BorderedLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  QPainter painter(this);
  const int w = width();
  const int h = height();
  painter.fillRect(0, 0, w, 1, border_);
  painter.fillRect(0, h - 1, w, 1, border_);
  painter.fillRect(0, 0, 1, h, border_);
  painter.fillRect(w - 1, 0, 1, h, border_);
}

}  // namespace ui
