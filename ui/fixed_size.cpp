#include "ui/fixed_size.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace ui {
namespace {

constexpr Qt::WindowStates kEnlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

class FixedSizeGuard final : public QObject {
 public:
  FixedSizeGuard(QWidget* window, QSize size) : QObject(window), window_(window), size_(size) {
    window_->setFixedSize(size_);
    window_->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Show && handle_ == nullptr) hook();
    // The window system's word on the state comes to the QWindow, whether or not it
    // differs from the state last asked for.
    if (watched == handle_ && event->type() == QEvent::WindowStateChange && event->spontaneous()) {
      // Asked of the QWindow, since the widget has not heard of the new state yet, and only
      // once Qt has finished taking the state in: it reports the state before that.
      if (handle_->windowStates() & kEnlarged) {
        QTimer::singleShot(
            0, this, [this] { handle_->setWindowStates(handle_->windowStates() & ~kEnlarged); });
      } else if (released_) {
        // After the size that came with the state, which the widget has not seen yet.
        released_ = false;
        QTimer::singleShot(0, this, [this] { window_->setFixedSize(size_); });
      }
    }
    return false;
  }

 private:
  // The window's own title bar asks through the QWindow, before the compositor answers:
  // by then the size must be free to follow.
  void hook() {
    handle_ = window_->windowHandle();
    if (handle_ == nullptr) return;
    handle_->installEventFilter(this);
    connect(handle_, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
      if ((state & kEnlarged) == 0 || released_) return;
      released_ = true;
      window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    });
  }

  QWidget* window_;
  QSize size_;
  QWindow* handle_ = nullptr;
  bool released_ = false;
};

}  // namespace

void keepFixedSize(QWidget* window, QSize size) { new FixedSizeGuard(window, size); }

}  // namespace ui
