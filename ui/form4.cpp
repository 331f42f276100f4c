#include "ui/form4.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "chart/checked.h"
#include "chart/reading.h"
#include "chart/scales.h"
#include "chart/skip_on_failure.h"
#include "ui/accessible_entry.h"
#include "ui/announcer.h"
#include "ui/bordered_label.h"
#include "ui/embedded_pictures.h"
#include "ui/fixed_size.h"
#include "ui/form10.h"
#include "ui/light_field.h"
#include "ui/line_control.h"
#include "ui/named_font.h"
#include "ui/picture_box.h"
#include "ui/qt_text.h"
#include "ui/scroll_bar.h"
#include "ui/shape_control.h"
#include "ui/text_box.h"
#include "ui/window_gone.h"

namespace ui {
namespace {

// A core failure abandons the handler without a word; it must not unwind through Qt's
// signal delivery. Screen readers then hear of the read-outs' new names, once each.
template <typename Handler>
void runHandler(QtForm4Controls& controls, Handler&& handler) noexcept {
  chart::abandonOnFailure(std::forward<Handler>(handler));
  controls.raiseNameChanges();
}

Qt::Alignment alignmentOf(::layout::TextAlign align) {
  switch (align) {
    case ::layout::TextAlign::Right:
      return Qt::AlignRight | Qt::AlignTop;
    case ::layout::TextAlign::Centre:
      return Qt::AlignHCenter | Qt::AlignTop;
    case ::layout::TextAlign::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

QLabel* createLabel(const ::layout::ControlLayout& layout, QWidget* container) {
  auto* label = layout.border
                    ? new BorderedLabel(
                          toQColor(::layout::design::kWindowText, container->palette()), container)
                    : new QLabel(container);
  label->setTextFormat(Qt::PlainText);
  label->setText(qText(layout.caption));
  label->setAlignment(alignmentOf(layout.align));
  label->setAutoFillBackground(true);
  if (layout.backColour != ::layout::design::kKindDefault) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, toQColor(layout.backColour, palette));
    label->setPalette(palette);
  }
  return label;
}

PictureBox* createPictureBox(const ::layout::ControlLayout& layout, QWidget* container,
                             const chart::ChartRaster& chart) {
  auto* box = new PictureBox(container);
  // Placed before the border is set, which fits the client area into it at once: a
  // hidden widget is told of its new size only when it is first shown.
  box->setGeometry(layout.left, layout.top, layout.width, layout.height);
  box->setSingleBorder(layout.border);
  box->setColours(toQColor(layout.foreColour, box->palette()),
                  toQColor(layout.backColour, box->palette()));
  // The chart is shown from the pixels that the core reads, decoded once.
  if (layout.picture == kChartPicture) {
    box->setPicture(pictureOf(chart));
  } else if (!layout.picture.empty()) {
    box->setPicture(embeddedPicture(layout.picture));
  }
  return box;
}

LineControl* createLine(const ::layout::ControlLayout& layout, QWidget* container) {
  using enum chart::LineEnd;
  auto* line = new LineControl(container);
  line->setColour(toQColor(layout.foreColour, line->palette()));
  line->setEnd(X1, static_cast<chart::ChartCoord>(layout.lineEnds[0]));
  line->setEnd(Y1, static_cast<chart::ChartCoord>(layout.lineEnds[1]));
  line->setEnd(X2, static_cast<chart::ChartCoord>(layout.lineEnds[2]));
  line->setEnd(Y2, static_cast<chart::ChartCoord>(layout.lineEnds[3]));
  return line;
}

ShapeControl* createShape(const ::layout::ControlLayout& layout, QWidget* container) {
  auto* shape =
      new ShapeControl(container, QRect(layout.left, layout.top, layout.width, layout.height));
  shape->setBorderColour(toQColor(layout.foreColour, shape->palette()));
  if (layout.fillColour != ::layout::design::kKindDefault)
    shape->setFillColour(toQColor(layout.fillColour, shape->palette()));
  return shape;
}

}  // namespace

Form4::Form4() {
  installEntryAccessibility();
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setWindowTitle(qText(::layout::kForm4Caption));
  setWindowIcon(embeddedWindowIcon());
  keepFixedSize(this, QSize(::layout::kForm4ClientWidth, ::layout::kForm4ClientHeight));
  closeWhenDestroyedOutside(this);
  setFont(dialogFont());
  raster_ = std::make_unique<const chart::ChartRaster>(embeddedChartRaster());
  buildControls();
  for (const chart::TextControl warned : chart::kWarnedControls)
    keepLightField(control(::layout::nameOf(warned)));
  setTabOrder();
  control("Text1")->setFocus();

  Form4Widgets widgets;
  std::ranges::transform(
      ::layout::kScrollBars, widgets.scrollBars.begin(),
      [this](std::string_view name) { return static_cast<QScrollBar*>(control(name)); });
  widgets.lines = {static_cast<LineControl*>(control("Line1")),
                   static_cast<LineControl*>(control("Line2"))};
  widgets.marker = static_cast<ShapeControl*>(control("Shape2"));
  std::ranges::transform(::layout::kTextControls, widgets.texts.begin(),
                         [this](std::string_view name) { return control(name); });
  controls_ = std::make_unique<QtForm4Controls>(widgets);
  logic_ = std::make_unique<chart::Form4Logic>(*raster_, *controls_);
  connectEvents();
  runHandler(*controls_, [this] { logic_->Form_Load(); });
  announceReadings();
}

// The members go before QWidget deletes the children, yet the children's signals reach
// them: the children go first.
Form4::~Form4() { qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly)); }

QWidget* Form4::control(std::string_view name) const { return findChild<QWidget*>(qText(name)); }

void Form4::buildControls() {
  // Bottom first: a widget created later lies above its earlier siblings. Windowed
  // controls lie above everything drawn on the window's own surface.
  for (const bool windowed : {false, true}) {
    for (auto it = ::layout::kForm4Layout.rbegin(); it != ::layout::kForm4Layout.rend(); ++it) {
      if (it->container == ::layout::Container::Form4 && ::layout::isWindowed(it->kind) == windowed)
        createControl(*it, this);
    }
  }
  QWidget* chartClient = static_cast<PictureBox*>(control("Picture1"))->client();
  for (auto it = ::layout::kForm4Layout.rbegin(); it != ::layout::kForm4Layout.rend(); ++it) {
    if (it->container == ::layout::Container::Picture1) createControl(*it, chartClient);
  }
}

QWidget* Form4::createControl(const ::layout::ControlLayout& layout, QWidget* container) {
  QWidget* widget = nullptr;
  switch (layout.kind) {
    case ::layout::ControlKind::PictureBox:
      widget = createPictureBox(layout, container, *raster_);
      break;
    case ::layout::ControlKind::Button:
      widget = new QPushButton(qText(layout.caption), container);
      break;
    case ::layout::ControlKind::TextBox:
      widget = new TextBox(::layout::kTextBoxMaxLength, container);
      break;
    case ::layout::ControlKind::HScrollBar:
      widget = new ScrollBar(Qt::Horizontal, container);
      break;
    case ::layout::ControlKind::VScrollBar:
      widget = new ScrollBar(Qt::Vertical, container);
      break;
    case ::layout::ControlKind::Line:
      widget = createLine(layout, container);
      break;
    case ::layout::ControlKind::Shape:
      widget = createShape(layout, container);
      break;
    case ::layout::ControlKind::Label:
      widget = createLabel(layout, container);
      break;
  }
  widget->setObjectName(qText(layout.name));
  if (layout.kind != ::layout::ControlKind::Line)
    widget->setGeometry(layout.left, layout.top, layout.width, layout.height);
  if (layout.font == ::layout::FontChoice::Named) widget->setFont(namedFont());
  if (!layout.toolTip.empty()) widget->setToolTip(qText(layout.toolTip));
  if (!layout.accessibleName.empty()) widget->setAccessibleName(qText(layout.accessibleName));
  if (!layout.accessibleDescription.empty())
    widget->setAccessibleDescription(qText(layout.accessibleDescription));
  if (layout.readOut) {
    widget->setFocusPolicy(Qt::TabFocus);
  } else if (!::layout::takesFocus(layout.kind)) {
    widget->setFocusPolicy(Qt::NoFocus);
  }
  if (layout.kind == ::layout::ControlKind::TextBox)
    makeEntryAccessible(static_cast<QLineEdit*>(widget));
  return widget;
}

void Form4::setTabOrder() {
  std::vector<const ::layout::ControlLayout*> order;
  for (const ::layout::ControlLayout& layout : ::layout::kForm4Layout) {
    if (layout.tabIndex != ::layout::kNoTabIndex && ::layout::takesFocus(layout))
      order.push_back(&layout);
  }
  std::ranges::sort(order, {}, &::layout::ControlLayout::tabIndex);
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(control(order[i - 1]->name), control(order[i]->name));
  }
}

void Form4::connectEvents() {
  connect(static_cast<QScrollBar*>(control("HScroll1")), &QScrollBar::valueChanged, this,
          [this] { HScroll1_Change(); });
  connect(static_cast<QScrollBar*>(control("VScroll1")), &QScrollBar::valueChanged, this,
          [this] { VScroll1_Change(); });
  auto* picture1 = static_cast<PictureBox*>(control("Picture1"));
  connect(picture1, &PictureBox::mouseDown, this, &Form4::Picture1_MouseDown);
  connect(picture1, &PictureBox::mouseMove, this, &Form4::Picture1_MouseMove);
  connect(static_cast<QPushButton*>(control("Command1")), &QPushButton::clicked, this,
          [this] { Command1_Click(); });
  connect(static_cast<QPushButton*>(control("Command2")), &QPushButton::clicked, this,
          [this] { Command2_Click(); });
  connect(static_cast<QPushButton*>(control("Command3")), &QPushButton::clicked, this,
          [this] { Command3_Click(); });
  connect(static_cast<QPushButton*>(control("Command4")), &QPushButton::clicked, this,
          &ui::Command4_Click);
}

// Every reading follows a scroll value change; the screen reader hears the reading once
// the action that made it is over.
void Form4::announceReadings() {
  auto* hScroll1 = static_cast<ScrollBar*>(control("HScroll1"));
  auto* vScroll1 = static_cast<ScrollBar*>(control("VScroll1"));
  hScroll1->setSpokenQuantity(chart::scales::kColumnSpeed);
  vScroll1->setSpokenQuantity(chart::scales::kRowPower);
  auto* announcer =
      new Announcer(control("Picture1"), [this] { return logic_->takeAnnouncement(); });
  connect(hScroll1, &QScrollBar::valueChanged, announcer, &Announcer::readingChanged);
  connect(vScroll1, &QScrollBar::valueChanged, announcer, &Announcer::readingChanged);
}

void Form4::HScroll1_Change() {
  runHandler(*controls_, [this] { logic_->scrollChanged(chart::ScrollBar::HScroll1); });
}

void Form4::VScroll1_Change() {
  runHandler(*controls_, [this] { logic_->scrollChanged(chart::ScrollBar::VScroll1); });
}

void Form4::Picture1_MouseDown(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x,
                               chart::ChartCoord y) {
  runHandler(*controls_, [&] { logic_->Picture1_MouseDown(button, shift, x, y); });
}

void Form4::Picture1_MouseMove(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x,
                               chart::ChartCoord y) {
  runHandler(*controls_, [&] { logic_->Picture1_MouseMove(button, shift, x, y); });
}

void Form4::Command1_Click() {
  runHandler(*controls_, [this] { logic_->Command1_Click(); });
}

void Form4::Command2_Click() {
  runHandler(*controls_, [this] { logic_->Command2_Click(); });
}

// Ends the program at once, whatever other window is open.
void Form4::Command3_Click() { QCoreApplication::exit(0); }

}  // namespace ui
