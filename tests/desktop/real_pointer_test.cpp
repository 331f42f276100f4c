// Clicks on the chart with the X server's own pointer, at the display scale the test runs
// at, read the chart pixel drawn under the pointer: the events come through the window
// system, not through QTest.

#include <memory>
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
    const int row = static_cast<int>(std::ranges::find(mapping_.row, 200) - mapping_.row.begin());
    ui::QtForm4Controls& c = form_->controls();
    for (const int column : kGridColumns) {
      for (const int d : devicePixelsAround(mapping_.column, column)) {
        c.setScrollValue(ScrollBar::HScroll1, 0);
        QVERIFY(desktoptest::clickAt(origin_ + QPoint(d, row)));
        const int expected = mapping_.column[static_cast<std::size_t>(d)] + 1;
        QTRY_VERIFY2(c.scrollValue(ScrollBar::HScroll1) == expected,
                     qPrintable(QStringLiteral("device column %1 shows chart column %2 but read %3")
                                    .arg(d)
                                    .arg(expected - 1)
                                    .arg(c.scrollValue(ScrollBar::HScroll1) - 1)));
      }
    }
  }

  void click_readsTheRowDrawnUnderThePointer() {
    const int column =
        static_cast<int>(std::ranges::find(mapping_.column, 250) - mapping_.column.begin());
    ui::QtForm4Controls& c = form_->controls();
    for (const int row : kGridRows) {
      for (const int e : devicePixelsAround(mapping_.row, row)) {
        c.setScrollValue(ScrollBar::VScroll1, 0);
        QVERIFY(desktoptest::clickAt(origin_ + QPoint(column, e)));
        const int expected = mapping_.row[static_cast<std::size_t>(e)] + 1;
        QTRY_VERIFY2(c.scrollValue(ScrollBar::VScroll1) == expected,
                     qPrintable(QStringLiteral("device row %1 shows chart row %2 but read %3")
                                    .arg(e)
                                    .arg(expected - 1)
                                    .arg(c.scrollValue(ScrollBar::VScroll1) - 1)));
      }
    }
  }

 private:
  std::unique_ptr<ui::Form4> form_;
  ChartMapping mapping_;
  QPoint origin_;
};

QTEST_MAIN(RealPointerTest)
#include "real_pointer_test.moc"
