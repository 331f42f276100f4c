// The floor of start-up and memory: Qt itself with one empty window of the main window's
// size, and nothing else. Started by bench_startup exactly as it starts the program.

#include <QApplication>
#include <QWidget>

#include "bench/first_paint.h"
#include "layout/form4_layout.h"

int main(int /*argc*/, char* argv[]) {
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QWidget window;
  window.setFixedSize(layout::kForm4ClientWidth, layout::kForm4ClientHeight);
  benchsupport::FirstPaintReporter reporter(&window);
  window.show();
  return QApplication::exec();
}
