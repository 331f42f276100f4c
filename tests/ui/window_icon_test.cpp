// Both windows carry the icon in every size the project draws it, so that panels and task
// switchers show a sharp one at any size.

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QTest>

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
    for (const QWidget* window : {static_cast<const QWidget*>(&form4), static_cast<const QWidget*>(&form10)}) {
      QVERIFY2(window->windowIcon().availableSizes().contains(size), qPrintable(window->objectName()));
      // The sizes are read when asked for: a picture that cannot be read shows up only here.
      QCOMPARE(window->windowIcon().pixmap(size).size(), size);
    }
  }
};

QTEST_MAIN(WindowIconTest)
#include "window_icon_test.moc"
