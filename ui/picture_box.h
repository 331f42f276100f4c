#pragma once

#include <QFrame>
#include <QImage>
#include <QPointF>

#include "chart/units.h"
#include "ui/drawn_pixels.h"

namespace ui {

// A picture box: an optional 1-pixel border around a client area that shows a picture
// unscaled from its top-left corner. Controls placed inside the box are children of
// client(), so they are clipped to it. Mouse positions are reported as the client pixel
// under the pointer.
class PictureBox : public QFrame {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void setPicture(const QImage& picture);
  const QImage& picture() const noexcept { return picture_; }
  void setSingleBorder(bool single);
  void setColours(const QColor& foreground, const QColor& background);

  QWidget* client() const noexcept { return client_; }
  // The chart pixel drawn under a position in the box, as whole client coordinates.
  QPointF chartCell(QPointF boxPosition);

 signals:
  void mouseDown(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x, chart::ChartCoord y);
  void mouseMove(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x, chart::ChartCoord y);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPointF pointerPosition(const QMouseEvent& event) const;

  QImage picture_;
  QWidget* client_;
  DrawnPixels drawn_{0, 0};
};

}  // namespace ui
