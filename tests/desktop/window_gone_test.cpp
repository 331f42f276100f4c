// The program ends with its last window, however that window went: here another X client
// destroys a window outright, as a window manager or a tool may do.

#include <functional>
#include <memory>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "tests/desktop/pointer.h"
#include "ui/form10.h"
#include "ui/form4.h"
#include "ui/named_font.h"

namespace {

QWidget* form10() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == QLatin1String("Form10")) return widget;
  }
  return nullptr;
}

// Runs the event loop as the program does, with `steps` at its start, until it quits:
// 0 when the last window went, 2 when it was still running 10 seconds on.
int runProgram(const std::function<void()>& steps) {
  QTimer::singleShot(0, steps);
  QTimer::singleShot(10000, [] { QCoreApplication::exit(2); });
  return QCoreApplication::exec();
}

bool destroyOutside(QWidget* window) {
  return desktoptest::xdotool({QStringLiteral("windowclose"), QString::number(window->winId())});
}

}  // namespace

class WindowGoneTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::installNamedFont(); }

  void mainWindowDestroyed_programEndsWithTheDrawingWindow() {
    auto form = std::make_unique<ui::Form4>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    ui::Command4_Click();
    QWidget* drawing = form10();
    QVERIFY(QTest::qWaitForWindowExposed(drawing));
    bool drawingStayed = false;
    const int status = runProgram([&] {
      if (!destroyOutside(form.get()) || !QTest::qWaitFor([&] { return form->isHidden(); })) return;
      QTest::qWait(200);
      drawingStayed = drawing->isVisible();
      drawing->close();
    });
    QVERIFY(drawingStayed);
    QCOMPARE(status, 0);
  }

  void onlyWindowDestroyed_programEnds() {
    auto form = std::make_unique<ui::Form4>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(runProgram([&] { destroyOutside(form.get()); }), 0);
  }
};

QTEST_MAIN(WindowGoneTest)
#include "window_gone_test.moc"
