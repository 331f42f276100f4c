#include "ui/line_control.h"

#include <algorithm>

#include <QPainter>

#include "ui/pixel_cell.h"

namespace ui {

using chart::at;

LineControl::LineControl(QWidget* container) : QWidget(container) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  place();
}

chart::ChartCoord LineControl::end(chart::LineEnd which) const { return ends_[at(which)]; }

void LineControl::setEnd(chart::LineEnd which, chart::ChartCoord value) {
  ends_[at(which)] = value;
  place();
}

void LineControl::setColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void LineControl::place() {
  using enum chart::LineEnd;
  const int x1 = pixelCell(ends_[at(X1)]);
  const int y1 = pixelCell(ends_[at(Y1)]);
  const int x2 = pixelCell(ends_[at(X2)]);
  const int y2 = pixelCell(ends_[at(Y2)]);
  setGeometry(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                    QPoint(std::max(x1, x2), std::max(y1, y2))));
}

void LineControl::paintEvent(QPaintEvent* /*event*/) {
  using enum chart::LineEnd;
  QPainter painter(this);
  if (width() == 1 || height() == 1) {
    painter.fillRect(rect(), colour_);
    return;
  }
  // Only a slanted line needs the line drawing; the cross-hair never is one.
  const QPoint origin = geometry().topLeft();
  painter.setPen(QPen(colour_, 0));
  painter.drawLine(QPoint(pixelCell(ends_[at(X1)]), pixelCell(ends_[at(Y1)])) - origin,
                   QPoint(pixelCell(ends_[at(X2)]), pixelCell(ends_[at(Y2)])) - origin);
}

}  // namespace ui
