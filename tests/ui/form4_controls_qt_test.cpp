// The adapter between the core and the widgets: the scroll-bar contract that Qt does not
// give by itself, colours both ways, and positions that keep their fractions.

#include <cmath>
#include <limits>
#include <memory>

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "chart/checked.h"
#include "tests/support/fault_of.h"
#include "tests/support/form4_probe.h"
#include "ui/form4.h"
#include "ui/line_control.h"
#include "ui/shape_control.h"

using namespace uitest;
using chart::ScrollBar;
using chart::TextControl;

Q_DECLARE_METATYPE(chart::ScrollBar)
Q_DECLARE_METATYPE(chart::TextControl)

class Form4ControlsQtTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { form_ = std::make_unique<ui::Form4>(); }
  void cleanup() { form_.reset(); }

  void scrollValue_outsideTheRange_isRefusedAndTheBarLeftAlone_data() {
    QTest::addColumn<ScrollBar>("bar");
    QTest::addColumn<int>("value");
    QTest::newRow("HScroll1 below 0") << ScrollBar::HScroll1 << -1;
    QTest::newRow("HScroll1 past 500") << ScrollBar::HScroll1 << 501;
    QTest::newRow("HScroll1 at the 16-bit top") << ScrollBar::HScroll1 << 32767;
    QTest::newRow("HScroll1 at the 16-bit bottom") << ScrollBar::HScroll1 << -32768;
    QTest::newRow("VScroll1 below 0") << ScrollBar::VScroll1 << -1;
    QTest::newRow("VScroll1 past 400") << ScrollBar::VScroll1 << 401;
  }

  // Qt's scroll bar would clamp silently and move the cross-hair to the end.
  void scrollValue_outsideTheRange_isRefusedAndTheBarLeftAlone() {
    QFETCH(ScrollBar, bar);
    QFETCH(int, value);
    ui::QtForm4Controls& c = form_->controls();
    c.setScrollValue(bar, 7);
    auto* widget = find<QScrollBar>(*form_, ::layout::nameOf(bar));
    QSignalSpy changes(widget, &QScrollBar::valueChanged);
    QVERIFY(testsupport::faultOf([&] {
              c.setScrollValue(bar, static_cast<chart::ScrollValue>(value));
            }) == chart::Fault::InvalidPropertyValue);
    QCOMPARE(widget->value(), 7);
    QCOMPARE(changes.count(), 0);
    QVERIFY(c.lineVisible(chart::CrossHairLine::Line1) &&
            c.lineVisible(chart::CrossHairLine::Line2));
  }

  // Both ends are values like any other; the handler has run when the assignment returns,
  // and an equal value runs nothing.
  void scrollValue_atEitherEnd_runsTheHandlerOnceBeforeReturning() {
    ui::QtForm4Controls& c = form_->controls();
    QSignalSpy changes(find<QScrollBar>(*form_, "HScroll1"), &QScrollBar::valueChanged);
    c.setScrollValue(ScrollBar::HScroll1, 500);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), QString("7000"));
    c.setScrollValue(ScrollBar::HScroll1, 500);
    c.setScrollValue(ScrollBar::HScroll1, 0);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), QString("2000"));
    QCOMPARE(changes.count(), 2);
  }

  void scrollMaximum_belowTheMinimum_isRefused() {
    QVERIFY_THROWS_EXCEPTION(chart::ChartError,
                             form_->controls().setScrollMaximum(ScrollBar::VScroll1, -1));
    QCOMPARE(find<QScrollBar>(*form_, "VScroll1")->maximum(), 400);
  }

  // A handler that fails is abandoned inside the signal; nothing unwinds through Qt, and the
  // lines stay visible. A column past 3076 overflows the 16-bit speed.
  void failingHandler_isAbandonedWithoutUnwindingThroughQt() {
    ui::QtForm4Controls& c = form_->controls();
    c.setScrollMaximum(ScrollBar::HScroll1, 32767);
    c.setScrollValue(ScrollBar::HScroll1, 4000);
    QCOMPARE(find<QScrollBar>(*form_, "HScroll1")->value(), 4000);
    QCOMPARE(find<QLabel>(*form_, "Label4")->text(), QString());
    QVERIFY(c.lineVisible(chart::CrossHairLine::Line1));
  }

  void textColour_roundTrips_data() {
    QTest::addColumn<int>("colour");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("red is the low byte") << 0x0000FF << QColor(255, 0, 0);
    QTest::newRow("black") << 0x000000 << QColor(0, 0, 0);
    QTest::newRow("blue is the high byte") << 0xFF0000 << QColor(0, 0, 255);
    QTest::newRow("mixed") << 0x123456 << QColor(0x56, 0x34, 0x12);
  }

  void textColour_roundTrips() {
    QFETCH(int, colour);
    QFETCH(QColor, shown);
    ui::QtForm4Controls& c = form_->controls();
    for (const TextControl control : {TextControl::Text2, TextControl::Label20}) {
      c.setTextColour(control, colour);
      QCOMPARE(c.textColour(control), colour);
    }
    QCOMPARE(find<QLineEdit>(*form_, "Text2")->palette().color(QPalette::Text), shown);
  }

  void systemColour_takesThePaletteColour() {
    ui::QtForm4Controls& c = form_->controls();
    c.setTextColour(TextControl::Text1, static_cast<chart::Colour>(0x80000005u));
    QCOMPARE(find<QLineEdit>(*form_, "Text1")->palette().color(QPalette::Text),
             QApplication::palette().color(QPalette::Base));
  }

  // The core reads line ends back, so they keep what was written; they are drawn through
  // the pixel whose cell contains them.
  void lineEnds_keepFractionsAndDrawOnTheContainingPixel_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<int>("drawnAt");
    QTest::newRow("whole") << 224.0f << 224;
    QTest::newRow("fraction") << 123.75f << 123;
    QTest::newRow("just below zero is off the chart") << -0.5f << -1;
    QTest::newRow("far beyond the chart") << 1e30f << 100000;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << -100000;
  }

  void lineEnds_keepFractionsAndDrawOnTheContainingPixel() {
    using enum chart::LineEnd;
    QFETCH(float, x);
    QFETCH(int, drawnAt);
    ui::QtForm4Controls& c = form_->controls();
    c.setLineEnd(chart::CrossHairLine::Line1, X1, x);
    c.setLineEnd(chart::CrossHairLine::Line1, X2, x);
    const float back = c.lineEnd(chart::CrossHairLine::Line1, X1);
    QVERIFY(back == x || (std::isnan(back) && std::isnan(x)));
    auto* line = dynamic_cast<ui::LineControl*>(form_->control("Line1"));
    QCOMPARE(line->geometry(), QRect(drawnAt, 0, 1, 401));
  }

  void marker_keepsFractions() {
    ui::QtForm4Controls& c = form_->controls();
    c.setMarkerLeft(10.5f);
    c.setMarkerTop(-4.25f);
    QCOMPARE(c.markerLeft(), 10.5f);
    QCOMPARE(c.markerTop(), -4.25f);
    QCOMPARE(form_->control("Shape2")->geometry(), QRect(10, -5, 8, 8));
    QCOMPARE(c.markerWidth(), 8.0f);
    QCOMPARE(c.markerHeight(), 8.0f);
  }

  void warning_followsTheQuantityInTheAccessibleDescription_data() {
    QTest::addColumn<TextControl>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("Text1") << TextControl::Text1 << "Text1";
    QTest::newRow("Text2") << TextControl::Text2 << "Text2";
    QTest::newRow("Label4") << TextControl::Label4 << "Label4";
    QTest::newRow("Label20") << TextControl::Label20 << "Label20";
  }

  // Red adds the reason after the quantity; black takes it away again, quantity intact.
  void warning_followsTheQuantityInTheAccessibleDescription() {
    QFETCH(TextControl, control);
    QFETCH(QString, name);
    ui::QtForm4Controls& c = form_->controls();
    QWidget* widget = form_->control(name.toStdString());
    const QString quantity = qText(layoutOf(name.toStdString()).accessibleDescription);
    QVERIFY(!quantity.isEmpty());
    c.setWarning(control, "left of the 13 bar curve: above 13 bar");
    QCOMPARE(widget->accessibleDescription(),
             quantity + ": outside the permitted region, left of the 13 bar curve: above 13 bar");
    c.setWarning(control, "");
    QCOMPARE(widget->accessibleDescription(), quantity);
  }

  void texts_roundTripAsUtf8() {
    ui::QtForm4Controls& c = form_->controls();
    c.setText(TextControl::Text3, "1450 \xc3\xa4");
    QCOMPARE(find<QLineEdit>(*form_, "Text3")->text(), QString::fromUtf8("1450 \xc3\xa4"));
    QCOMPARE(c.text(TextControl::Text3), std::string("1450 \xc3\xa4"));
    c.setText(TextControl::Label21, "<b>@ 4 bar</b>");
    QCOMPARE(c.text(TextControl::Label21), std::string("<b>@ 4 bar</b>"));
  }

 private:
  std::unique_ptr<ui::Form4> form_;
};

QTEST_MAIN(Form4ControlsQtTest)
#include "form4_controls_qt_test.moc"
