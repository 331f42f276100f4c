#include <cstdio>
#include <string_view>

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>

#include "ui/display_choice.h"
#include "ui/form4.h"
#include "ui/named_font.h"
#include "ui/selection_window.h"
#include "ui/sheet_output.h"

namespace {

constexpr std::string_view kDriveSelectionOption = "--drive-selection";
constexpr const char* kUsage = "usage: qnte418grafik [--drive-selection]";

}  // namespace

int main(int argc, char* argv[]) {
  // One option: the drive selection window beside the main window. Anything else is refused
  // before a window is made, with the status of a usage error.
  bool driveSelection = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == kDriveSelectionOption) {
      driveSelection = true;
    } else if (option == "--help") {
      std::printf("%s\n", kUsage);
      return 0;
    } else {
      std::fprintf(stderr, "qnte418grafik: unknown option %s; %s\n", argv[i], kUsage);
      return 2;
    }
  }
  if (!ui::chooseDisplay()) {
    std::fprintf(stderr, "%s\n", ui::noDisplayMessage());
    return 1;
  }
  // Qt sees the program name alone: the options are the program's, not Qt's.
  int qtArgc = 1;
  ui::guardDisplayStart();
  QApplication app(qtArgc, argv);
  ui::endDisplayStart();
  QApplication::setApplicationName(QStringLiteral("qnte418grafik"));
  // The desktop entry's id, by which Wayland compositors match the window to the entry
  // and its icon. No display name: Qt would append it to the window caption.
  QApplication::setDesktopFileName(QStringLiteral("org.qnte418grafik.qnte418grafik"));
  ui::installNamedFont();
  ui::Form4 form;
  // Ctrl+P prints the sheet of the reading; the window shows nothing new for it.
  QShortcut print(QKeySequence::Print, &form);
  QObject::connect(&print, &QShortcut::activated, &form, [&form] {
    ui::printReadingSheet(&form, form.logic().reading(), form.raster());
  });
  form.show();
  if (driveSelection) {
    // The main window owns it and ends it.
    auto* selection = new ui::SelectionWindow(form);
    selection->placeBesideMainWindow();
    selection->show();
  }
  return QApplication::exec();
}
