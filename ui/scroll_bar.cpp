#include "ui/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>

#include "chart/form4_controls.h"

namespace ui {
namespace {

constexpr chart::scales::BarQuantity kPlainValue{0.0, 1.0};

// A scroll bar whose value a screen reader hears as the speed or power it stands for.
class SpokenScrollBar final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit SpokenScrollBar(ScrollBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text what) const override {
    if (what == QAccessible::Value) {
      return QString::number(currentValue().toDouble(), 'f',
                             std::abs(quantity().perStep) < 1 ? 1 : 0);
    }
    return QAccessibleWidget::text(what);
  }

  QVariant currentValue() const override { return quantity().of(bar()->value()); }
  void setCurrentValue(const QVariant& value) override {
    const double steps = (value.toDouble() - quantity().atZero) / quantity().perStep;
    if (std::isfinite(steps))
      bar()->setValue(static_cast<int>(std::clamp(std::round(steps), -1e6, 1e6)));
  }
  QVariant maximumValue() const override { return std::max(ends().first, ends().second); }
  QVariant minimumValue() const override { return std::min(ends().first, ends().second); }
  QVariant minimumStepSize() const override { return std::abs(quantity().perStep); }

 private:
  ScrollBar* bar() const { return static_cast<ScrollBar*>(widget()); }
  // Asked on every call: the window says what a bar stands for after creating it.
  chart::scales::BarQuantity quantity() const {
    return bar()->spokenQuantity().value_or(kPlainValue);
  }
  std::pair<double, double> ends() const {
    return {quantity().of(bar()->minimum()), quantity().of(bar()->maximum())};
  }
};

QAccessibleInterface* scrollBarAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(QScrollBar::staticMetaObject.className())) return nullptr;
  auto* bar = dynamic_cast<ScrollBar*>(object);
  return bar != nullptr ? new SpokenScrollBar(bar) : nullptr;
}

}  // namespace

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
  // Before the first value event asks for the bar's interface.
  static const bool spoken = (QAccessible::installFactory(scrollBarAccessible), true);
  (void)spoken;
  setRange(0, chart::kStartScrollMaximum);
  setValue(0);
  setSingleStep(1);
  setPageStep(1);
  setTracking(false);
  setFocusPolicy(Qt::StrongFocus);
}

void ScrollBar::keyPressEvent(QKeyEvent* event) {
  SliderAction action = SliderNoAction;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      action = SliderSingleStepSub;
      break;
    case Qt::Key_Right:
    case Qt::Key_Down:
      action = SliderSingleStepAdd;
      break;
    case Qt::Key_PageUp:
      action = SliderPageStepSub;
      break;
    case Qt::Key_PageDown:
      action = SliderPageStepAdd;
      break;
    case Qt::Key_Home:
      action = SliderToMinimum;
      break;
    case Qt::Key_End:
      action = SliderToMaximum;
      break;
    default:
      QScrollBar::keyPressEvent(event);
      return;
  }
  triggerAction(action);
  event->accept();
}

}  // namespace ui
