#pragma once

// Helpers for the tests of the drive selection window: a duty typed into its entries.

#include <array>
#include <string>
#include <string_view>

#include <QLineEdit>
#include <QTest>

#include "chart/drive_selection.h"
#include "tests/support/form4_probe.h"
#include "ui/selection_window.h"

namespace uitest {

using DutyTexts = std::array<std::string, chart::DutyEntries.size()>;

// The entries as the window opens them, with a delivery and a pressure.
inline DutyTexts dutyTexts(const char* delivery, const char* pressure) {
  DutyTexts texts = chart::defaultEntryTexts();
  // Moved in: copying a literal into the defaults trips GCC 12's -Wrestrict once inlined.
  texts[0] = std::string(delivery);
  texts[1] = std::string(pressure);
  return texts;
}

// Types the texts into the window's line edits and presses Enter in the entry `enterIn`.
inline void enterDuty(ui::SelectionWindow& window, const DutyTexts& texts,
                      std::string_view enterIn = chart::DutyEntries.back().name) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (auto* edit = window.findChild<QLineEdit*>(qText(chart::DutyEntries[i].name)))
      edit->setText(QString::fromStdString(texts[i]));
  }
  QTest::keyClick(window.findChild<QWidget*>(qText(enterIn)), Qt::Key_Return);
}

}  // namespace uitest
