#pragma once

#include <array>

#include <QColor>
#include <QWidget>

#include "chart/form4_controls.h"

namespace ui {

// A 1-pixel solid line between two points given in the container's pixels. The end
// points keep the values written, fractions included; the line is drawn through the
// pixels whose cells contain them.
class LineControl final : public QWidget {
 public:
  explicit LineControl(QWidget* container);

  chart::ChartCoord end(chart::LineEnd which) const;
  void setEnd(chart::LineEnd which, chart::ChartCoord value);
  void setColour(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void place();

  std::array<chart::ChartCoord, 4> ends_{};
  QColor colour_ = Qt::black;
};

}  // namespace ui
