// The floor of start-up and memory: Qt itself with one empty window of the main window's
// size, and nothing else. Started by bench_startup exactly as it starts the program. With
// the argument "text" the window shows one line of text as well: what any window pays to
// load the system's fonts, which the empty one never does before its first paint.

#include <cstring>

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "bench/first_paint.h"
#include "layout/form4_layout.h"

int main(int argc, char* argv[]) {
  const bool withText = argc > 1 && std::strcmp(argv[1], "text") == 0;
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QWidget window;
  window.setFixedSize(layout::kForm4ClientWidth, layout::kForm4ClientHeight);
  if (withText) new QLabel(QStringLiteral("PK (kW)"), &window);
  benchsupport::FirstPaintReporter reporter(&window);
  window.show();
  return QApplication::exec();
}
