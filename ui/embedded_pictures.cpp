#include "ui/embedded_pictures.h"

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QSize>
#include <QString>

#include "chart/bmp24.h"

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

// An icon whose first size is decoded and whose other sizes are read from their files the
// first time any size is drawn; until then only its list of sizes is known. Drawn, it is
// Qt's own icon of all the sizes.
class DeferredIconEngine final : public QIconEngine {
 public:
  DeferredIconEngine(QIcon first, std::vector<QString> others, QList<QSize> sizes)
      : icon_(std::move(first)), others_(std::move(others)), sizes_(std::move(sizes)) {}

  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }
  bool isNull() override { return false; }
  // All sizes are added in the normal mode and the off state, as QIcon lists them.
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return mode == QIcon::Normal && state == QIcon::Off ? sizes_ : QList<QSize>();
  }
  // In device pixels, as QIcon asks its engine; a ratio of 1 hands the size on unchanged.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return whole().pixmap(size, 1.0, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return pixmap(size, mode, state).size();
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const QPaintDevice* device = painter->device();
    const qreal ratio = device != nullptr ? device->devicePixelRatio() : qApp->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
  }

 private:
  const QIcon& whole() {
    for (const QString& file : std::exchange(others_, {})) {
      const QImage picture(file);
      if (!picture.isNull()) icon_.addPixmap(QPixmap::fromImage(picture));
    }
    return icon_;
  }

  QIcon icon_;
  std::vector<QString> others_;
  QList<QSize> sizes_;
};

}  // namespace

QImage embeddedPicture(std::string_view path) {
  ensureResources();
  QImage picture(resourcePath(path));
  if (picture.isNull())
    throw std::runtime_error("cannot read the built-in picture " + std::string(path));
  return picture;
}

QIcon embeddedWindowIcon() {
  // The window's own 32-pixel icon is decoded here rather than left to QIcon, which reads a
  // file lazily and would hide a broken icon behind an empty one. The desktop icons in every
  // other size, so that panels and task switchers need not scale one up, are only checked to
  // exist here and decoded when the window system first asks for one: at start they cost
  // time and memory that the first paint does not need.
  const QPixmap windowIcon = QPixmap::fromImage(embeddedPicture(kWindowIconPicture));
  QList<QSize> sizes{windowIcon.size()};
  std::vector<QString> others;
  for (const int size : kDesktopIconSizes) {
    if (size == 32) continue;
    others.push_back(resourcePath(":/icons/" + std::to_string(size) + ".png"));
    if (!QResource(others.back()).isValid()) {
      throw std::runtime_error("cannot find the built-in picture " + others.back().toStdString());
    }
    sizes.push_back(QSize(size, size));
  }
  return QIcon(new DeferredIconEngine(QIcon(windowIcon), std::move(others), std::move(sizes)));
}

chart::ChartRaster embeddedChartRaster() {
  ensureResources();
  const QResource resource(resourcePath(kChartPicture));
  const QByteArray bytes = resource.uncompressedData();
  if (bytes.isEmpty()) throw std::runtime_error("cannot read the built-in chart picture");
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  return chart::ChartRaster(
      chart::decodeBmp24({data, static_cast<std::size_t>(bytes.size())}).pixels);
}

QImage pictureOf(const chart::ChartRaster& raster) {
  const auto pixels = raster.pixels();
  if constexpr (std::endian::native == std::endian::little) {
    // 0x00BBGGRR lies in memory as red, green, blue and a spare byte, which Qt draws as it
    // stands: the box shows the core's own pixels, with no second copy of the chart.
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), chart::ChartRaster::kWidth,
                  chart::ChartRaster::kHeight, chart::ChartRaster::kWidth * 4,
                  QImage::Format_RGBX8888);
  }
  QImage picture(chart::ChartRaster::kWidth, chart::ChartRaster::kHeight, QImage::Format_RGB32);
  for (int y = 0; y < chart::ChartRaster::kHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    const chart::Colour* row =
        pixels.data() + static_cast<std::ptrdiff_t>(y) * chart::ChartRaster::kWidth;
    for (int x = 0; x < chart::ChartRaster::kWidth; ++x) {
      const auto colour = static_cast<std::uint32_t>(row[x]);
      line[x] = qRgb(static_cast<int>(colour & 0xFFu), static_cast<int>(colour >> 8 & 0xFFu),
                     static_cast<int>(colour >> 16 & 0xFFu));
    }
  }
  return picture;
}

}  // namespace ui
