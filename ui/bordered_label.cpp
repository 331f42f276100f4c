#include "ui/bordered_label.h"

#include <QPainter>

namespace ui {

BorderedLabel::BorderedLabel(const QColor& borderColour, QWidget* parent) : QLabel(parent), border_(borderColour) {
  setContentsMargins(1, 1, 1, 1);
}

void BorderedLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  QPainter painter(this);
  painter.setPen(QPen(border_, 0));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace ui
