#include "ui/embedded_pictures.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <QPixmap>
#include <QString>

// The pictures are compiled into the static library; naming its initialiser keeps the
// linker from dropping them. Q_INIT_RESOURCE works only outside a namespace.
static void initEmbeddedResources() { Q_INIT_RESOURCE(resources); }

namespace ui {
namespace {

void ensureResources() {
  static const bool done = (initEmbeddedResources(), true);
  (void)done;
}

QString resourcePath(std::string_view path) {
  return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

}  // namespace

QImage embeddedPicture(std::string_view path) {
  ensureResources();
  QImage picture(resourcePath(path));
  if (picture.isNull()) throw std::runtime_error("cannot read the built-in picture " + std::string(path));
  return picture;
}

QIcon embeddedWindowIcon() {
  // Decoded here rather than left to QIcon, which reads a file lazily and would hide a
  // broken icon behind an empty one. The window's own 32-pixel icon, and the desktop
  // icons in every other size, so that panels and task switchers need not scale one up.
  QIcon icon(QPixmap::fromImage(embeddedPicture(kWindowIconPicture)));
  for (const int size : kDesktopIconSizes) {
    if (size == 32) continue;
    icon.addPixmap(QPixmap::fromImage(embeddedPicture(":/icons/" + std::to_string(size) + ".png")));
  }
  return icon;
}

chart::ChartRaster chartRasterOf(const QImage& picture) {
  if (picture.width() != chart::ChartRaster::kWidth || picture.height() != chart::ChartRaster::kHeight) {
    throw std::invalid_argument("the chart picture is not 500 x 400 pixels");
  }
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  std::vector<chart::Colour> pixels;
  pixels.reserve(static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb p = line[x];
      pixels.push_back(static_cast<chart::Colour>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16)));
    }
  }
  return chart::ChartRaster(std::move(pixels));
}

}  // namespace ui
