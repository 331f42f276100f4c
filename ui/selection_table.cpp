#include "ui/selection_table.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "chart/units.h"
#include "layout/selection_layout.h"
#include "ui/light_field.h"
#include "ui/qt_colour.h"

namespace ui {
namespace {

// A cell knows its place, which a screen reader asks for; row -1 is the headings'.
class TableCell final : public QLabel {
  Q_OBJECT

 public:
  TableCell(int row, int column, QWidget* table) : QLabel(table), row_(row), column_(column) {
    const int padding = ::layout::kSelectionLayout.cellPadding;
    setContentsMargins(padding, padding, padding, padding);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    const bool heading = row < 0 || column == 0;
    setBackgroundRole(heading ? QPalette::Button : QPalette::Base);
    setForegroundRole(heading ? QPalette::ButtonText : QPalette::Text);
  }
  int row() const { return row_; }
  int column() const { return column_; }

 private:
  int row_;
  int column_;
};

SelectionTable* tableOf(const TableCell* cell) {
  return static_cast<SelectionTable*>(cell->parentWidget());
}

class AccessibleCell final : public QAccessibleWidget, public QAccessibleTableCellInterface {
 public:
  explicit AccessibleCell(TableCell* cell) : QAccessibleWidget(cell, roleOf(cell)) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface)
      return static_cast<QAccessibleTableCellInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text what) const override {
    if (what == QAccessible::Name && cell()->accessibleName().isEmpty()) return cell()->text();
    return QAccessibleWidget::text(what);
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    if (cell()->row() < 0) return {};
    return {QAccessible::queryAccessibleInterface(tableOf(cell())->cell(-1, cell()->column()))};
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override {
    if (cell()->row() < 0 || cell()->column() == 0) return {};
    return {QAccessible::queryAccessibleInterface(tableOf(cell())->cell(cell()->row(), 0))};
  }
  int columnIndex() const override { return cell()->column(); }
  int rowIndex() const override { return cell()->row(); }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override {
    return QAccessible::queryAccessibleInterface(tableOf(cell()));
  }

 private:
  static QAccessible::Role roleOf(const TableCell* cell) {
    if (cell->row() < 0) return QAccessible::ColumnHeader;
    return cell->column() == 0 ? QAccessible::RowHeader : QAccessible::Cell;
  }
  TableCell* cell() const { return static_cast<TableCell*>(widget()); }
};

// The rows a screen reader counts are the body's; the headings come to it as column headers.
class AccessibleTable final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit AccessibleTable(SelectionTable* table) : QAccessibleWidget(table, QAccessible::Table) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
    return QAccessible::queryAccessibleInterface(table()->cell(row, column));
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override {
    return column >= 0 && column < columnCount() ? table()->cell(-1, column)->text() : QString();
  }
  QString rowDescription(int row) const override {
    QAccessibleInterface* heading = cellAt(row, 0);
    return heading != nullptr ? heading->text(QAccessible::Name) : QString();
  }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return table()->columnCount(); }
  int rowCount() const override { return table()->rowCount(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int /*column*/) const override { return false; }
  bool isRowSelected(int /*row*/) const override { return false; }
  bool selectRow(int /*row*/) override { return false; }
  bool selectColumn(int /*column*/) override { return false; }
  bool unselectRow(int /*row*/) override { return false; }
  bool unselectColumn(int /*column*/) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override {}

 private:
  SelectionTable* table() const { return static_cast<SelectionTable*>(widget()); }
};

QAccessibleInterface* tableAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String(TableCell::staticMetaObject.className()))
    return new AccessibleCell(static_cast<TableCell*>(object));
  if (className == QLatin1String(SelectionTable::staticMetaObject.className()))
    return new AccessibleTable(static_cast<SelectionTable*>(object));
  return nullptr;
}

}  // namespace

SelectionTable::SelectionTable(const QStringList& headings, QWidget* parent) : QWidget(parent) {
  static const bool accessibleAsTable = (QAccessible::installFactory(tableAccessible), true);
  (void)accessibleAsTable;
  // The ground between the cells draws the grid.
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Mid);
  auto* grid = new QGridLayout(this);
  const int line = ::layout::kSelectionLayout.gridLine;
  grid->setSpacing(line);
  grid->setContentsMargins(line, line, line, line);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  // Created in reading order, which is the order a screen reader walks the cells in.
  for (int column = 0; column < headings.size(); ++column) {
    auto* heading = new TableCell(-1, column, this);
    heading->setText(headings[column]);
    grid->addWidget(heading, 0, column);
    headings_.push_back(heading);
  }
}

void SelectionTable::addRow(const QString& heading, const std::vector<QPushButton*>& buttons,
                            std::span<const std::string> cells, std::span<const bool> red) {
  auto* grid = static_cast<QGridLayout*>(layout());
  const int row = rowCount();
  std::vector<QLabel*>& made = rows_.emplace_back();
  auto* first = new TableCell(row, 0, this);
  if (buttons.empty()) {
    first->setText(heading);
  } else {
    first->setAccessibleName(heading);
    auto* actions = new QHBoxLayout(first);
    actions->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : buttons) actions->addWidget(button);
    // A label sizes itself by its text: the buttons it holds set its size instead.
    first->setMinimumSize(actions->sizeHint());
  }
  made.push_back(first);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    auto* cell = new TableCell(row, static_cast<int>(i) + 1, this);
    cell->setText(QString::fromStdString(cells[i]));
    if (i < red.size() && red[i]) {
      // The main window's red, on a field light enough for it, as its read-outs have.
      keepLightField(cell);
      QPalette palette = cell->palette();
      palette.setColor(cell->foregroundRole(), toQColor(chart::colours::kRed, palette));
      cell->setPalette(palette);
    }
    made.push_back(cell);
  }
  for (std::size_t column = 0; column < made.size(); ++column)
    grid->addWidget(made[column], row + 1, static_cast<int>(column));
}

QLabel* SelectionTable::cell(int row, int column) const {
  const std::vector<QLabel*>& cells = row < 0 ? headings_ : rows_.at(static_cast<std::size_t>(row));
  return cells.at(static_cast<std::size_t>(column));
}

}  // namespace ui

#include "selection_table.moc"
