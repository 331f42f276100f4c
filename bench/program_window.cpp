// The program as its main starts it, with one addition: it reports its first paint the way
// bench_bare_window does. Started by bench_startup; a separate executable so that nothing
// of the benchmark's own libraries is loaded into what is measured.

#include <QApplication>

#include "bench/first_paint.h"
#include "ui/form4.h"
#include "ui/named_font.h"

int main(int /*argc*/, char* argv[]) {
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("qnte418grafik"));
  QApplication::setDesktopFileName(QStringLiteral("org.qnte418grafik.qnte418grafik"));
  ui::installNamedFont();
  ui::Form4 form;
  benchsupport::FirstPaintReporter reporter(&form);
  form.show();
  return QApplication::exec();
}
