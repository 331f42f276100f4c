#include "ui/named_font.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace ui {
namespace {

constexpr const char* kNamedFamily = "MS Sans Serif";
constexpr double kNamedPoints = 9.75;
constexpr double kDialogPoints = 8;
// Wine ships the face, with the 13-pixel strike that 9.75 points make at 96 dpi.
constexpr const char* kWineFace = "/usr/share/wine/fonts/ms_sans_serif.ttf";

}  // namespace

void installNamedFont() {
  if (QFontDatabase::hasFamily(kNamedFamily)) return;
  if (QFile::exists(kWineFace)) QFontDatabase::addApplicationFont(kWineFace);
}

namespace {

QFont sansSerif(double points) {
  QFont font;
  font.setFamilies(QStringList{kNamedFamily});
  font.setStyleHint(QFont::SansSerif);
  // QFont(family, 9.75) would truncate to 9 points.
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  return font;
}

}  // namespace

QFont namedFont() { return sansSerif(kNamedPoints); }

QFont dialogFont() { return sansSerif(kDialogPoints); }

}  // namespace ui
