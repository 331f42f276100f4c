#include "ui/picture_box.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

#include "ui/mouse_masks.h"
#include "ui/outline.h"

namespace ui {
namespace {

class PictureClient final : public QWidget {
 public:
  PictureClient(PictureBox* box) : QWidget(box), box_(box) {
    // The box takes the mouse itself, border included; the controls inside only show.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    // At display scales above 1 every chart pixel must stay one solid block, in step with
    // the cross-hair lines drawn over it: nearest neighbour, never smoothed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Qt hands a draw of more than about a hundred device rows to its thread pool; for a
    // cross-hair move the hand-over takes longer than the copy. So the picture is drawn in
    // bands of fewer rows, each band a clip on the same whole-picture draw, which puts every
    // pixel where a single draw would; bands overlap by a row, leaving no seam at
    // fractional scales.
    constexpr int kDeviceRowsPerDraw = 64;
    const int band = std::max(1, static_cast<int>(kDeviceRowsPerDraw / devicePixelRatioF()) - 1);
    const QRect dirty = event->rect();
    for (int top = dirty.top(); top <= dirty.bottom(); top += band) {
      painter.setClipRegion(event->region() & QRect(dirty.left(), top, dirty.width(), band + 1));
      painter.drawImage(0, 0, box_->picture());
    }
  }

 private:
  PictureBox* box_;
};

// Screen readers would call a QFrame a frame, as if it were a window; a picture box is a
// picture.
QAccessibleInterface* pictureBoxAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(PictureBox::staticMetaObject.className())) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent), client_(new PictureClient(this)) {
  static const bool accessibleAsPicture = (QAccessible::installFactory(pictureBoxAccessible), true);
  (void)accessibleAsPicture;
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setPicture(const QImage& picture) {
  // Pictures of fewer bits are converted once to the backing store's own format; one of
  // 32 bits is drawn as it is, without a copy.
  picture_ = picture.depth() == 32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
  drawn_ = DrawnPixels(picture_.width(), picture_.height());
  client_->update();
}

void PictureBox::setSingleBorder(bool single) {
  setFrameShape(single ? QFrame::Box : QFrame::NoFrame);
  setFrameShadow(QFrame::Plain);
  setLineWidth(1);
  client_->setGeometry(contentsRect());
}

void PictureBox::setColours(const QColor& foreground, const QColor& background) {
  QPalette boxPalette = palette();
  boxPalette.setColor(QPalette::WindowText, foreground);
  boxPalette.setColor(QPalette::Window, background);
  setPalette(boxPalette);
  setAutoFillBackground(true);
}

QPointF PictureBox::chartCell(QPointF boxPosition) {
  const QPointF at = mapTo(window(), boxPosition);
  const QPointF origin = mapTo(window(), QPointF(contentsRect().topLeft()));
  return drawn_.cellAt(at, origin, devicePixelRatioF());
}

// Qt hands a widget its mouse position rounded to whole logical pixels; at fractional
// display scales the fraction says which device pixel the pointer is on. The window-relative
// position keeps it. An event made without one carries the widget position there instead.
QPointF PictureBox::pointerPosition(const QMouseEvent& event) const {
  const QPointF rounded = mapTo(window(), event.position());
  const QPointF exact = event.scenePosition();
  const QPointF gap = exact - rounded;
  return std::abs(gap.x()) < 1 && std::abs(gap.y()) < 1 ? mapFrom(window(), exact)
                                                        : event.position();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  const QPointF cell = chartCell(pointerPosition(*event));
  emit mouseDown(buttonMask(event->button()), shiftMask(event->modifiers()),
                 static_cast<chart::ChartCoord>(cell.x()),
                 static_cast<chart::ChartCoord>(cell.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPointF cell = chartCell(pointerPosition(*event));
  emit mouseMove(buttonMask(event->buttons()), shiftMask(event->modifiers()),
                 static_cast<chart::ChartCoord>(cell.x()),
                 static_cast<chart::ChartCoord>(cell.y()));
}

// The border as four filled bands: at fractional display scales QFrame's stroked outline
// lands a device pixel off the chart's edge and leaves a sliver of background between
// them; fills follow the same pixel rule as the chart picture and the cross-hair.
void PictureBox::paintEvent(QPaintEvent* /*event*/) {
  const int width = frameWidth();
  if (width == 0) return;
  QPainter painter(this);
  fillOutline(painter, rect(), width, palette().color(QPalette::WindowText));
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  client_->setGeometry(contentsRect());
}

}  // namespace ui
