#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

namespace ui {

// An outline as four filled bands, `width` pixels thick inside `box`. A stroked rectangle
// does not promise to cover exactly the outermost pixels, least of all at fractional
// display scales; fills follow the same pixel rule as the pictures they frame.
inline void fillOutline(QPainter& painter, const QRect& box, int width, const QColor& colour) {
  painter.fillRect(QRect(box.left(), box.top(), box.width(), width), colour);
  painter.fillRect(QRect(box.left(), box.bottom() - width + 1, box.width(), width), colour);
  painter.fillRect(QRect(box.left(), box.top(), width, box.height()), colour);
  painter.fillRect(QRect(box.right() - width + 1, box.top(), width, box.height()), colour);
}

}  // namespace ui
