#include "ui/sheet_output.h"

#include <optional>
#include <string>

#include <QDate>
#include <QFileDialog>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "sheet/sheet_pdf.h"
#include "ui/qt_colour.h"
#include "ui/qt_text.h"

namespace ui {
namespace {

using namespace chart::sheet;

QColor colour(chart::Colour c) { return toQColor(c, QPalette()); }

// Points to the device's pixels.
struct PageScale {
  double x;
  double y;
};

struct Painter {
  QPainter& p;
  PageScale scale;
  const chart::ChartRaster& raster;

  QPointF at(double x, double y) const { return {x * scale.x, y * scale.y}; }

  void operator()(const Text& t) const {
    QFont font(qText(kFontFamily).section(QLatin1Char(','), 0, 0));
    font.setPointSizeF(t.size);  // points of the page, which is the device
    font.setBold(t.bold);
    // No ligatures: "fi" stays two letters that a search in the PDF finds and a copy keeps.
    font.setStyleStrategy(QFont::PreferNoShaping);
    p.setFont(font);
    p.setPen(colour(t.colour));
    const QString text = qText(t.text);
    QPointF origin = at(t.x, t.y);
    if (t.anchor != Anchor::Start) {
      const double width = QFontMetricsF(font, p.device()).horizontalAdvance(text);
      origin.rx() -= t.anchor == Anchor::End ? width : width / 2;
    }
    p.drawText(origin, text);
  }
  void operator()(const Line& l) const {
    p.setPen(QPen(colour(l.colour), l.width * scale.x, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(at(l.x1, l.y1), at(l.x2, l.y2));
  }
  void operator()(const Box& b) const {
    p.setPen(
        QPen(colour(b.colour), b.lineWidth * scale.x, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(at(b.x, b.y), at(b.x + b.width, b.y + b.height)));
  }
  void operator()(const ChartPicture& c) const {
    constexpr int kWidth = chart::ChartRaster::kWidth;
    constexpr int kHeight = chart::ChartRaster::kHeight;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const auto pixels = raster.pixels();
    for (int y = 0; y < kHeight; ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < kWidth; ++x)
        row[x] = colour(pixels[static_cast<std::size_t>(y * kWidth + x)]).rgb();
    }
    // Each chart pixel a block of device pixels, never smoothed between them, and in a PDF the
    // pixels kept as they are rather than compressed as a photograph.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    p.drawImage(QRectF(at(c.x, c.y), at(c.x + kWidth * kChartPixel, c.y + kHeight * kChartPixel)),
                image);
  }
};

}  // namespace

void paintSheet(QPainter& painter, const QPaintDevice& page, const std::vector<Item>& items,
                const chart::ChartRaster& raster) {
  const PageScale scale{page.logicalDpiX() / 72.0, page.logicalDpiY() / 72.0};
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  const Painter draw{painter, scale, raster};
  for (const Item& item : items) std::visit(draw, item);
}

bool printSheet(QWidget* parent, const std::vector<Item>& items, const chart::ChartRaster& raster) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  printer.setFullPage(true);
  printer.setDocName(qText(chart::kSheetFileName));
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  paintSheet(painter, printer, items, raster);
  return painter.end();
}

QString saveSheetPdf(QWidget* parent, const std::vector<Item>& items,
                     const chart::ChartRaster& raster) {
  const QString path = QFileDialog::getSaveFileName(
      parent, QObject::tr("Save the sheet as PDF"),
      qText(chart::kSheetFileName) + QStringLiteral(".pdf"), QObject::tr("PDF documents (*.pdf)"));
  if (path.isEmpty()) return {};
  const std::string error = sheet::writeSafely(path.toStdString(), [&](const sheet::Sink& sink) {
    return sheet::writeSheetPdf(items, raster, sink);
  });
  return QString::fromStdString(error);
}

namespace {

// The reference line of the sheet, asked for each time, the last one offered again: kept for
// the run only, as the program keeps nothing.
std::optional<std::string> askReference(QWidget* parent) {
  static QString last;
  bool accepted = false;
  const QString typed =
      QInputDialog::getText(parent, qText(chart::kReferenceCaption),
                            qText(chart::kReferenceCaption), QLineEdit::Normal, last, &accepted);
  if (!accepted) return std::nullopt;
  last = typed;
  return typed.toStdString();
}

std::string today() { return QDate::currentDate().toString(Qt::ISODate).toStdString(); }

void output(QWidget* parent, SheetAction action, const chart::SheetContent& content,
            const chart::ChartRaster& raster) {
  const std::vector<Item> items = chart::drawSheet(content);
  if (action == SheetAction::Print) {
    printSheet(parent, items, raster);
    return;
  }
  const QString error = saveSheetPdf(parent, items, raster);
  if (!error.isEmpty()) QMessageBox::warning(parent, qText(chart::kSavePdfButton), error);
}

}  // namespace

void printReadingSheet(QWidget* parent, const chart::Reading& reading,
                       const chart::ChartRaster& raster) {
  const auto reference = askReference(parent);
  if (!reference) return;
  output(parent, SheetAction::Print, {.reading = reading, .reference = *reference, .date = today()},
         raster);
}

void proposalSheet(QWidget* parent, SheetAction action, const chart::Duty& duty,
                   const chart::DriveProposal& drive, const chart::ChartRaster& raster) {
  const auto reference = askReference(parent);
  if (!reference) return;
  output(parent, action,
         {.reading = drive.reading,
          .duty = &duty,
          .drive = &drive,
          .reference = *reference,
          .date = today()},
         raster);
}

}  // namespace ui
