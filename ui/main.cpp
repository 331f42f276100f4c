#include <QApplication>

#include "ui/form4.h"
#include "ui/named_font.h"

int main(int argc, char* argv[]) {
  // The program takes no command line: Qt sees the program name alone.
  (void)argc;
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  ui::installNamedFont();
  ui::Form4 form;
  form.show();
  return QApplication::exec();
}
