// Both windows under a Wayland compositor (weston), driven by its real pointer: Qt draws
// the title bars there itself, maximise button included, and the fixed-size windows must
// stay as they are and the program running whatever the user clicks on them.

#include <memory>
#include <optional>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include "tests/desktop/pointer.h"
#include "tests/support/form4_probe.h"
#include "ui/form10.h"
#include "ui/form4.h"
#include "ui/named_font.h"

using namespace uitest;
using chart::ScrollBar;

namespace {

// Where a window's client area lies on the compositor's screen. A Wayland client is not
// told, so the pointer looks for it: a grid finer than the window, until the window sees it.
class ScreenFinder final : public QObject {
 public:
  std::optional<QPoint> find(QWidget* window) {
    QWindow* handle = window->windowHandle();
    handle->installEventFilter(this);
    std::optional<QPoint> origin;
    // A point off the window is passed after a short wait, and only where the whole grid went
    // unseen, as a busy machine may make it, is it walked again with patience.
    for (const int patience : {150, 1000}) {
      for (int y = 150; y < 1100 && !origin; y += 200) {
        for (int x = 150; x < 1500 && !origin; x += 300) {
          seen_.reset();
          if (!desktoptest::moveTo({x, y})) break;
          if (QTest::qWaitFor([this] { return seen_.has_value(); }, patience))
            origin = confirmed(QPoint(x, y) - *seen_);
        }
      }
      if (origin) break;
    }
    handle->removeEventFilter(this);
    return origin;
  }

 protected:
  // A late event of an earlier point would give a wrong origin: one more point must agree.
  std::optional<QPoint> confirmed(QPoint origin) {
    const QPoint inside(12, 12);
    seen_.reset();
    if (!desktoptest::moveTo(origin + inside)) return std::nullopt;
    const bool agrees = QTest::qWaitFor([&] { return seen_ == inside; }, 1000);
    return agrees ? std::optional<QPoint>(origin) : std::nullopt;
  }

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
      seen_ = static_cast<QSinglePointEvent*>(event)->position().toPoint();
    }
    return false;
  }

 private:
  std::optional<QPoint> seen_;
};

// Qt's own title bar: the maximise button is the second from the right, 18 pixels wide,
// 5 apart, 8 from the frame's right edge.
QPoint maximiseButton(QWidget* window) {
  const QMargins frame = window->windowHandle()->frameMargins();
  return {window->width() + frame.right() - 8 - 18 - 5 - 9, -frame.top() / 2};
}

QPoint closeButton(QWidget* window) { return maximiseButton(window) + QPoint(18 + 5, 0); }

QPoint titleMiddle(QWidget* window) {
  return {window->width() / 3, -window->windowHandle()->frameMargins().top() / 2};
}

QWidget* form10() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == QLatin1String("Form10")) return widget;
  }
  return nullptr;
}

}  // namespace

class WaylandTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    ui::installNamedFont();
    form_ = std::make_unique<ui::Form4>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    fixed_ = form_->size();
    const auto origin = ScreenFinder().find(form_.get());
    QVERIFY2(origin.has_value(), "the pointer never reached the main window");
    origin_ = *origin;
  }

  void cleanupTestCase() { form_.reset(); }

  void chartClick_movesTheCrossHair() {
    const QPoint chart = picture1(*form_)->client()->mapTo(form_.get(), QPoint(0, 0));
    QVERIFY(desktoptest::clickAt(origin_ + chart + QPoint(299, 199)));
    ui::QtForm4Controls& c = form_->controls();
    QTRY_COMPARE(c.scrollValue(ScrollBar::HScroll1), chart::ScrollValue{300});
    QCOMPARE(c.scrollValue(ScrollBar::VScroll1), chart::ScrollValue{200});
  }

  void keys_moveTheCrossHair() {
    ui::QtForm4Controls& c = form_->controls();
    const chart::ScrollValue before = c.scrollValue(ScrollBar::HScroll1);
    find<QScrollBar>(*form_, "HScroll1")->setFocus();
    QVERIFY(desktoptest::xdotool({QStringLiteral("key"), QStringLiteral("Right")}));
    QTRY_COMPARE(c.scrollValue(ScrollBar::HScroll1), static_cast<chart::ScrollValue>(before + 1));
  }

  void titleBar_leavesTheMainWindowAsItIs_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("clicks");
    QTest::newRow("maximise button") << maximiseButton(form_.get()) << 1;
    QTest::newRow("maximise button twice") << maximiseButton(form_.get()) << 2;
    QTest::newRow("title double-click") << titleMiddle(form_.get()) << 2;
  }

  void titleBar_leavesTheMainWindowAsItIs() {
    QFETCH(QPoint, at);
    QFETCH(int, clicks);
    QVERIFY(desktoptest::clickAt(origin_ + at, clicks));
    QTest::qWait(1500);
    QCOMPARE(form_->windowState(), Qt::WindowNoState);
    QCOMPARE(form_->size(), fixed_);
    QCOMPARE(form_->minimumSize(), fixed_);
    QCOMPARE(form_->maximumSize(), fixed_);
    // Still connected and still answering the pointer where it was.
    const auto origin = ScreenFinder().find(form_.get());
    QVERIFY(origin.has_value());
  }

  void maximiseButton_leavesTheDrawingWindowAsItIs() {
    ui::Command4_Click();
    QWidget* drawing = form10();
    QVERIFY(drawing != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(drawing));
    const QSize fixed = drawing->size();
    const auto origin = ScreenFinder().find(drawing);
    QVERIFY2(origin.has_value(), "the pointer never reached the drawing window");
    QVERIFY(desktoptest::clickAt(*origin + maximiseButton(drawing)));
    QTest::qWait(1500);
    QCOMPARE(drawing->windowState(), Qt::WindowNoState);
    QCOMPARE(drawing->size(), fixed);
    QCOMPARE(drawing->maximumSize(), fixed);

    // Its close box closes it alone.
    QVERIFY(desktoptest::clickAt(*origin + closeButton(drawing)));
    QTRY_VERIFY(drawing->isHidden());
    QVERIFY(form_->isVisible());
  }

 private:
  std::unique_ptr<ui::Form4> form_;
  QSize fixed_;
  QPoint origin_;
};

QTEST_MAIN(WaylandTest)
#include "wayland_test.moc"
