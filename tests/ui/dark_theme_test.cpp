// Under a dark theme the controls whose text the reading writes black or red keep a light
// field, so both stay legible; under the light theme nothing of the window changes. Runs
// with a dark palette of Adwaita-dark's colours offscreen, and with the GTK theme itself
// where the test command asks for it.

#include <memory>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QTest>

#include "tests/support/form4_probe.h"
#include "tests/support/selection_probe.h"
#include "ui/form4.h"
#include "ui/light_field.h"
#include "ui/named_font.h"
#include "ui/selection_table.h"
#include "ui/selection_window.h"

using namespace uitest;
using chart::TextControl;

Q_DECLARE_METATYPE(TextControl)

namespace {

QPalette adwaitaDark() {
  QPalette palette(QColor(0x35, 0x35, 0x35));
  palette.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
  palette.setColor(QPalette::Text, QColor(0xff, 0xff, 0xff));
  palette.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xec));
  return palette;
}

bool realThemeAsked() { return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME"); }

// The field is the colour a control shows most; the text must show in its own colour.
// Their contrast is what a reader gets; 0 when the text is not drawn in that colour.
double shownContrast(QWidget* control, const QColor& text) {
  const QImage shown = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QHash<QRgb, int> counts;
  for (int y = 2; y < shown.height() - 2; ++y) {
    for (int x = 2; x < shown.width() - 2; ++x) ++counts[shown.pixel(x, y)];
  }
  QRgb field = 0;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > counts.value(field)) field = it.key();
  }
  if (!counts.contains(text.rgb())) return 0;
  return ui::contrastRatio(text, field);
}

}  // namespace

class DarkThemeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    ui::installNamedFont();
    light_ = QApplication::palette();
  }

  // Every test but the light one runs under the dark theme.
  void init() {
    if (realThemeAsked()) return;
    const bool light = QByteArrayView(QTest::currentTestFunction()).startsWith("lightTheme");
    QApplication::setPalette(light ? light_ : adwaitaDark());
  }

  void darkTheme_isDark() {
    QVERIFY2(ui::contrastRatio(Qt::black, QApplication::palette().color(QPalette::Base)) < 3,
             "the theme is not dark");
  }

  // A white field: pure red on anything darker falls short of 4:1.
  void lightTheme_leavesTheFieldsAsTheThemeDrawsThem_data() {
    QTest::addColumn<QColor>("field");
    QTest::addColumn<QColor>("text");
    QTest::newRow("black on white") << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("dark grey on white") << QColor(Qt::white) << QColor(0x23, 0x26, 0x29);
  }

  void lightTheme_leavesTheFieldsAsTheThemeDrawsThem() {
    if (realThemeAsked()) QSKIP("the theme is the one asked for");
    QFETCH(QColor, field);
    QFETCH(QColor, text);
    QPalette palette = light_;
    palette.setColor(QPalette::Base, field);
    palette.setColor(QPalette::Text, text);
    QApplication::setPalette(palette);
    ui::Form4 form;
    for (const char* name : {"Text1", "Text2"}) {
      const QPalette shown = form.control(name)->palette();
      QCOMPARE(shown.color(QPalette::Base), field);
      QCOMPARE(shown.color(QPalette::Text), text);
    }
  }

  void readings_standOnALightField_data() {
    QTest::addColumn<TextControl>("control");
    QTest::addColumn<chart::Colour>("colour");
    QTest::addColumn<double>("needed");
    const std::pair<const char*, TextControl> controls[] = {{"Text1", TextControl::Text1},
                                                            {"Text2", TextControl::Text2},
                                                            {"Label4", TextControl::Label4},
                                                            {"Label20", TextControl::Label20}};
    for (const auto& [name, control] : controls) {
      QTest::addRow("%s black", name) << control << chart::colours::kBlack << 7.0;
      QTest::addRow("%s red", name) << control << chart::colours::kRed << 3.995;
    }
  }

  void readings_standOnALightField() {
    QFETCH(TextControl, control);
    QFETCH(chart::Colour, colour);
    QFETCH(double, needed);
    ui::Form4 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.controls().setText(control, "44.9");
    form.controls().setTextColour(control, colour);
    QWidget* widget = form.control(layout::nameOf(control));
    const double contrast = shownContrast(widget, QColor::fromRgb(rgbOf(colour)));
    QVERIFY2(contrast >= needed,
             qPrintable(QStringLiteral("contrast %1:1").arg(contrast, 0, 'f', 2)));
  }

  // Typed over a reading, in the colour the reading left.
  void typedPower_standsOutOfItsField() {
    ui::Form4 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.controls().setScrollValue(chart::ScrollBar::VScroll1, 150);
    auto* text1 = find<QLineEdit>(form, "Text1");
    text1->selectAll();
    QTest::keyClicks(text1, QStringLiteral("37.5"));
    const QColor typed = text1->palette().color(text1->foregroundRole());
    QVERIFY(shownContrast(text1, typed) >= 7);
  }

  // The entries the reading leaves alone follow the theme.
  void otherEntries_followTheTheme() {
    ui::Form4 form;
    const QColor base = QApplication::palette().color(QPalette::Base);
    for (const char* name : {"Text3", "Text4", "Text5"})
      QCOMPARE(find<QLineEdit>(form, name)->palette().color(QPalette::Base), base);
  }

  // The drive selection's table: red figures on a light field as the main window's, the rest
  // in the theme's own colours, headings included. 13 bar at 4.5 m³/min is red in every row.
  void selectionTable_isLegible() {
    ui::Form4 form;
    form.show();
    ui::SelectionWindow window(form);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    enterDuty(window, dutyTexts("4.5", "13"));
    const auto* table = window.findChild<ui::SelectionTable*>();
    QVERIFY(table->rowCount() > 1);
    for (const int row : {-1, 1}) {
      for (int column = 0; column < table->columnCount(); ++column) {
        QLabel* cell = table->cell(row, column);
        if (cell->text().isEmpty()) continue;
        const QColor text = cell->palette().color(cell->foregroundRole());
        const QColor field = cell->palette().color(cell->backgroundRole());
        // Red as drawn, the main window's way; glyphs this small draw no pixel in a pale text
        // colour itself, so the others by their palette.
        const bool red = text == QColor(Qt::red);
        const double contrast = red ? shownContrast(cell, text) : ui::contrastRatio(text, field);
        QVERIFY2(contrast >= (red ? 3.995 : 7), qPrintable(cell->text()));
      }
    }
  }

 private:
  QPalette light_;
};

QTEST_MAIN(DarkThemeTest)
#include "dark_theme_test.moc"
