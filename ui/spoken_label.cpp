#include "ui/spoken_label.h"

#include <utility>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace ui {
namespace {

// Held by the label as a child, so it goes with the label.
class NameSource final : public QObject {
 public:
  NameSource(std::function<QString()> name, QLabel* label)
      : QObject(label), name_(std::move(name)) {}
  QString name() const { return name_(); }

 private:
  std::function<QString()> name_;
};

const NameSource* sourceOf(const QObject* object) {
  for (const QObject* child : object->children()) {
    if (const auto* source = dynamic_cast<const NameSource*>(child)) return source;
  }
  return nullptr;
}

// A text label as Qt's own interface shows it, but named from its source.
class SpokenLabel final : public QAccessibleWidget {
 public:
  explicit SpokenLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text what) const override {
    // Looked up on every call: the source goes before the label's interface does.
    const NameSource* source = what == QAccessible::Name ? sourceOf(object()) : nullptr;
    return source != nullptr ? source->name() : QAccessibleWidget::text(what);
  }
};

QAccessibleInterface* spokenLabelAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(QLabel::staticMetaObject.className()) ||
      sourceOf(object) == nullptr)
    return nullptr;
  return new SpokenLabel(static_cast<QLabel*>(object));
}

}  // namespace

void nameWhenAsked(QLabel* label, std::function<QString()> name) {
  static const bool installed = (QAccessible::installFactory(spokenLabelAccessible), true);
  (void)installed;
  // Set once, the label's own name keeps QLabel from announcing each new text itself,
  // before the reading has written why it is red; the interface builds the current name.
  label->setAccessibleName(name());
  new NameSource(std::move(name), label);
  // An interface made while the window was built, before the source, would keep Qt's name.
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
  if (face != nullptr && dynamic_cast<SpokenLabel*>(face) == nullptr) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(face));
  }
}

}  // namespace ui
