#include "ui/accessible_entry.h"

#include <algorithm>
#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

namespace ui {
namespace {

class AccessibleEntry final : public QAccessibleWidget,
                              public QAccessibleTextInterface,
                              public QAccessibleEditableTextInterface {
 public:
  explicit AccessibleEntry(QLineEdit* entry)
      : QAccessibleWidget(entry, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
      return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text what) const override {
    if (what == QAccessible::Value) return entry()->text();
    return QAccessibleWidget::text(what);
  }
  void setText(QAccessible::Text what, const QString& text) override {
    if (what != QAccessible::Value) {
      QAccessibleWidget::setText(what, text);
    } else if (!entry()->isReadOnly()) {
      entry()->setText(text);
    }
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !entry()->isReadOnly();
    state.readOnly = entry()->isReadOnly();
    state.selectableText = true;
    return state;
  }

  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !entry()->hasSelectedText()) return;
    *start = entry()->selectionStart();
    *end = *start + entry()->selectionLength();
  }
  int selectionCount() const override { return entry()->hasSelectedText() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int index) override {
    if (index == 0) entry()->deselect();
  }
  void setSelection(int index, int start, int end) override {
    if (index == 0) entry()->setSelection(clamp(start), clamp(end) - clamp(start));
  }
  int cursorPosition() const override { return entry()->cursorPosition(); }
  void setCursorPosition(int position) override { entry()->setCursorPosition(clamp(position)); }
  QString text(int start, int end) const override {
    return entry()->text().mid(clamp(start), std::max(0, clamp(end) - clamp(start)));
  }
  int characterCount() const override { return static_cast<int>(entry()->text().size()); }
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override {
    return entry()->cursorPositionAt(entry()->mapFromGlobal(point));
  }
  void scrollToSubstring(int /*start*/, int /*end*/) override {}
  // No attributes, in one run over the whole text: readers that walk the runs to split the
  // text by language must meet every character.
  QString attributes(int /*offset*/, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

  void deleteText(int start, int end) override { replaceText(start, end, {}); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int start, int end, const QString& text) override {
    if (entry()->isReadOnly()) return;
    QString value = entry()->text();
    value.replace(clamp(start), std::max(0, clamp(end) - clamp(start)), text);
    entry()->setText(value);
  }

 private:
  QLineEdit* entry() const { return static_cast<QLineEdit*>(widget()); }
  int clamp(int offset) const { return std::clamp(offset, 0, characterCount()); }
};

// Measured from the caret, the one place in the text that QLineEdit reports.
QRect AccessibleEntry::characterRect(int offset) const {
  const QString value = entry()->text();
  if (offset < 0 || offset >= value.size()) return {};
  const QRect caret = entry()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const QFontMetrics metrics = entry()->fontMetrics();
  const int x = caret.x() + metrics.horizontalAdvance(value.left(offset)) -
                metrics.horizontalAdvance(value.left(entry()->cursorPosition()));
  const QRect local(x, caret.y(), metrics.horizontalAdvance(value.at(offset)), caret.height());
  return {entry()->mapToGlobal(local.topLeft()), local.size()};
}

QAccessibleInterface* entryAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(QLineEdit::staticMetaObject.className())) return nullptr;
  return new AccessibleEntry(static_cast<QLineEdit*>(object));
}

// While the focus moves onto or off an entry, the caret and selection events that the
// entry's own focus handling raises are held back until Qt has reported the new focus.
// Orca takes a caret event from an object that is not yet its focus as a silent move of
// the focus, and then says nothing when the focus event follows; a selection dropped on
// the way out it says as "Text unselected". Orca presents the text and its selection with
// the focus anyway.
std::vector<QObject*> held;
bool holding = false;
QAccessible::UpdateHandler previousHandler = nullptr;

void endHold() {
  held.clear();
  if (!holding) return;
  holding = false;
  QAccessible::installUpdateHandler(previousHandler);
}

void holdEntryEventsUntilFocus(QAccessibleEvent* event) {
  const QAccessible::Event type = event->type();
  const bool caretOrSelection =
      type == QAccessible::TextCaretMoved || type == QAccessible::TextSelectionChanged;
  if (caretOrSelection && std::ranges::find(held, event->object()) != held.end()) return;
  if (type == QAccessible::Focus) {
    endHold();
    QAccessible::updateAccessibility(event);
    return;
  }
  // Passed on as if this handler were not there: with no previous handler, that is the
  // platform's bridge.
  QAccessible::installUpdateHandler(previousHandler);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(holdEntryEventsUntilFocus);
}

void hold(QObject* entry) {
  held.push_back(entry);
  if (holding) return;
  holding = true;
  previousHandler = QAccessible::installUpdateHandler(holdEntryEventsUntilFocus);
  // Should Qt report no new focus (the window lost it), the hold ends with the event.
  QMetaObject::invokeMethod(qApp, &endHold, Qt::QueuedConnection);
}

class FocusFirst final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool focusMoves = event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut;
    if (focusMoves && QAccessible::isActive()) hold(watched);
    return false;
  }
};

}  // namespace

void installEntryAccessibility() {
  static const bool whole = (QAccessible::installFactory(entryAccessible), true);
  (void)whole;
}

void makeEntryAccessible(QLineEdit* entry) { entry->installEventFilter(new FocusFirst(entry)); }

}  // namespace ui
