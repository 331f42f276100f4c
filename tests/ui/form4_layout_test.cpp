// The main window as built, checked control by control against the layout table.

#include "layout/form4_layout.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include <QAccessible>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "chart/pressure_reading.h"
#include "tests/support/form4_probe.h"
#include "ui/bordered_label.h"
#include "ui/embedded_pictures.h"
#include "ui/form4.h"
#include "ui/line_control.h"
#include "ui/named_font.h"

using namespace uitest;
using ::layout::ControlKind;
using ::layout::ControlLayout;
using ::layout::kForm4Layout;

Q_DECLARE_METATYPE(const ControlLayout*)

namespace {

// Each kind of control as a user meets it: what a screen reader calls it, and which way a
// scroll bar lies. Lines and shapes are only drawn.
struct Kind {
  ControlKind kind;
  QAccessible::Role role;
  Qt::Orientation lies = Qt::Horizontal;
};
constexpr Kind kKinds[] = {
    {ControlKind::PictureBox, QAccessible::Graphic},
    {ControlKind::Button, QAccessible::Button},
    {ControlKind::TextBox, QAccessible::EditableText},
    {ControlKind::HScrollBar, QAccessible::ScrollBar},
    {ControlKind::VScrollBar, QAccessible::ScrollBar, Qt::Vertical},
    {ControlKind::Line, QAccessible::Client},
    {ControlKind::Shape, QAccessible::Client},
    {ControlKind::Label, QAccessible::StaticText},
};

// The side a label's text keeps to.
struct Side {
  ::layout::TextAlign align;
  Qt::AlignmentFlag side;
};
constexpr Side kSides[] = {
    {::layout::TextAlign::Left, Qt::AlignLeft},
    {::layout::TextAlign::Right, Qt::AlignRight},
    {::layout::TextAlign::Centre, Qt::AlignHCenter},
};

QString captionOf(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  return {};
}

// The focusable controls in the order that Tab visits them, from the table.
std::vector<const ControlLayout*> focusOrder() {
  std::vector<const ControlLayout*> order;
  for (const ControlLayout& layout : kForm4Layout) {
    if (layout.tabIndex != ::layout::kNoTabIndex && ::layout::takesFocus(layout))
      order.push_back(&layout);
  }
  std::ranges::sort(order, {}, &ControlLayout::tabIndex);
  return order;
}

}  // namespace

class Form4LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::installNamedFont(); }
  void init() { form_ = std::make_unique<ui::Form4>(); }
  void cleanup() { form_.reset(); }

  void window_hasCaptionIconAndFixedClientSize() {
    QCOMPARE(form_->windowTitle(), qText(::layout::kForm4Caption));
    const QSize client(::layout::kForm4ClientWidth, ::layout::kForm4ClientHeight);
    QCOMPARE(form_->size(), client);
    QCOMPARE(form_->minimumSize(), client);
    QCOMPARE(form_->maximumSize(), client);
    QVERIFY(form_->windowIcon().availableSizes().contains(QSize(32, 32)));
  }

  void window_hasCloseBoxButNoMinimiseOrMaximise() {
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
  }

  // With the fixed layout, a caption wider than its control would show cut off.
  void captions_fitTheirControls() {
    for (const ControlLayout& layout : kForm4Layout) {
      QWidget* widget = form_->control(layout.name);
      const QString caption = captionOf(widget);
      if (caption.isEmpty() || layout.kind == ControlKind::TextBox) continue;
      const int room =
          widget->contentsRect().width() - (layout.kind == ControlKind::Button ? 6 : 0);
      QVERIFY2(QFontMetrics(widget->font()).horizontalAdvance(caption) <= room, layout.name.data());
    }
    QWidget* label21 = form_->control("Label21");
    for (const chart::DeliveryLine& line : chart::DeliveryTable) {
      QVERIFY(QFontMetrics(label21->font()).horizontalAdvance(qText(line.caption)) <=
              label21->contentsRect().width());
    }
  }

  void control_data() {
    QTest::addColumn<const ControlLayout*>("layout");
    for (const ControlLayout& layout : kForm4Layout) QTest::newRow(layout.name.data()) << &layout;
  }

  // What a user meets of each control: what it is, where, what it says and its tooltip, whether
  // Tab stops there, its face, and a label's side and frame.
  void control() {
    QFETCH(const ControlLayout*, layout);
    QWidget* widget = form_->control(layout->name);
    QVERIFY(widget != nullptr);
    const Kind& kind = *std::ranges::find(kKinds, layout->kind, &Kind::kind);
    QCOMPARE(QAccessible::queryAccessibleInterface(widget)->role(), kind.role);
    if (auto* bar = qobject_cast<QScrollBar*>(widget)) QCOMPARE(bar->orientation(), kind.lies);

    const bool inChart = layout->container == ::layout::Container::Picture1;
    QCOMPARE(widget->parentWidget(), inChart ? picture1(*form_)->client() : form_.get());
    // The cross-hair controls are moved off the chart at load; their sizes and the line
    // ends that loading leaves alone stay as designed.
    if (layout->kind == ControlKind::Line) {
      auto* line = dynamic_cast<ui::LineControl*>(widget);
      QVERIFY(line != nullptr);
      using enum chart::LineEnd;
      const bool vertical = layout->lineEnds[0] == layout->lineEnds[2];
      for (const chart::LineEnd end : vertical ? std::array{Y1, Y2} : std::array{X1, X2})
        QCOMPARE(line->end(end), static_cast<float>(layout->lineEnds[chart::at(end)]));
    } else if (inChart) {
      QCOMPARE(widget->size(), QSize(layout->width, layout->height));
    } else {
      QCOMPARE(widget->geometry(), QRect(layout->left, layout->top, layout->width, layout->height));
    }

    QCOMPARE(captionOf(widget), qText(layout->caption));
    QCOMPARE(widget->toolTip(), qText(layout->toolTip));
    QCOMPARE(widget->focusPolicy() != Qt::NoFocus, ::layout::takesFocus(*layout));

    if (layout->font == ::layout::FontChoice::Named) {
      QCOMPARE(widget->font().pointSizeF(), 9.75);
      QCOMPARE(widget->font().weight(), QFont::Normal);
      QVERIFY(!widget->font().italic() && !widget->font().underline());
      if (QFontDatabase::hasFamily("MS Sans Serif"))
        QCOMPARE(QFontInfo(widget->font()).family(), QString("MS Sans Serif"));
    } else {
      QCOMPARE(widget->font(), ui::dialogFont());
    }

    if (auto* label = qobject_cast<QLabel*>(widget)) {
      const Side& side = *std::ranges::find(kSides, layout->align, &Side::align);
      QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::Alignment(side.side));
      QCOMPARE(dynamic_cast<ui::BorderedLabel*>(label) != nullptr, layout->border);
    }
  }

  void credits_nameTheProjectAndNoPerson() {
    QVERIFY(find<QLabel>(*form_, "Label6")->text().startsWith("qnte418grafik"));
    QVERIFY(form_->control("Picture2")->toolTip().startsWith("qnte418grafik"));
  }

  void focus_startsOnText1() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(QApplication::focusWidget(), form_->control("Text1"));
  }

  // Tab visits the focusable controls by TabIndex, skipping the labels but for the speed
  // and delivery read-outs, which a keyboard must reach, and wraps round.
  void tabKey_visitsFocusableControlsInTabIndexOrder() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    const std::vector<const ControlLayout*> order = focusOrder();
    QCOMPARE(order.size(), std::size_t{15});
    QCOMPARE(order[1]->name, std::string_view("HScroll1"));
    QCOMPARE(order[2]->name, std::string_view("Text2"));
    QCOMPARE(order[3]->name, std::string_view("Label20"));
    QCOMPARE(order[4]->name, std::string_view("Command1"));
    QCOMPARE(order[12]->name, std::string_view("Label4"));
    for (std::size_t i = 1; i <= order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), qText(order[i % order.size()]->name));
    }
  }

  // Windowed controls lie above everything drawn on the window's surface; within each
  // group the table's order holds, the first row on top.
  void stacking_followsTheTable() {
    std::vector<QString> expected;
    for (const bool windowed : {false, true}) {
      for (auto it = kForm4Layout.rbegin(); it != kForm4Layout.rend(); ++it) {
        if (it->container == ::layout::Container::Form4 &&
            ::layout::isWindowed(it->kind) == windowed) {
          expected.push_back(qText(it->name));
        }
      }
    }
    std::vector<QString> actual;
    for (QObject* child : form_->children()) {
      if (child->isWidgetType()) actual.push_back(child->objectName());
    }
    QCOMPARE(actual, expected);
    QCOMPARE(actual.back(), QString("Picture2"));

    std::vector<QString> inChart;
    for (QObject* child : picture1(*form_)->client()->children())
      inChart.push_back(child->objectName());
    QCOMPARE(inChart, (std::vector<QString>{"Shape2", "Line2", "Line1"}));
  }

  // The client area starts at (33, 33) and shows the chart pixel for pixel; the parked
  // cross-hair draws nothing on it.
  void picture1_showsTheChartUnscaledInItsClientArea() {
    ui::PictureBox* box = picture1(*form_);
    QCOMPARE(box->client()->mapTo(form_.get(), QPoint(0, 0)), QPoint(33, 33));
    QCOMPARE(box->client()->size(), QSize(500, 400));
    const QString fault = crossHairFault(chartShown(*form_), form_->raster(), {-1, -1, -9, -9});
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
  }

  // What the box shows and what the core reads are both the built-in bitmap, every pixel as
  // Qt's own reader decodes it: no colour channel swapped, no row flipped.
  void picture1_showsAndReadsTheBuiltInBitmap() {
    const QImage file = QImage(qText(ui::kChartPicture)).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(file.size(), QSize(500, 400));
    QCOMPARE(picture1(*form_)->picture().convertToFormat(QImage::Format_RGB32), file);
    int readOtherwise = 0;
    for (int y = 0; y < file.height(); ++y) {
      for (int x = 0; x < file.width(); ++x) {
        const auto colour = form_->raster().pixel(static_cast<chart::ChartCoord>(x),
                                                  static_cast<chart::ChartCoord>(y));
        if (rgbOf(colour) != file.pixel(x, y)) ++readOtherwise;
      }
    }
    QCOMPARE(readOtherwise, 0);
  }

  // The 1-pixel border in window text, inside it the chart's own corner pixels.
  void picture1_hasAOnePixelBorder() {
    const QImage shown = form_->grab().toImage();
    const QRgb windowText = QApplication::palette().color(QPalette::Text).rgb();
    QCOMPARE(shown.pixel(32, 32), windowText);
    QCOMPARE(shown.pixel(533, 433), windowText);
    QCOMPARE(shown.pixel(33, 33) & 0xFFFFFF, rgbOf(form_->raster().pixel(0, 0)) & 0xFFFFFF);
    QCOMPARE(shown.pixel(532, 432) & 0xFFFFFF, rgbOf(form_->raster().pixel(499, 399)) & 0xFFFFFF);
  }

  // A red read-out keeps its black frame on the white ground.
  void readOutLabels_haveAFrameOnWhite() {
    form_->controls().setTextColour(chart::TextControl::Label4, chart::colours::kRed);
    for (const char* name : {"Label4", "Label20"}) {
      const QImage shown = form_->control(name)->grab().toImage();
      QCOMPARE(shown.pixel(0, 0), QApplication::palette().color(QPalette::Text).rgb());
      QCOMPARE(shown.pixel(shown.width() / 2, shown.height() - 3), qRgb(255, 255, 255));
    }
  }

  // Shape3 shows as a black shadow right of and below the white Shape1.
  void rotorCard_castsAShadowRightAndBelow() {
    const QImage shown = form_->grab().toImage();
    QCOMPARE(shown.pixel(628, 340), qRgb(255, 255, 255));  // Shape1 beside Picture2
    QCOMPARE(shown.pixel(730, 440), qRgb(0, 0, 0));  // Shape3 beyond Shape1's corner
    QCOMPARE(shown.pixel(700, 440), qRgb(0, 0, 0));  // below Shape1
    QCOMPARE(shown.pixel(730, 400), qRgb(0, 0, 0));  // right of Shape1
    QCOMPARE(shown.pixel(630, 440), QApplication::palette().color(QPalette::Window).rgb());
  }

  void scrollBars_afterLoad() {
    for (const auto& [name, maximum] : {std::pair{"HScroll1", 500}, std::pair{"VScroll1", 400}}) {
      auto* bar = find<QScrollBar>(*form_, name);
      QCOMPARE(bar->minimum(), 0);
      QCOMPARE(bar->maximum(), maximum);
      QCOMPARE(bar->value(), 0);
      QCOMPARE(bar->singleStep(), 1);
      QCOMPARE(bar->pageStep(), 1);
      QVERIFY(!bar->hasTracking());
    }
  }

 private:
  std::unique_ptr<ui::Form4> form_;
};

QTEST_MAIN(Form4LayoutTest)
#include "form4_layout_test.moc"
