#include "sheet/sheet_pdf.h"

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

#include <cairo-pdf.h>

#include "chart/program.h"

namespace sheet {
namespace {

using namespace chart::sheet;

struct SurfaceFree {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextFree {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;
using Context = std::unique_ptr<cairo_t, ContextFree>;

void setColour(cairo_t* c, chart::Colour colour) {
  const auto v = static_cast<std::uint32_t>(colour);  // 0x00BBGGRR
  cairo_set_source_rgb(c, (v & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0,
                       ((v >> 16) & 0xFF) / 255.0);
}

// The first face of the sheet's list, which fontconfig resolves as it resolves any name.
std::string faceName() {
  const std::string_view family = kFontFamily;
  return std::string(family.substr(0, family.find(',')));
}

struct Painter {
  cairo_t* c;
  const chart::ChartRaster& raster;

  void operator()(const Text& t) const {
    cairo_select_font_face(c, faceName().c_str(), CAIRO_FONT_SLANT_NORMAL,
                           t.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(c, t.size);
    double x = t.x;
    if (t.anchor != Anchor::Start) {
      cairo_text_extents_t extents;
      cairo_text_extents(c, t.text.c_str(), &extents);
      x -= t.anchor == Anchor::End ? extents.x_advance : extents.x_advance / 2;
    }
    setColour(c, t.colour);
    cairo_move_to(c, x, t.y);
    cairo_show_text(c, t.text.c_str());
  }
  void operator()(const Line& l) const {
    setColour(c, l.colour);
    cairo_set_line_width(c, l.width);
    cairo_move_to(c, l.x1, l.y1);
    cairo_line_to(c, l.x2, l.y2);
    cairo_stroke(c);
  }
  void operator()(const Box& b) const {
    setColour(c, b.colour);
    cairo_set_line_width(c, b.lineWidth);
    cairo_rectangle(c, b.x, b.y, b.width, b.height);
    cairo_stroke(c);
  }
  void operator()(const ChartPicture& p) const {
    constexpr int kWidth = chart::ChartRaster::kWidth;
    constexpr int kHeight = chart::ChartRaster::kHeight;
    const Surface image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight));
    cairo_surface_flush(image.get());
    unsigned char* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    const auto pixels = raster.pixels();
    for (int y = 0; y < kHeight; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
      for (int x = 0; x < kWidth; ++x) {
        const auto v = static_cast<std::uint32_t>(pixels[static_cast<std::size_t>(y * kWidth + x)]);
        row[x] = ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);  // 0x00RRGGBB
      }
    }
    cairo_surface_mark_dirty(image.get());
    cairo_save(c);
    cairo_translate(c, p.x, p.y);
    cairo_scale(c, kChartPixel, kChartPixel);
    cairo_set_source_surface(c, image.get(), 0, 0);
    // Nearest pixel: the PDF keeps the raster as it is and asks viewers not to smooth it.
    cairo_pattern_set_filter(cairo_get_source(c), CAIRO_FILTER_NEAREST);
    cairo_rectangle(c, 0, 0, kWidth, kHeight);
    cairo_fill(c);
    cairo_restore(c);
  }
};

cairo_status_t toSink(void* closure, const unsigned char* data, unsigned int length) {
  const Sink& sink = *static_cast<const Sink*>(closure);
  return sink({reinterpret_cast<const char*>(data), length}) ? CAIRO_STATUS_SUCCESS
                                                             : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace

bool writeSheetPdf(const std::vector<Item>& items, const chart::ChartRaster& raster,
                   const Sink& sink) {
  const Surface surface(cairo_pdf_surface_create_for_stream(toSink, const_cast<Sink*>(&sink),
                                                            kPageWidth, kPageHeight));
  const std::string creator =
      std::string(chart::kProgramName) + ' ' + std::string(chart::kProgramVersion);
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, creator.c_str());
  for (const Item& item : items) {
    if (const auto* title = std::get_if<Text>(&item)) {
      cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title->text.c_str());
      break;
    }
  }
  {
    const Context context(cairo_create(surface.get()));
    const Painter painter{context.get(), raster};
    for (const Item& item : items) std::visit(painter, item);
    cairo_show_page(context.get());
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) return false;
  }
  cairo_surface_finish(surface.get());
  return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace sheet
