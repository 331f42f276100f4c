#include "ui/window_gone.h"

#include <vector>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <xcb/xcb.h>

namespace ui {
namespace {

class DestroyedWindowFilter final : public QAbstractNativeEventFilter {
 public:
  void watch(QWidget* window) { windows_.emplace_back(window); }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY) return false;
    const xcb_window_t gone = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
    for (const QPointer<QWidget>& window : windows_) {
      if (window.isNull() || window->internalWinId() != gone) continue;
      // Closed as if by its close box, once Qt is done with the event.
      QTimer::singleShot(0, window, [window] { window->close(); });
    }
    return false;
  }

 private:
  std::vector<QPointer<QWidget>> windows_;
};

}  // namespace

void closeWhenDestroyedOutside(QWidget* window) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  static DestroyedWindowFilter* filter = [] {
    auto* installed = new DestroyedWindowFilter;
    QCoreApplication::instance()->installNativeEventFilter(installed);
    return installed;
  }();
  filter->watch(window);
}

}  // namespace ui
