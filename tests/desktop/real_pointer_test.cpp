// Clicks on the chart with the X server's own pointer, at the display scale the test runs
// at, read the chart pixel drawn under the pointer: the events come through the window
// system, not through QTest.

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

#include <QTest>

#include "tests/desktop/pointer.h"
#include "tests/support/form4_probe.h"
#include "ui/form4.h"
#include "ui/named_font.h"

using namespace uitest;
using chart::ScrollBar;

namespace {

// Window-local logical position that lands on whole device pixels at 1.25, 1.5 and 2.
constexpr QPoint kWindowAt(40, 40);

// Chart columns of the grid lines at 4000 to 6500 1/min, and rows of some power lines.
constexpr int kGridColumns[] = {199, 249, 299, 349, 399, 449};
constexpr int kGridRows[] = {82, 151, 231, 341};

// Every device pixel that shows chart pixels around `pixel`, one either side included.
std::vector<int> devicePixelsAround(const std::vector<int>& mapping, int pixel) {
  std::vector<int> devices;
  for (std::size_t d = 0; d < mapping.size(); ++d) {
    if (mapping[d] >= pixel - 1 && mapping[d] <= pixel + 1) devices.push_back(static_cast<int>(d));
  }
  return devices;
}

}  // namespace

class RealPointerTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    ui::installNamedFont();
    form_ = std::make_unique<ui::Form4>();
    form_->move(kWindowAt);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    mapping_ = chartMapping(*form_);
    // No window manager: the window's client area starts where it was placed.
    origin_ = (QPointF(form_->mapToGlobal(QPoint(0, 0))) * form_->devicePixelRatioF()).toPoint();
  }

  void cleanupTestCase() { form_.reset(); }

  void click_readsTheColumnDrawnUnderThePointer() {
    clickAround(ScrollBar::HScroll1, kGridColumns);
  }

  void click_readsTheRowDrawnUnderThePointer() { clickAround(ScrollBar::VScroll1, kGridRows); }

 private:
  // Clicks every device pixel around each grid line across the chart's middle, and reads the
  // chart pixel drawn there off the bar.
  void clickAround(ScrollBar bar, std::span<const int> gridLines) {
    const bool columns = bar == ScrollBar::HScroll1;
    const std::vector<int>& along = columns ? mapping_.column : mapping_.row;
    const std::vector<int>& across = columns ? mapping_.row : mapping_.column;
    const int middle =
        static_cast<int>(std::ranges::find(across, columns ? 200 : 250) - across.begin());
    const char* what = columns ? "column" : "row";
    ui::QtForm4Controls& c = form_->controls();
    for (const int line : gridLines) {
      for (const int d : devicePixelsAround(along, line)) {
        c.setScrollValue(bar, 0);
        QVERIFY(desktoptest::clickAt(origin_ + (columns ? QPoint(d, middle) : QPoint(middle, d))));
        const int expected = along[static_cast<std::size_t>(d)] + 1;
        QTRY_VERIFY2(c.scrollValue(bar) == expected,
                     qPrintable(QStringLiteral("device %1 %2 shows chart %1 %3 but read %4")
                                    .arg(what)
                                    .arg(d)
                                    .arg(expected - 1)
                                    .arg(c.scrollValue(bar) - 1)));
      }
    }
  }

  std::unique_ptr<ui::Form4> form_;
  ChartMapping mapping_;
  QPoint origin_;
};

QTEST_MAIN(RealPointerTest)
#include "real_pointer_test.moc"
