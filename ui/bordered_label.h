#pragma once

#include <QColor>
#include <QLabel>

namespace ui {

// A label with a 1-pixel single-line border of its own colour. QLabel's frame would be
// drawn in the text colour, and a read-out turning red must keep a black frame.
class BorderedLabel final : public QLabel {
 public:
  BorderedLabel(const QColor& borderColour, QWidget* parent);

  QColor borderColour() const { return border_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor border_;
};

}  // namespace ui
