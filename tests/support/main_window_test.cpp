#include "tests/support/main_window_test.h"

#include <QTest>

#include "ui/named_font.h"

namespace uitest {

void MainWindowTest::initTestCase() { ui::installNamedFont(); }

void MainWindowTest::init() {
  form_ = std::make_unique<ui::Form4>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  opened();
}

void MainWindowTest::cleanup() {
  closing();
  form_.reset();
}

}  // namespace uitest
