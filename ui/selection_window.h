#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>

#include <QDialog>

#include "chart/drive_selection.h"
#include "ui/sheet_output.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace ui {

class Announcer;
class Form4;

// What a drive's "Print…" and "Save PDF…" ask for: its one-page sheet, printed or saved.
struct SheetRequest {
  SheetAction action;
  const chart::Selection* selection;
  const chart::DriveProposal* drive;
};

// The drive selection window beside the main window: a duty's entries, the core's proposals as
// a table, and per drive a button that shows it on the main window through the main window's
// own controls, as a user's typing and clicks would, and buttons for its sheet. A dialog:
// Enter in an entry selects, Enter on a button presses it, Escape closes the window.
class SelectionWindow final : public QDialog {
  Q_OBJECT

 public:
  using SheetHandler = std::function<void(SheetRequest)>;

  // Drives `form`, which must outlive the window. A drive's sheet goes to `sheet`; without one it
  // is printed or saved for the user, the reference asked first.
  explicit SelectionWindow(Form4& form, SheetHandler sheet = {});

  // The last selection, and the duty it was made for.
  const chart::Selection& selection() const noexcept { return selection_; }
  const chart::Duty& duty() const noexcept { return duty_; }

  // Beside the main window's frame, on its right where the screen has room.
  void placeBesideMainWindow();

 private:
  void select();
  QWidget* buildTable();
  void showDrive(std::size_t motor, std::size_t drive);

  Form4& form_;
  SheetHandler sheet_;
  chart::DriveSelector selector_;
  chart::Selection selection_;
  chart::Duty duty_;
  std::array<QWidget*, chart::DutyEntries.size()> entries_{};
  QPushButton* selectButton_ = nullptr;
  QLabel* status_ = nullptr;
  QScrollArea* tableArea_ = nullptr;
  Announcer* announcer_ = nullptr;
  std::string unsaid_;
};

}  // namespace ui
