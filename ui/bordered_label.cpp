#include "ui/bordered_label.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "ui/named_font.h"
#include "ui/outline.h"

namespace ui {

BorderedLabel::BorderedLabel(const QColor& borderColour, QWidget* parent)
    : QLabel(parent), border_(borderColour) {
  // The outline face that stands in on scaled displays draws its digits close to the
  // left and top of their box, where the bitmap face leaves a pixel or more.
  const int gap = displayScaled() ? 2 : 1;
  setContentsMargins(gap, gap, 1, 1);
}

void BorderedLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  QPainter painter(this);
  fillOutline(painter, rect(), 1, border_);
  // A read-out that Tab reaches shows that it has the focus, inside its border.
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(2, 2, -2, -2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

}  // namespace ui
