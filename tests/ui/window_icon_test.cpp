// Both windows carry the icon in every size the project draws it, so that panels and task
// switchers show a sharp one at any size.

#include <string>

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QTest>

#include "ui/embedded_pictures.h"
#include "ui/form10.h"
#include "ui/form4.h"

class WindowIconTest : public QObject {
  Q_OBJECT

 private slots:
  void icon_carriesEverySize_data() {
    QTest::addColumn<QSize>("size");
    const QDir icons(QStringLiteral(QNTE_RESOURCE_DIR "/icons"));
    for (const QString& file : icons.entryList({QStringLiteral("*.png")})) {
      QTest::newRow(qPrintable(file)) << QImage(icons.filePath(file)).size();
    }
  }

  void icon_carriesEverySize() {
    QFETCH(QSize, size);
    ui::Form4 form4;
    ui::Form10 form10;
    for (const QWidget* window :
         {static_cast<const QWidget*>(&form4), static_cast<const QWidget*>(&form10)}) {
      QVERIFY2(window->windowIcon().availableSizes().contains(size),
               qPrintable(window->objectName()));
      // The sizes are read when asked for: a picture that cannot be read shows up only here.
      QCOMPARE(window->windowIcon().pixmap(size, 1.0).size(), size);
    }
  }

  // The sizes read only when asked draw as the icon of every size decoded at once would.
  void icon_drawsAsEverySizeDecodedAtOnce_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("smaller than any") << QSize(8, 8);
    QTest::newRow("the window's own") << QSize(32, 32);
    QTest::newRow("between two") << QSize(40, 40);
    QTest::newRow("larger than any") << QSize(512, 512);
    QTest::newRow("not square") << QSize(40, 20);
  }

  void icon_drawsAsEverySizeDecodedAtOnce() {
    QFETCH(QSize, size);
    QIcon decoded(QPixmap::fromImage(ui::embeddedPicture(ui::kWindowIconPicture)));
    for (const int side : ui::kDesktopIconSizes) {
      if (side == 32) continue;
      decoded.addPixmap(
          QPixmap::fromImage(ui::embeddedPicture(":/icons/" + std::to_string(side) + ".png")));
    }
    const QIcon icon = ui::embeddedWindowIcon();
    QCOMPARE(icon.actualSize(size), decoded.actualSize(size));
    const QPixmap drawn = icon.pixmap(size);
    const QPixmap expected = decoded.pixmap(size);
    QCOMPARE(drawn.devicePixelRatio(), expected.devicePixelRatio());
    QCOMPARE(drawn.toImage(), expected.toImage());
  }
};

QTEST_MAIN(WindowIconTest)
#include "window_icon_test.moc"
