// Saves pictures of the main window in a few cross-hair states, for a person to look at.
// Usage: qnte_screenshot OUTPUT_DIR   (run offscreen or under Xvfb)

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "chart/checked.h"
#include "ui/form4.h"
#include "ui/named_font.h"

namespace {

struct Shot {
  const char* file;
  chart::ScrollValue h;
  chart::ScrollValue v;
};

// Parked at start; a reading inside the permitted region; one outside it, all in red; a
// row whose 7 bar curve is in its limit segment.
constexpr Shot kShots[] = {
    {"parked.png", 0, 0},
    {"reading.png", 300, 200},
    {"red.png", 300, 345},
    {"limit.png", 301, 50},
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  ui::installNamedFont();
  ui::Form4 form;
  form.show();
  QApplication::processEvents();

  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(".")) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  for (const Shot& shot : kShots) {
    // Row first, as a user would drag VScroll1 and then HScroll1.
    form.controls().setScrollValue(chart::ScrollBar::VScroll1, shot.v);
    form.controls().setScrollValue(chart::ScrollBar::HScroll1, shot.h);
    QApplication::processEvents();
    const QString path = out.filePath(QString::fromLatin1(shot.file));
    if (!form.grab().save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
    std::printf("%s\n", qPrintable(path));
  }
  return 0;
}
