#pragma once

#include <span>
#include <string>
#include <vector>

#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace ui {

// A table of text under column headings whose first column heads each row with a word or with
// the row's buttons. Made of widgets, so that a screen reader meets each button inside its row:
// Qt's item views leave the widgets in their cells out of the accessible tree. Screen readers
// get it as a table with column and row headers.
class SelectionTable final : public QWidget {
  Q_OBJECT

 public:
  // `headings` name every column, the first included.
  explicit SelectionTable(const QStringList& headings, QWidget* parent = nullptr);

  // A row headed by `heading`, or by `buttons`, which the table takes, where there are any:
  // then `heading` is what a screen reader calls the row. `cells` fill the other columns;
  // those flagged in `red` show in the read-outs' red.
  void addRow(const QString& heading, const std::vector<QPushButton*>& buttons,
              std::span<const std::string> cells, std::span<const bool> red);

  int rowCount() const { return static_cast<int>(rows_.size()); }
  int columnCount() const { return static_cast<int>(headings_.size()); }
  // A cell; row -1 holds the column headings.
  QLabel* cell(int row, int column) const;

 private:
  std::vector<QLabel*> headings_;
  std::vector<std::vector<QLabel*>> rows_;
};

}  // namespace ui
