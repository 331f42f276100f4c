// The drive selection window as a user and a screen reader meet it: every control reached and
// named through the accessibility layer, the table the core's selection, a drive's Show putting
// the drive on the main window through its own handlers with one announcement, and bad input
// refused in the core's words without moving anything.

#include "ui/selection_window.h"

#include <algorithm>
#include <vector>

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "chart/reading_announcement.h"
#include "layout/selection_layout.h"
#include "resources/embedded_belts.h"
#include "resources/embedded_chart.h"
#include "tests/support/form4_probe.h"
#include "tests/support/main_window_test.h"
#include "tests/support/selection_probe.h"
#include "ui/form4.h"

using namespace uitest;

using Shown = std::vector<std::pair<std::size_t, std::size_t>>;  // motor, drive
Q_DECLARE_METATYPE(uitest::DutyTexts)
Q_DECLARE_METATYPE(Shown)

namespace {

// Every interface below `face`, depth first, in the order a screen reader walks them.
void walk(QAccessibleInterface* face, std::vector<QAccessibleInterface*>& all) {
  all.push_back(face);
  for (int i = 0; i < face->childCount(); ++i) walk(face->child(i), all);
}

QString said(QAccessibleInterface* face, QAccessible::Text what = QAccessible::Name) {
  return face != nullptr ? face->text(what) : QStringLiteral("<none>");
}

// A control's name, or where Qt gives it none of its own (a combo box on Linux, named by its
// value) the label that labels it, which screen readers say with it.
QString caption(QAccessibleInterface* face) {
  const auto labels = face->relations(QAccessible::Label);
  return labels.isEmpty() ? said(face) : said(labels.front().first);
}

// Shows of the main window's announcer: each is one announcement.
struct Heard : QObject {
  int times = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    times += event->type() == QEvent::Show ? 1 : 0;
    return false;
  }
};

}  // namespace

class SelectionWindowTest : public MainWindowTest {
  Q_OBJECT

  void opened() override {
    window_ = new ui::SelectionWindow(*form_, [this](ui::SheetRequest r) { asked_.push_back(r); });
    window_->placeBesideMainWindow();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    asked_.clear();
  }

 private slots:
  // The duty typed, Enter pressed in an entry, and the core's own selection of it.
  chart::Selection select(const DutyTexts& texts,
                          std::string_view enterIn = chart::DutyEntries.back().name) {
    enterDuty(*window_, texts, enterIn);
    chart::DriveSelector selector(embedded::chartRaster(), embedded::beltTables());
    return selector.select(chart::dutyFromEntries(texts));
  }

  std::vector<QAccessibleInterface*> tree() {
    std::vector<QAccessibleInterface*> all;
    walk(QAccessible::queryAccessibleInterface(window_), all);
    return all;
  }

  QAccessibleInterface* named(QAccessible::Role role, const QString& name) {
    for (QAccessibleInterface* face : tree()) {
      if (face->role() == role && (said(face) == name || caption(face) == name)) return face;
    }
    return nullptr;
  }

  // Every entry has its caption as its name, every button its name, every drive its buttons,
  // the table the core's columns; all with a description, and Tab reaching them in order.
  void controls_areReachedAndNamedThroughTheAccessibilityLayer() {
    const chart::Selection core = select(dutyTexts("4.5", "8"));
    std::vector<QWidget*> order;
    for (const chart::DutyEntry& entry : chart::DutyEntries) {
      const auto role = entry.choices.empty() ? QAccessible::EditableText : QAccessible::ComboBox;
      QAccessibleInterface* face = named(role, qText(entry.caption));
      QVERIFY2(face != nullptr, entry.name.data());
      order.push_back(static_cast<QWidget*>(face->object()));
    }
    QAccessibleInterface* selectButton = named(QAccessible::Button, qText(chart::kSelectButton));
    QVERIFY(selectButton != nullptr);
    order.push_back(static_cast<QWidget*>(selectButton->object()));

    QAccessibleInterface* table = named(QAccessible::Table, qText(chart::kSelectionCaption));
    QVERIFY(table != nullptr && table->tableInterface() != nullptr);
    QCOMPARE(table->tableInterface()->columnCount(), 1 + int(chart::SelectionColumns.size()));
    for (std::size_t c = 0; c < chart::SelectionColumns.size(); ++c) {
      QAccessibleInterface* cell = table->tableInterface()->cellAt(0, int(c) + 1);
      QCOMPARE(said(cell->tableCellInterface()->columnHeaderCells().value(0)),
               qText(chart::SelectionColumns[c]));
    }
    int row = 1;
    for (const chart::MotorDrives& motor : core.motors) {
      for (const chart::DriveProposal& drive : motor.drives) {
        // The row's buttons, reached inside its heading cell.
        QAccessibleInterface* heading = table->tableInterface()->cellAt(row++, 0);
        QCOMPARE(heading->role(), QAccessible::RowHeader);
        // Named by the drive, which a reader says on moving to another row.
        QVERIFY(!said(heading).isEmpty());
        QVERIFY(qText(chart::showDriveLabel(drive)).contains(said(heading)));
        QCOMPARE(table->tableInterface()->rowDescription(row - 1), said(heading));
        QCOMPARE(heading->childCount(), 3);
        QCOMPARE(said(heading->child(0)), qText(chart::showDriveLabel(drive)));
        for (int i = 0; i < heading->childCount(); ++i)
          order.push_back(static_cast<QWidget*>(heading->child(i)->object()));
        QVERIFY(said(heading->child(1)).startsWith(qText(layout::kSelectionLayout.printName)));
        QVERIFY(said(heading->child(1)).endsWith(qText(chart::driveWords(drive))));
        // The sheet's buttons hand over this drive of this selection.
        QTest::mouseClick(static_cast<QWidget*>(heading->child(2)->object()), Qt::LeftButton);
        QCOMPARE(asked_.back().action, ui::SheetAction::SavePdf);
        QCOMPARE(asked_.back().drive->reading, drive.reading);
        QCOMPARE(asked_.back().selection, &window_->selection());
      }
    }
    QCOMPARE(table->tableInterface()->rowCount(), row);
    for (QAccessibleInterface* face : tree()) {
      if (face->role() == QAccessible::Button || face->role() == QAccessible::EditableText ||
          face->role() == QAccessible::ComboBox || face->role() == QAccessible::Table) {
        QVERIFY2(!said(face, QAccessible::Description).isEmpty(), qPrintable(said(face)));
      }
    }
    // Tab goes top to bottom: the entries, Select, then the drives' buttons row by row.
    std::vector<QWidget*> tabbed{order.front()};
    for (QWidget* w = order.front()->nextInFocusChain(); w != order.front();
         w = w->nextInFocusChain()) {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window_) && w->window() == window_)
        tabbed.push_back(w);
    }
    QCOMPARE(tabbed, order);
  }

  // The default duty's table is the core's selection of the same entries, red where it says.
  void defaultDuty_tableIsTheCoresSelection() {
    // Enter in the entry that offers a choice.
    const chart::Selection core =
        select(dutyTexts("4.5", "8"), std::ranges::find_if(chart::DutyEntries, [](const auto& e) {
                                        return !e.choices.empty();
                                      })->name);
    QVERIFY(core.refusals.none());
    std::vector<std::pair<chart::SelectionRow, chart::Reading>> rows{
        {chart::answerRow(core), core.reading}};
    for (const chart::MotorDrives& motor : core.motors) {
      for (const chart::DriveProposal& drive : motor.drives)
        rows.emplace_back(chart::driveRow(drive), drive.reading);
    }
    QAccessibleTableInterface* table =
        named(QAccessible::Table, qText(chart::kSelectionCaption))->tableInterface();
    QCOMPARE(table->rowCount(), int(rows.size()));
    QCOMPARE(said(table->cellAt(0, 0)), qText(chart::kAnswerRowHeading));
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const auto red = chart::redCells(rows[r].second);
      for (std::size_t c = 0; c < rows[r].first.size(); ++c) {
        QAccessibleInterface* cell = table->cellAt(int(r), int(c) + 1);
        QCOMPARE(said(cell), QString::fromStdString(rows[r].first[c]));
        const auto* widget = static_cast<QWidget*>(cell->object());
        QCOMPARE(widget->palette().color(widget->foregroundRole()) == QColor(Qt::red), red[c]);
      }
    }
    QCOMPARE(said(named(QAccessible::StaticText, qText(chart::selectionSummary(core)))),
             qText(chart::selectionSummary(core)));
  }

  void show_putsTheDriveOnTheMainWindow_data() {
    QTest::addColumn<Shown>("shown");
    QTest::newRow("the first drive") << Shown{{0, 0}};
    QTest::newRow("a 2-pole drive after a 4-pole one") << Shown{{0, 1}, {1, 0}};
    // The second time the column already stands there: it must be parked first.
    QTest::newRow("the same drive twice") << Shown{{1, 2}, {1, 2}};
  }

  // Through the main window's own handlers: its read-outs are the proposal's, its reading is
  // announced once, and the focus stays on Show.
  void show_putsTheDriveOnTheMainWindow() {
    QFETCH(Shown, shown);
    const chart::Selection core = select(dutyTexts("4.5", "8"));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    Heard heard;
    form_->findChild<QWidget*>(QStringLiteral("Announcer"))->installEventFilter(&heard);
    for (const auto& [m, d] : shown) {
      const chart::DriveProposal& drive = core.motors.at(m).drives.at(d);
      heard.times = 0;
      auto* show = static_cast<QWidget*>(
          named(QAccessible::Button, qText(chart::showDriveLabel(drive)))->object());
      QTest::mouseClick(show, Qt::LeftButton);
      QTest::qWait(0);
      QCOMPARE(form_->logic().reading(), drive.reading);
      QCOMPARE(heard.times, 1);
      QCOMPARE(form_->findChild<QWidget*>(QStringLiteral("Announcer"))->accessibleName(),
               qText(chart::announceReading(drive.reading)));
      QCOMPARE(QApplication::focusWidget(), show);
    }
  }

  void badInput_isRefusedAndMovesNothing_data() {
    QTest::addColumn<DutyTexts>("texts");
    QTest::newRow("delivery and pressure empty, as the window opens") << chart::defaultEntryTexts();
    QTest::newRow("pressure above the chart's classes") << dutyTexts("4.5", "14");
    QTest::newRow("delivery beyond the chart at any speed") << dutyTexts("9", "7");
    DutyTexts section = dutyTexts("4.5", "8");
    section[8] = "SPX";
    QTest::newRow("unknown belt section") << section;
  }

  void badInput_isRefusedAndMovesNothing() {
    QFETCH(DutyTexts, texts);
    form_->controls().setScrollValue(chart::ScrollBar::HScroll1, 300);
    form_->controls().setScrollValue(chart::ScrollBar::VScroll1, 200);
    const chart::Reading before = form_->logic().reading();
    const chart::Selection core = select(texts);
    QVERIFY(core.refusals.any());
    const QString words = qText(chart::selectionSummary(core));
    QVERIFY(words.startsWith(QStringLiteral("Refused: ")));
    QVERIFY(words.contains(qText(chart::selectionRefusalText(core))));
    QVERIFY(named(QAccessible::StaticText, words) != nullptr);
    QCOMPARE(
        named(QAccessible::Table, qText(chart::kSelectionCaption))->tableInterface()->rowCount(),
        0);
    QCOMPARE(form_->logic().reading(), before);
  }

 private:
  ui::SelectionWindow* window_ = nullptr;  // the main window's
  std::vector<ui::SheetRequest> asked_;
};

QTEST_MAIN(SelectionWindowTest)
#include "selection_window_test.moc"
