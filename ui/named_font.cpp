#include "ui/named_font.h"

#include <algorithm>
#include <cmath>

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

namespace ui {
namespace {

constexpr const char* kNamedFamily = "MS Sans Serif";
constexpr double kNamedPoints = 9.75;
constexpr double kDialogPoints = 8;
// Wine ships the face, with the 13-pixel strike that 9.75 points make at 96 dpi, and
// Tahoma, drawn in outline to the same proportions.
constexpr const char* kWineFace = "/usr/share/wine/fonts/ms_sans_serif.ttf";
constexpr const char* kWineScalableFace = "/usr/share/wine/fonts/tahoma.ttf";
constexpr const char* kScalableFamily = "Tahoma";
// What the width is matched on: the captions' and read-outs' characters.
constexpr const char* kSample =
    "PK (kW) : nHR (1/min) : dif. P (bar) : Q1 (m3/min) @ 7 bar 0123456789.";

// The installed families, not hasFamily: that also resolves the system's aliases, which
// costs start-up time and would take a stand-in for the face itself.
void addFace(const char* family, const char* file) {
  if (!QFontDatabase::families().contains(QString::fromLatin1(family), Qt::CaseInsensitive) &&
      QFile::exists(file)) {
    QFontDatabase::addApplicationFont(file);
  }
}

}  // namespace

void installNamedFont() { addFace(kNamedFamily, kWineFace); }

bool displayScaled() { return qApp != nullptr && qApp->devicePixelRatio() != 1; }

namespace {

QFont withStyle(QFont font) {
  font.setStyleHint(QFont::SansSerif);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  return font;
}

// Metrics as drawn at scale 1 and 96 dpi, where the bitmap face has its strike.
QFontMetricsF atScaleOne(const QFont& font) {
  static QImage probe = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    constexpr int kDotsPerMetre96 = 3780;
    image.setDotsPerMeterX(kDotsPerMetre96);
    image.setDotsPerMeterY(kDotsPerMetre96);
    return image;
  }();
  return QFontMetricsF(font, &probe);
}

// A bitmap face keeps its few pixel sizes whatever the display scale, so on a scaled
// display its text would shrink against the window. An outline face stands in, sized and
// stretched so that its digits are as tall, and a line of it as long, as the bitmap
// face's at scale 1.
QFont scalableLike(const QFont& bitmap) {
  // Registered here, not at start: only a scaled display needs it, and a face costs start-up
  // time to register.
  static const bool scalableAdded = (addFace(kScalableFamily, kWineScalableFace), true);
  (void)scalableAdded;
  const QFontMetricsF wanted = atScaleOne(bitmap);
  const QString digits = QStringLiteral("0123456789");
  const QString sample = QString::fromLatin1(kSample);
  QFont font = withStyle(QFont());
  font.setFamilies(QStringList{kScalableFamily, QStringLiteral("DejaVu Sans")});
  // Measured large, where hinting does not round the proportions.
  constexpr double kLarge = 100;
  font.setPixelSize(static_cast<int>(kLarge));
  const QFontMetricsF large = atScaleOne(font);
  const double pixels =
      kLarge * wanted.tightBoundingRect(digits).height() / large.tightBoundingRect(digits).height();
  const double stretch =
      100 * wanted.horizontalAdvance(sample) / (large.horizontalAdvance(sample) * pixels / kLarge);
  constexpr double kPointsPerPixel = 72.0 / 96.0;
  font.setPointSizeF(pixels * kPointsPerPixel);
  font.setStretch(std::clamp(static_cast<int>(std::lround(stretch)), 50, 200));
  return font;
}

QFont sansSerif(double points) {
  QFont font = withStyle(QFont());
  font.setFamilies(QStringList{kNamedFamily});
  // QFont(family, 9.75) would truncate to 9 points.
  font.setPointSizeF(points);
  if (!displayScaled() || QFontDatabase::isSmoothlyScalable(QFontInfo(font).family())) return font;
  return scalableLike(font);
}

}  // namespace

QFont namedFont() { return sansSerif(kNamedPoints); }

QFont dialogFont() { return sansSerif(kDialogPoints); }

}  // namespace ui
