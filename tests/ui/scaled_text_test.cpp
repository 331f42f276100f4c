// Text on a scaled display: registered at scales 1, 1.25, 1.5 and 2. Captions and
// read-outs keep the size they have against the window at scale 1, where they are drawn
// in the bitmap face; none is clipped; digits keep a gap to the read-outs' frames.

#include <algorithm>
#include <cmath>
#include <memory>

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "tests/support/form4_probe.h"
#include "ui/bordered_label.h"
#include "ui/form4.h"
#include "ui/named_font.h"

using namespace uitest;

namespace {

// The box of the pixels that differ from the picture's most common colour.
QRect inkBox(const QImage& picture) {
  QHash<QRgb, int> counts;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) ++counts[picture.pixel(x, y)];
  }
  QRgb ground = 0;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > counts.value(ground)) ground = it.key();
  }
  QRect box;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) != ground) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// The caption as the bitmap face draws it at scale 1, in its 13-pixel strike.
QSizeF inkAtScaleOne(const QString& caption) {
  QFont bitmap(QStringLiteral("MS Sans Serif"));
  bitmap.setPixelSize(13);
  QImage picture(200, 30, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setFont(bitmap);
  painter.setPen(Qt::black);
  painter.drawText(QPoint(5, 20), caption);
  painter.end();
  return inkBox(picture).size();
}

QImage shown(QWidget* widget) {
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class ScaledTextTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    ui::installNamedFont();
    form_ = std::make_unique<ui::Form4>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    form_->controls().setScrollValue(chart::ScrollBar::HScroll1, 500);
    form_->controls().setScrollValue(chart::ScrollBar::VScroll1, 150);
  }

  void cleanupTestCase() { form_.reset(); }

  void captions_growWithTheWindow_data() {
    QTest::addColumn<QString>("name");
    for (const ::layout::ControlLayout& layout : ::layout::kForm4Layout) {
      if (layout.kind == ::layout::ControlKind::Label && !layout.caption.empty()) {
        QTest::newRow(layout.name.data()) << qText(layout.name);
      }
    }
    QTest::newRow("Label4 read-out") << QStringLiteral("Label4");
    QTest::newRow("Label20 read-out") << QStringLiteral("Label20");
  }

  void captions_growWithTheWindow() {
    QFETCH(QString, name);
    auto* label = find<QLabel>(*form_, name.toStdString());
    const qreal dpr = form_->devicePixelRatioF();
    QImage picture = shown(label);
    if (dynamic_cast<ui::BorderedLabel*>(label) != nullptr) {
      const int frame = static_cast<int>(std::ceil(dpr));
      picture = picture.copy(picture.rect().adjusted(frame, frame, -frame, -frame));
    }
    const QSizeF drawn = QSizeF(inkBox(picture).size()) / dpr;
    const QSizeF wanted = inkAtScaleOne(label->text());
    const QString sizes = QStringLiteral("%1 x %2 against %3 x %4 at scale 1")
                              .arg(drawn.width())
                              .arg(drawn.height())
                              .arg(wanted.width())
                              .arg(wanted.height());
    // Within 15 %, and a pixel and a half that a short caption's rounding may take.
    const auto near = [](qreal got, qreal want) {
      return std::abs(got - want) <= 0.15 * want + 1.5;
    };
    QVERIFY2(near(drawn.height(), wanted.height()), qPrintable(sizes));
    QVERIFY2(near(drawn.width(), wanted.width()), qPrintable(sizes));
  }

  void captions_areNotClipped_data() {
    QTest::addColumn<QString>("name");
    for (const ::layout::ControlLayout& layout : ::layout::kForm4Layout) {
      if (!layout.caption.empty()) QTest::newRow(layout.name.data()) << qText(layout.name);
    }
  }

  void captions_areNotClipped() {
    QFETCH(QString, name);
    QWidget* widget = form_->control(name.toStdString());
    const QFontMetricsF metrics(widget->font(), widget);
    QString caption;
    qreal room = 0;
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      caption = button->text();
      room = button->width() - 6;
    } else {
      auto* label = static_cast<QLabel*>(widget);
      caption = label->text();
      room = label->contentsRect().width();
    }
    QVERIFY2(metrics.horizontalAdvance(caption) <= room,
             qPrintable(QStringLiteral("%1 needs %2 of %3")
                            .arg(caption)
                            .arg(metrics.horizontalAdvance(caption))
                            .arg(room)));
    QVERIFY2(metrics.ascent() + metrics.descent() <= widget->height(), qPrintable(caption));
  }

  void readOuts_keepAGapToTheirFrame_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("Label4") << QStringLiteral("Label4");
    QTest::newRow("Label20") << QStringLiteral("Label20");
  }

  // Walking in from the left and from the top, the first pixel past the frame is field.
  void readOuts_keepAGapToTheirFrame() {
    QFETCH(QString, name);
    auto* label = find<QLabel>(*form_, name.toStdString());
    QVERIFY(!label->text().isEmpty());
    const QImage picture = shown(label);
    const QRgb frame = picture.pixel(0, picture.height() / 2);
    const QRgb field = label->palette().color(QPalette::Window).rgb();
    const auto firstPastFrame = [&](QPoint from, QPoint step) {
      QPoint at = from;
      while (picture.valid(at) && picture.pixel(at) == frame) at += step;
      return at;
    };
    for (int y = 3; y < picture.height() - 3; ++y) {
      const QPoint at = firstPastFrame({0, y}, {1, 0});
      QVERIFY2(picture.pixel(at) == field,
               qPrintable(QStringLiteral("text touches the left frame in row %1").arg(y)));
    }
    for (int x = 3; x < picture.width() - 3; ++x) {
      const QPoint at = firstPastFrame({x, 0}, {0, 1});
      QVERIFY2(picture.pixel(at) == field,
               qPrintable(QStringLiteral("text touches the top frame in column %1").arg(x)));
    }
  }

 private:
  std::unique_ptr<ui::Form4> form_;
};

QTEST_MAIN(ScaledTextTest)
#include "scaled_text_test.moc"
