#include "ui/selection_window.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "chart/sheet.h"
#include "layout/form4_layout.h"
#include "layout/selection_layout.h"
#include "resources/embedded_belts.h"
#include "ui/accessible_entry.h"
#include "ui/announcer.h"
#include "ui/embedded_pictures.h"
#include "ui/form4.h"
#include "ui/qt_text.h"
#include "ui/selection_table.h"
#include "ui/text_box.h"
#include "ui/window_gone.h"

namespace ui {
namespace {

const ::layout::SelectionLayout& kLayout = ::layout::kSelectionLayout;

std::string textOf(const QWidget* entry) {
  if (const auto* choice = qobject_cast<const QComboBox*>(entry))
    return choice->currentText().toStdString();
  return static_cast<const QLineEdit*>(entry)->text().toStdString();
}

QPushButton* button(std::string_view caption, const QString& name, std::string_view description,
                    QWidget* parent = nullptr) {
  auto* made = new QPushButton(qText(caption), parent);
  made->setAccessibleName(name);
  made->setAccessibleDescription(qText(description));
  return made;
}

// What a user does to show a drive, done on the main window's own controls: its handlers,
// repaints and announcement follow as after the user's typing and clicks.
void showOnWindow(Form4& form, const chart::DriveProposal& drive) {
  const auto bar = [&form](chart::ScrollBar which) {
    return static_cast<QScrollBar*>(form.control(::layout::nameOf(which)));
  };
  const chart::DriveSteps steps = chart::stepsToShow(
      drive, static_cast<chart::ScrollValue>(bar(chart::ScrollBar::HScroll1)->value()));
  if (steps.parkFirst) bar(chart::ScrollBar::HScroll1)->setValue(0);
  for (std::size_t i = 0; i < chart::kBeltEntries.size(); ++i) {
    static_cast<QLineEdit*>(form.control(::layout::nameOf(chart::kBeltEntries[i])))
        ->setText(qText(steps.entries[i]));
  }
  static_cast<QPushButton*>(form.control("Command2"))->click();
  bar(chart::ScrollBar::VScroll1)->setValue(steps.vscroll);
}

}  // namespace

SelectionWindow::SelectionWindow(Form4& form, SheetHandler sheet)
    : QDialog(&form),
      form_(form),
      sheet_(std::move(sheet)),
      selector_(form.raster(), embedded::beltTables()) {
  // Unless told otherwise, a drive's sheet is printed or saved for the user, who is asked first.
  if (!sheet_) {
    sheet_ = [this](SheetRequest request) {
      proposalSheet(this, request.action, duty_, *request.drive, form_.raster());
    };
  }
  installEntryAccessibility();
  setObjectName(QStringLiteral("SelectionWindow"));
  setWindowTitle(qText(chart::kSelectionHeading));
  setWindowIcon(embeddedWindowIcon());
  closeWhenDestroyedOutside(this);

  auto* entries = new QGridLayout;
  const std::array<std::string, chart::DutyEntries.size()> defaults = chart::defaultEntryTexts();
  for (std::size_t i = 0; i < chart::DutyEntries.size(); ++i) {
    const chart::DutyEntry& duty = chart::DutyEntries[i];
    QWidget* entry = nullptr;
    if (duty.choices.empty()) {
      auto* box = new TextBox(kLayout.entryMaxLength, this);
      box->setText(QString::fromStdString(defaults[i]));
      makeEntryAccessible(box);
      entry = box;
    } else {
      auto* choice = new QComboBox(this);
      for (const std::string_view item : duty.choices) choice->addItem(qText(item));
      choice->setCurrentText(QString::fromStdString(defaults[i]));
      entry = choice;
    }
    entry->setObjectName(qText(duty.name));
    entry->setAccessibleName(qText(duty.caption));
    entry->setAccessibleDescription(qText(kLayout.entryDescription));
    auto* label = new QLabel(qText(duty.caption), this);
    label->setBuddy(entry);
    const int row = static_cast<int>(i) / kLayout.entryColumns;
    const int column = 2 * (static_cast<int>(i) % kLayout.entryColumns);
    entries->addWidget(label, row, column);
    entries->addWidget(entry, row, column + 1);
    entries_[i] = entry;
  }

  // Parented at once: the focus moves in the order the window takes its widgets.
  selectButton_ =
      button(chart::kSelectButton, qText(chart::kSelectButton), kLayout.selectDescription, this);
  selectButton_->setDefault(true);
  connect(selectButton_, &QPushButton::clicked, this, [this] { select(); });
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  status_->setTextFormat(Qt::PlainText);
  status_->setAccessibleDescription(qText(kLayout.statusDescription));
  tableArea_ = new QScrollArea(this);
  tableArea_->setFocusPolicy(Qt::NoFocus);
  tableArea_->setWidget(buildTable());

  auto* column = new QVBoxLayout(this);
  column->addLayout(entries);
  column->addWidget(selectButton_, 0, Qt::AlignLeft);
  column->addWidget(status_);
  column->addWidget(tableArea_, 1);
  announcer_ = new Announcer(this, [this] { return std::exchange(unsaid_, {}); });
}

void SelectionWindow::select() {
  std::array<std::string, chart::DutyEntries.size()> texts;
  std::ranges::transform(entries_, texts.begin(), textOf);
  const chart::EnteredDuty entered = chart::dutyFromEntries(texts);
  selection_ = selector_.select(entered);
  duty_ = entered.duty;
  unsaid_ = chart::selectionSummary(selection_);
  status_->setText(QString::fromStdString(unsaid_));
  tableArea_->setWidget(buildTable());
  // A new table is a flood of accessibility events, and a screen reader swamped by them drops
  // what comes with them: the outcome is said once it has taken the table in.
  QTimer::singleShot(kLayout.outcomeDelayMs, announcer_, &Announcer::readingChanged);
}

// The headings alone until a selection has drives; then the speed answer and the drives.
QWidget* SelectionWindow::buildTable() {
  QStringList headings{QString()};
  for (const std::string_view column : chart::SelectionColumns) headings.append(qText(column));
  auto* table = new SelectionTable(headings);
  table->setAccessibleName(qText(chart::kSelectionCaption));
  table->setAccessibleDescription(status_->text());
  if (selection_.motors.empty()) return table;
  table->addRow(qText(chart::kAnswerRowHeading), {}, chart::answerRow(selection_),
                chart::redCells(selection_.reading));
  for (std::size_t m = 0; m < selection_.motors.size(); ++m) {
    const std::vector<chart::DriveProposal>& drives = selection_.motors[m].drives;
    for (std::size_t d = 0; d < drives.size(); ++d) {
      const chart::DriveProposal& drive = drives[d];
      auto* show =
          button(chart::kShowButton, qText(chart::showDriveLabel(drive)), kLayout.showDescription);
      // The focus comes back to the button, for the next drive.
      connect(show, &QPushButton::clicked, this, [this, m, d, show] {
        showDrive(m, d);
        show->setFocus();
      });
      std::vector<QPushButton*> actions{show};
      const QString words = qText(chart::driveWords(drive));
      actions.push_back(
          button(chart::kPrintButton, qText(kLayout.printName) + words, kLayout.printDescription));
      connect(actions.back(), &QPushButton::clicked, this, [this, &drive] {
        sheet_({SheetAction::Print, &selection_, &drive});
      });
      actions.push_back(button(chart::kSavePdfButton, qText(kLayout.savePdfName) + words,
                               kLayout.savePdfDescription));
      connect(actions.back(), &QPushButton::clicked, this, [this, &drive] {
        sheet_({SheetAction::SavePdf, &selection_, &drive});
      });
      table->addRow(words, actions, chart::driveRow(drive), chart::redCells(drive.reading));
    }
  }
  return table;
}

void SelectionWindow::showDrive(std::size_t motor, std::size_t drive) {
  showOnWindow(form_, selection_.motors.at(motor).drives.at(drive));
}

void SelectionWindow::placeBesideMainWindow() {
  const QRect main = form_.frameGeometry();
  const QRect screen = form_.screen()->availableGeometry();
  const QSize table = tableArea_->widget()->sizeHint();
  // A drive's row is as tall as its buttons.
  const int rowHeight =
      selectButton_->sizeHint().height() + 2 * kLayout.cellPadding + kLayout.gridLine;
  const int frame =
      2 * tableArea_->frameWidth() + tableArea_->verticalScrollBar()->sizeHint().width();
  const QSize wanted(std::max(sizeHint().width(), table.width() + frame),
                     sizeHint().height() + kLayout.tableRowsShown * rowHeight);
  const int left = main.right() + 1 + kLayout.gap;
  const int room = screen.right() + 1 - left;
  const QSize size = wanted.boundedTo(
      QSize(std::max(room, minimumSizeHint().width()), screen.bottom() + 1 - main.top()));
  resize(size);
  move(std::min(left, screen.right() + 1 - size.width()), main.top());
}

}  // namespace ui
