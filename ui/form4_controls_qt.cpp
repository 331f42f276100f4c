#include "ui/form4_controls_qt.h"

#include <utility>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "chart/checked.h"
#include "chart/reading_announcement.h"
#include "layout/form4_layout.h"
#include "ui/line_control.h"
#include "ui/qt_colour.h"
#include "ui/qt_text.h"
#include "ui/shape_control.h"
#include "ui/spoken_label.h"

namespace ui {

using chart::at;

QtForm4Controls::QtForm4Controls(const Form4Widgets& widgets) : w_(widgets) {
  for (std::size_t i = 0; i < w_.texts.size(); ++i)
    quantities_[i] = w_.texts[i]->accessibleDescription();
}

chart::ScrollValue QtForm4Controls::scrollValue(chart::ScrollBar bar) const {
  return static_cast<chart::ScrollValue>(w_.scrollBars[at(bar)]->value());
}

chart::ScrollValue QtForm4Controls::scrollMaximum(chart::ScrollBar bar) const {
  return static_cast<chart::ScrollValue>(w_.scrollBars[at(bar)]->maximum());
}

void QtForm4Controls::setScrollValue(chart::ScrollBar bar, chart::ScrollValue value) {
  QScrollBar* scrollBar = w_.scrollBars[at(bar)];
  if (value < scrollBar->minimum() || value > scrollBar->maximum()) {
    throw chart::ChartError(chart::Fault::InvalidPropertyValue);
  }
  // Emits valueChanged, and so runs the change handler, only when the value changes.
  scrollBar->setValue(value);
}

void QtForm4Controls::setScrollMaximum(chart::ScrollBar bar, chart::ScrollValue maximum) {
  QScrollBar* scrollBar = w_.scrollBars[at(bar)];
  if (maximum < scrollBar->minimum()) throw chart::ChartError(chart::Fault::InvalidPropertyValue);
  scrollBar->setMaximum(maximum);
}

chart::ChartCoord QtForm4Controls::lineEnd(chart::CrossHairLine line, chart::LineEnd end) const {
  return w_.lines[at(line)]->end(end);
}

void QtForm4Controls::setLineEnd(chart::CrossHairLine line, chart::LineEnd end,
                                 chart::ChartCoord value) {
  w_.lines[at(line)]->setEnd(end, value);
}

bool QtForm4Controls::lineVisible(chart::CrossHairLine line) const {
  return !w_.lines[at(line)]->isHidden();
}

void QtForm4Controls::setLineVisible(chart::CrossHairLine line, bool visible) {
  w_.lines[at(line)]->setVisible(visible);
}

chart::ChartCoord QtForm4Controls::markerLeft() const { return w_.marker->left(); }

chart::ChartCoord QtForm4Controls::markerTop() const { return w_.marker->top(); }

chart::ChartCoord QtForm4Controls::markerWidth() const {
  return static_cast<chart::ChartCoord>(w_.marker->width());
}

chart::ChartCoord QtForm4Controls::markerHeight() const {
  return static_cast<chart::ChartCoord>(w_.marker->height());
}

void QtForm4Controls::setMarkerLeft(chart::ChartCoord left) { w_.marker->setLeft(left); }

void QtForm4Controls::setMarkerTop(chart::ChartCoord top) { w_.marker->setTop(top); }

std::string QtForm4Controls::text(chart::TextControl control) const {
  const QWidget* widget = w_.texts[at(control)];
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text().toStdString();
  return static_cast<const QLabel*>(widget)->text().toStdString();
}

void QtForm4Controls::setText(chart::TextControl control, std::string_view text) {
  QWidget* widget = w_.texts[at(control)];
  const QString value = qText(text);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(value);
  } else if (auto* label = static_cast<QLabel*>(widget); label->text() != value) {
    label->setText(value);
    nameInputChanged(control);
  }
}

// The text colour is the palette colour of the role each widget draws its text with: Text
// for a line edit, the role set on each label.
chart::Colour QtForm4Controls::textColour(chart::TextControl control) const {
  const QWidget* widget = w_.texts[at(control)];
  return toColour(widget->palette().color(widget->foregroundRole()));
}

void QtForm4Controls::setTextColour(chart::TextControl control, chart::Colour colour) {
  QWidget* widget = w_.texts[at(control)];
  QPalette palette = widget->palette();
  const QColor wanted = toQColor(colour, palette);
  // Every reading rewrites every colour; a palette change costs a repaint, so skip equal ones.
  if (palette.color(widget->foregroundRole()) == wanted) return;
  palette.setColor(widget->foregroundRole(), wanted);
  widget->setPalette(palette);
}

// Called on every reading, red or not; only a real change reaches the screen reader.
void QtForm4Controls::setWarning(chart::TextControl control, std::string_view words) {
  QWidget* widget = w_.texts[at(control)];
  const QString& quantity = quantities_[at(control)];
  const QString description =
      QString::fromStdString(chart::describeReadOut(quantity.toStdString(), words));
  if (widget->accessibleDescription() == description) return;
  widget->setAccessibleDescription(description);
  nameInputChanged(control);
}

void QtForm4Controls::setSpokenNames(SpokenNames names) {
  names_ = std::move(names);
  for (const chart::TextControl control : ::layout::kReadOuts) {
    nameWhenAsked(static_cast<QLabel*>(w_.texts[at(control)]),
                  [this, control] { return QString::fromStdString(names_(control)); });
  }
}

// A read-out's name says its value, its unit (the delivery's with the class beside it) and
// why it is red: a change of any of them is a new name.
void QtForm4Controls::nameInputChanged(chart::TextControl control) {
  using chart::TextControl;
  if (control == TextControl::Label21) control = TextControl::Label20;
  if (::layout::isReadOut(control)) nameChanged_[at(control)] = true;
}

void QtForm4Controls::raiseNameChanges() {
  for (const chart::TextControl control : ::layout::kReadOuts) {
    if (!std::exchange(nameChanged_[at(control)], false) || !names_) continue;
    QAccessibleEvent event(w_.texts[at(control)], QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
}

}  // namespace ui
