#include <cstdio>

#include <QApplication>

#include "ui/display_choice.h"
#include "ui/form4.h"
#include "ui/named_font.h"

int main(int argc, char* argv[]) {
  if (!ui::chooseDisplay()) {
    std::fprintf(stderr, "%s\n", ui::noDisplayMessage());
    return 1;
  }
  // The program takes no command line: Qt sees the program name alone.
  (void)argc;
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
  form.show();
  return QApplication::exec();
}
