#include "ui/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QMouseEvent>

namespace ui {
namespace {

QAccessibleInterface* announcerAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(Announcer::staticMetaObject.className())) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

}  // namespace

Announcer::Announcer(QWidget* parent, std::function<std::string()> words)
    : QWidget(parent), words_(std::move(words)) {
  static const bool accessibleAsNotification =
      (QAccessible::installFactory(announcerAccessible), true);
  (void)accessibleAsNotification;
  setObjectName(QStringLiteral("Announcer"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 0, 0);
  hide();
  qApp->installEventFilter(this);
}

void Announcer::readingChanged() {
  if (scheduled_) return;
  scheduled_ = true;
  QMetaObject::invokeMethod(this, &Announcer::deliver, Qt::QueuedConnection);
}

bool Announcer::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && waitingForRelease_) {
    waitingForRelease_ = false;
    readingChanged();
  }
  return false;
}

void Announcer::deliver() {
  scheduled_ = false;
  if (QGuiApplication::mouseButtons() != Qt::NoButton) {
    waitingForRelease_ = true;
    return;
  }
  const std::string words = words_();
  if (!words.empty()) announce(QString::fromStdString(words));
}

// A screen reader speaks a notification when it becomes showing; hiding it first makes
// every announcement a fresh one, even with the same words.
void Announcer::announce(const QString& words) {
  setAccessibleName(words);
  hide();
  show();
}

}  // namespace ui
