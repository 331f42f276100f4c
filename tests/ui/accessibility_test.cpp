// The main window as a screen reader meets it: names and descriptions through Qt's
// accessibility interfaces, the read-outs spoken by their values, and red read-outs that
// say why in words, reached through real clicks on the chart.

#include <utility>
#include <vector>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "chart/reading_announcement.h"
#include "chart/warnings.h"
#include "layout/form4_layout.h"
#include "tests/support/form4_probe.h"
#include "tests/support/main_window_test.h"
#include "ui/form4.h"

using namespace uitest;
using ::layout::ControlKind;
using ::layout::ControlLayout;

Q_DECLARE_METATYPE(const ControlLayout*)

namespace {

QString spoken(QWidget* widget, QAccessible::Text what) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face != nullptr ? face->text(what) : QStringLiteral("<no accessible interface>");
}

// The read-outs whose descriptions carry the reason for red, with the words the core
// gives each of them.
struct Warned {
  const char* name;
  bool speedAndPower;  // false: the pressure and the delivery
};
constexpr Warned kWarned[] = {
    {"Text1", true}, {"Label4", true}, {"Text2", false}, {"Label20", false}};

// The objects whose description change was announced, in order.
std::vector<QObject*> descriptionEvents;

// The objects whose name change was announced, with the name a reader asking then heard.
std::vector<std::pair<QObject*, QString>> nameEvents;

void recordEvent(QAccessibleEvent* event) {
  if (event->type() == QAccessible::DescriptionChanged)
    descriptionEvents.push_back(event->object());
  if (event->type() == QAccessible::NameChanged) {
    nameEvents.emplace_back(event->object(), event->accessibleInterface()->text(QAccessible::Name));
  }
}

}  // namespace

class AccessibilityTest : public MainWindowTest {
  Q_OBJECT

 private slots:
  void control_data() {
    QTest::addColumn<const ControlLayout*>("layout");
    for (const ControlLayout& layout : ::layout::kForm4Layout) {
      if (!layout.accessibleName.empty() || !layout.accessibleDescription.empty()) {
        QTest::newRow(layout.name.data()) << &layout;
      }
    }
  }

  // What the table gives a control is what the accessibility layer reports; a control
  // without a name of its own is spoken by what it shows.
  void control() {
    QFETCH(const ControlLayout*, layout);
    QWidget* widget = form_->control(layout->name);
    const QString name = qText(layout->accessibleName);
    if (!name.isEmpty()) QCOMPARE(spoken(widget, QAccessible::Name), name);
    if (!layout->accessibleDescription.empty()) {
      QCOMPARE(spoken(widget, QAccessible::Description), qText(layout->accessibleDescription));
    }
  }

  // Every field, button, bar and picture a user can reach says what it is; no label or
  // drawing in between stands in for it.
  void focusableControls_haveANameAndADescription() {
    for (const ControlLayout& layout : ::layout::kForm4Layout) {
      if (!::layout::takesFocus(layout.kind)) continue;
      QWidget* widget = form_->control(layout.name);
      QVERIFY2(!spoken(widget, QAccessible::Name).trimmed().isEmpty(), layout.name.data());
      QVERIFY2(!spoken(widget, QAccessible::Description).isEmpty(), layout.name.data());
    }
    for (const char* field : {"Text1", "Text2", "Text3", "Text4", "Text5"}) {
      QVERIFY2(!layoutOf(field).accessibleName.empty(), field);
    }
  }

  // The chart and the rotor picture are pictures, not window frames.
  void pictureBoxes_arePictures() {
    for (const char* name : {"Picture1", "Picture2"}) {
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(form_->control(name));
      QVERIFY(face != nullptr);
      QCOMPARE(face->role(), QAccessible::Graphic);
    }
  }

  // The read-outs that Tab reaches say their quantity, value and unit; the class beside the
  // delivery keeps no name of its own and is spoken by what it shows.
  void readOuts_areSpokenByTheirValues() {
    clickChart(*form_, {299, 199});
    QCOMPARE(spoken(form_->control("Label4"), QAccessible::Name),
             QString("Rotor speed nHR 5000 rpm"));
    QCOMPARE(spoken(form_->control("Label20"), QAccessible::Name),
             QString::fromUtf8("Free air delivery Q1 4.8 m\u00b3/min at 4 bar"));
    for (const char* name : {"Label4", "Label20"}) {
      QVERIFY(form_->control(name)->focusPolicy() & Qt::TabFocus);
    }
    for (const char* name : {"Label21"}) {
      auto* label = find<QLabel>(*form_, name);
      QVERIFY(layoutOf(name).accessibleName.empty());
      QVERIFY(label->accessibleName().isEmpty());
      QVERIFY(!label->text().isEmpty());
      QCOMPARE(spoken(label, QAccessible::Name), label->text());
      QCOMPARE(spoken(label, QAccessible::Description),
               qText(layoutOf(name).accessibleDescription));
    }
  }

  // One attribute run over an entry's whole text: a reader that walks the runs to split
  // the text by language meets every character, the last digit included.
  void entry_attributeRunCoversTheWholeText() {
    auto* entry = find<QLineEdit>(*form_, "Text1");
    for (const char* text : {"24.9", "5", ""}) {
      entry->setText(QString::fromLatin1(text));
      QAccessibleTextInterface* face =
          QAccessible::queryAccessibleInterface(entry)->textInterface();
      QVERIFY(face != nullptr);
      for (int offset = 0; offset < entry->text().size(); ++offset) {
        int start = -1;
        int end = -1;
        face->attributes(offset, &start, &end);
        QCOMPARE(start, 0);
        QCOMPARE(end, static_cast<int>(entry->text().size()));
      }
      QCOMPARE(face->text(0, face->characterCount()), entry->text());
    }
  }

  void scrollBar_saysWhatItStandsFor_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("said");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::newRow("column 480: speed") << "HScroll1" << 481 << "6810" << 2000.0 << 7000.0;
    QTest::newRow("parked column: 2000") << "HScroll1" << 0 << "2000" << 2000.0 << 7000.0;
    QTest::newRow("row 0: power") << "VScroll1" << 1 << "44.9" << 5.0 << 45.0;
    QTest::newRow("row 399: power") << "VScroll1" << 400 << "5.0" << 5.0 << 45.0;
  }

  // A scroll bar says the speed or power of its value, not the position.
  void scrollBar_saysWhatItStandsFor() {
    QFETCH(QString, bar);
    QFETCH(int, value);
    QFETCH(QString, said);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    auto* scrollBar = qobject_cast<QScrollBar*>(form_->control(bar.toStdString()));
    scrollBar->setValue(value);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(scrollBar);
    QCOMPARE(face->text(QAccessible::Value), said);
    QAccessibleValueInterface* values = face->valueInterface();
    QVERIFY(values != nullptr);
    QCOMPARE(QString::number(values->currentValue().toDouble(), 'f', 1),
             QString::number(said.toDouble(), 'f', 1));
    QCOMPARE(values->minimumValue().toDouble(), lowest);
    QCOMPARE(qRound(values->maximumValue().toDouble() * 10), qRound(highest * 10));
  }

  void redReadOut_saysWhy_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<unsigned>("speedAndPower");
    QTest::addColumn<unsigned>("pressure");
    QTest::newRow("7 bar speed limit")
        << QPoint(300, 49) << chart::Warnings(chart::Warning::kSpeedLimit7Bar).bits() << 0u;
    QTest::newRow("7 bar speed limit, beyond the last curve")
        << QPoint(470, 49)
        << (chart::Warning::kSpeedLimit7Bar | chart::Warnings(chart::Warning::kBeyondLastCurve))
               .bits()
        << chart::Warnings(chart::Warning::kBeyondLastCurve).bits();
    QTest::newRow("4 bar speed limit")
        << QPoint(379, 120) << chart::Warnings(chart::Warning::kSpeedLimit4Bar).bits() << 0u;
    QTest::newRow("4 bar speed limit, right of the 4 bar curve")
        << QPoint(489, 120) << chart::Warnings(chart::Warning::kSpeedLimit4Bar).bits()
        << chart::Warnings(chart::Warning::kRightOf4Bar).bits();
    QTest::newRow("right of the 4 bar curve")
        << QPoint(399, 199) << 0u << chart::Warnings(chart::Warning::kRightOf4Bar).bits();
    QTest::newRow("left of the 13 bar curve")
        << QPoint(49, 199) << 0u << chart::Warnings(chart::Warning::kLeftOf13Bar).bits();
    QTest::newRow("beyond the last curve")
        << QPoint(1, 344) << chart::Warnings(chart::Warning::kBeyondLastCurve).bits()
        << chart::Warnings(chart::Warning::kBeyondLastCurve).bits();
    QTest::newRow("inside the permitted region") << QPoint(299, 199) << 0u << 0u;
  }

  // A click through the window system turns read-outs red; each description then names its
  // quantity and the reason, and only the red ones have one.
  void redReadOut_saysWhy() {
    QFETCH(QPoint, pixel);
    QFETCH(unsigned, speedAndPower);
    QFETCH(unsigned, pressure);
    const QPoint chartOrigin = picture1(*form_)->client()->mapTo(form_.get(), QPoint(0, 0));
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, Qt::NoModifier, chartOrigin + pixel);
    for (const Warned& warned : kWarned) {
      QWidget* widget = form_->control(warned.name);
      const QString words = QString::fromStdString(chart::warningText(
          chart::Warnings::ofBits(warned.speedAndPower ? speedAndPower : pressure)));
      const QString quantity = qText(layoutOf(warned.name).accessibleDescription);
      const QString expected = QString::fromStdString(
          chart::describeReadOut(quantity.toStdString(), words.toStdString()));
      QCOMPARE(spoken(widget, QAccessible::Description), expected);
      const QColor colour = widget->palette().color(widget->foregroundRole());
      QCOMPARE(colour == QColor(Qt::red), !words.isEmpty());
    }
  }

  // Qt announces a changed description to the screen reader by itself; the window changes
  // one only when the reading's words change, so each change is heard once. Needs a
  // platform whose accessibility bridge is switched on, such as X11 with AT-SPI running.
  void descriptionChange_isAnnouncedOncePerChange() {
    if (!QAccessible::isActive()) QSKIP("no active accessibility bridge on this platform");
    const auto descriptions = [this] {
      std::vector<QString> all;
      for (const Warned& warned : kWarned)
        all.push_back(form_->control(warned.name)->accessibleDescription());
      return all;
    };
    ui::QtForm4Controls& c = form_->controls();
    c.setScrollValue(chart::ScrollBar::HScroll1, 301);
    c.setScrollValue(chart::ScrollBar::VScroll1, 200);
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordEvent);
    // Each step moves one bar: one reading. Red, red for another reason, the same words, black.
    const std::pair<chart::ScrollBar, chart::ScrollValue> steps[] = {
        {chart::ScrollBar::VScroll1, 50},
        {chart::ScrollBar::HScroll1, 471},
        {chart::ScrollBar::HScroll1, 472},
        {chart::ScrollBar::VScroll1, 200},
        {chart::ScrollBar::HScroll1, 300}};
    int changed = 0;
    for (const auto& [bar, value] : steps) {
      const std::vector<QString> before = descriptions();
      c.setScrollValue(bar, value);
      const std::vector<QString> after = descriptions();
      for (std::size_t i = 0; i < before.size(); ++i) changed += before[i] != after[i] ? 1 : 0;
    }
    QAccessible::installUpdateHandler(previous);
    QVERIFY(changed > 0);
    QCOMPARE(static_cast<int>(descriptionEvents.size()), changed);
  }

  // A read-out's new name is announced once, when the reading is complete: the name a
  // reader hears then is the one the read-out keeps, never one without its new warning.
  void nameChange_isAnnouncedOnceWithTheFinalName() {
    if (!QAccessible::isActive()) QSKIP("no active accessibility bridge on this platform");
    QWidget* const readOuts[] = {form_->control("Label4"), form_->control("Label20")};
    ui::QtForm4Controls& c = form_->controls();
    c.setScrollValue(chart::ScrollBar::HScroll1, 301);
    c.setScrollValue(chart::ScrollBar::VScroll1, 200);
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordEvent);
    // Into red, red for another reason, the same words, back to black, through the window's
    // own handlers as the scroll bars run them.
    const std::pair<const char*, int> steps[] = {{"VScroll1", 50},
                                                 {"HScroll1", 471},
                                                 {"HScroll1", 472},
                                                 {"VScroll1", 200},
                                                 {"HScroll1", 300}};
    for (const auto& [bar, value] : steps) {
      std::vector<QString> before;
      for (QWidget* readOut : readOuts) before.push_back(spoken(readOut, QAccessible::Name));
      nameEvents.clear();
      find<QScrollBar>(*form_, bar)->setValue(value);
      for (std::size_t i = 0; i < std::size(readOuts); ++i) {
        const QString after = spoken(readOuts[i], QAccessible::Name);
        int heard = 0;
        for (const auto& [object, name] : nameEvents) {
          if (object != readOuts[i]) continue;
          ++heard;
          QCOMPARE(name, after);
        }
        QCOMPARE(heard, before[i] != after ? 1 : 0);
      }
    }
    QAccessible::installUpdateHandler(previous);
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
