// The outline drawing window, opened the way the "Air End" button opens it. The window lives for
// the whole run, so the cases run in order: nothing exists until the first click.

#include "ui/form10.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTest>

#include "ui/embedded_pictures.h"
#include "ui/named_font.h"

namespace {

constexpr QSize kDrawingSize(560, 400);

QList<QWidget*> drawingWindows() {
  QList<QWidget*> found;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (qobject_cast<ui::Form10*>(widget) != nullptr) found.append(widget);
  }
  return found;
}

QWidget* openDrawingWindow() {
  ui::Command4_Click();
  const QList<QWidget*> windows = drawingWindows();
  return windows.size() == 1 ? windows.front() : nullptr;
}

QLabel* picture1(QWidget* window) { return window->findChild<QLabel*>(QStringLiteral("Picture1")); }

}  // namespace

class Form10Test : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::installNamedFont(); }

  void window_doesNotExistBeforeTheFirstClick() { QVERIFY(drawingWindows().isEmpty()); }

  void window_hasCaptionIconAndFixedClientSize() {
    QWidget* window = openDrawingWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral(" QNTe418"));
    const QSize client(581, 438);
    QCOMPARE(window->size(), client);
    QCOMPARE(window->minimumSize(), client);
    QCOMPARE(window->maximumSize(), client);
    QVERIFY(window->windowIcon().availableSizes().contains(QSize(32, 32)));
  }

  void window_isModelessWithoutOwnerAndWithoutMinimiseOrMaximise() {
    QWidget* window = openDrawingWindow();
    QVERIFY(window != nullptr);
    QVERIFY(window->isWindow());
    QCOMPARE(window->parentWidget(), nullptr);
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!window->testAttribute(Qt::WA_DeleteOnClose));
  }

  void picture1_sitsAtItsPlaceWithSunkenBorderAroundTheDrawing() {
    QWidget* window = openDrawingWindow();
    QVERIFY(window != nullptr);
    QLabel* box = picture1(window);
    QVERIFY(box != nullptr);
    QCOMPARE(box->geometry(), QRect(8, 8, 564, 404));
    // Margins of the client area: 8 left and top, 9 right, 26 at the bottom.
    QCOMPARE(window->width() - box->geometry().right() - 1, 9);
    QCOMPARE(window->height() - box->geometry().bottom() - 1, 26);
    QCOMPARE(box->frameShape(), QFrame::Panel);
    QCOMPARE(box->frameShadow(), QFrame::Sunken);
    QCOMPARE(box->frameWidth(), 2);
    QCOMPARE(box->contentsRect(), QRect(QPoint(2, 2), kDrawingSize));
    QVERIFY(!box->hasScaledContents());
    QCOMPARE(box->pixmap().size(), kDrawingSize);
    QVERIFY(!box->accessibleName().isEmpty());
    QVERIFY(!box->accessibleDescription().isEmpty());
  }

  // What the box paints inside its border is the drawing pixel for pixel: unscaled, uncropped,
  // its top-left pixel at client (0, 0).
  void picture1_showsTheDrawingUnscaled() {
    QWidget* window = openDrawingWindow();
    QVERIFY(window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QLabel* box = picture1(window);
    QVERIFY(box != nullptr);
    const QImage shown =
        box->grab().toImage().copy(box->contentsRect()).convertToFormat(QImage::Format_RGB32);
    const QImage drawing =
        ui::embeddedPicture(ui::kOutlineDrawingPicture).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), kDrawingSize);
    QVERIFY(shown == drawing);
  }

  void embeddedDrawing_isIndexedWith256Colours() {
    const QImage drawing = ui::embeddedPicture(ui::kOutlineDrawingPicture);
    QCOMPARE(drawing.size(), kDrawingSize);
    QCOMPARE(drawing.format(), QImage::Format_Indexed8);
    QCOMPARE(drawing.colorCount(), 256);
  }

  void command4_twoClicksLeaveOneWindow() {
    ui::Command4_Click();
    QWidget* first = drawingWindows().value(0);
    ui::Command4_Click();
    QCOMPARE(drawingWindows().size(), 1);
    QCOMPARE(drawingWindows().front(), first);
    QVERIFY(first->isVisible());
  }

  void command4_reopensTheClosedWindowUnchanged() {
    QWidget* window = openDrawingWindow();
    QVERIFY(window != nullptr);
    const qint64 drawing = picture1(window)->pixmap().cacheKey();
    QVERIFY(window->close());
    QVERIFY(!window->isVisible());
    QCOMPARE(drawingWindows().size(), 1);

    QCOMPARE(openDrawingWindow(), window);
    QVERIFY(window->isVisible());
    QCOMPARE(picture1(window)->pixmap().cacheKey(), drawing);
    QCOMPARE(window->size(), QSize(581, 438));
  }
};

QTEST_MAIN(Form10Test)
#include "form10_test.moc"
