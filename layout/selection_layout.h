#pragma once

#include <string_view>

namespace layout {

// The drive selection window beside the main window. Its entries, captions, columns and the
// names of Select, Show, Print and Save PDF are the core's; these are what the window adds.
struct SelectionLayout {
  int gap;  // between the main window's frame and this window's
  int entryColumns;  // the entries side by side, in reading order
  int entryMaxLength;  // as for the main window's text boxes: a pasted page stays out
  int tableRowsShown;  // rows of the table the window opens tall enough for
  int cellPadding;  // around a table cell's text
  int gridLine;  // between the table's cells
  int outcomeDelayMs;  // from a new table to the outcome said to a screen reader
  std::string_view entryDescription;
  std::string_view selectDescription;
  std::string_view statusDescription;
  std::string_view showDescription;
  std::string_view printName;  // followed by the drive's words
  std::string_view printDescription;
  std::string_view savePdfName;
  std::string_view savePdfDescription;
};

inline constexpr SelectionLayout kSelectionLayout{
    .gap = 8,
    .entryColumns = 2,
    .entryMaxLength = 100,
    .tableRowsShown = 11,
    .cellPadding = 3,
    .gridLine = 1,
    .outcomeDelayMs = 400,
    .entryDescription = "Part of the duty for the Select button below",
    .selectDescription = "Selects the speed, the power and the belt drives for the duty",
    .statusDescription = "Outcome of the last selection",
    .showDescription =
        "Types the drive into the chart window's belt drive calculator, clicks its "
        "Calculate and moves the power scroll bar to the drive's row",
    .printName = "Print the sheet of ",
    .printDescription = "Prints the drive's one-page sheet",
    .savePdfName = "Save as PDF the sheet of ",
    .savePdfDescription = "Saves the drive's one-page sheet as a PDF file",
};

}  // namespace layout
