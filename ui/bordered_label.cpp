#include "ui/bordered_label.h"

#include <QPainter>

#include "ui/outline.h"

namespace ui {

BorderedLabel::BorderedLabel(const QColor& borderColour, QWidget* parent) : QLabel(parent), border_(borderColour) {
  setContentsMargins(1, 1, 1, 1);
}

void BorderedLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  QPainter painter(this);
  fillOutline(painter, rect(), 1, border_);
}

}  // namespace ui
