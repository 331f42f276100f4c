#include "chart/sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <utility>

#include "chart/numeric_text.h"
#include "chart/png_image.h"
#include "chart/program.h"
#include "chart/warnings.h"
#include "layout/form4_layout.h"

namespace chart {
namespace {

using namespace sheet;

constexpr double kLeft = 56.7;  // 20 mm margins
constexpr double kRight = kPageWidth - 56.7;
// The chart's top left corner, on whole chart pixels from the page's corner.
constexpr double kChartX = 125 * kChartPixel;
constexpr double kChartY = 200 * kChartPixel;
constexpr double kLine = 13;  // pt from one line of figures to the next

constexpr Colour kInk = colours::kBlack;
constexpr Colour kQuiet = colours::kGrey;

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" :");
  const std::size_t last = text.find_last_not_of(" :");
  return first == std::string_view::npos ? std::string()
                                         : std::string(text.substr(first, last - first + 1));
}

// Where a point of the main window lies on the sheet, the chart box's inside on the chart.
struct WindowToSheet {
  const layout::ControlLayout& picture = *layout::findControl("Picture1");
  int border = picture.border ? 1 : 0;
  double x(double windowX) const {
    return kChartX + (windowX - picture.left - border) * kChartPixel;
  }
  double y(double windowY) const {
    return kChartY + (windowY - picture.top - border) * kChartPixel;
  }
};

class Drawing {
 public:
  void text(double x, double y, std::string words, double size = 9, bool bold = false,
            Colour colour = kInk, Anchor anchor = Anchor::Start) {
    items_.emplace_back(Text{x, y, size, bold, colour, anchor, std::move(words)});
  }
  void line(double x1, double y1, double x2, double y2, double width, Colour colour) {
    items_.emplace_back(Line{x1, y1, x2, y2, width, colour});
  }
  void box(double x, double y, double width, double height, double lineWidth, Colour colour) {
    items_.emplace_back(Box{x, y, width, height, lineWidth, colour});
  }
  void chart(double x, double y) { items_.emplace_back(ChartPicture{x, y}); }

  // A row of figures: what it is, the value right-aligned, its unit.
  void figure(double x, double y, std::string_view what, std::string value, std::string_view unit,
              Colour colour = kInk) {
    text(x, y, std::string(what));
    text(x + 170, y, std::move(value), 9, false, colour, Anchor::End);
    if (!unit.empty()) text(x + 174, y, std::string(unit), 9, false, colour);
  }

  std::vector<Item> take() { return std::move(items_); }

 private:
  std::vector<Item> items_;
};

// The axes' numbers where the window shows them, beside and below the chart box.
void drawAxes(Drawing& d) {
  const WindowToSheet at;
  for (const layout::ControlLayout& c : layout::kForm4Layout) {
    if (c.kind != layout::ControlKind::Label || c.caption.empty() ||
        c.font == layout::FontChoice::Named)
      continue;
    const bool power = c.align == layout::TextAlign::Right;
    const bool speed = c.align == layout::TextAlign::Centre && c.top > at.picture.top;
    if (!power && !speed) continue;
    const double baseline = at.y(c.top + c.height * 0.75);
    if (power) {
      d.text(at.x(c.left + c.width), baseline, std::string(c.caption), 7, false, kInk, Anchor::End);
    } else {
      d.text(at.x(c.left + c.width / 2.0), baseline, std::string(c.caption), 7, false, kInk,
             Anchor::Middle);
    }
  }
  d.text(at.x(at.picture.left) - 30, kChartY - 8, trimmed(layout::findControl("Label1")->caption),
         8, true);
  d.text(at.x(at.picture.left + at.picture.width), at.y(at.picture.top + at.picture.height) + 26,
         trimmed(layout::findControl("Label3")->caption), 8, true, kInk, Anchor::End);
}

// The chart, its box, and the cross-hair and marker where the window puts them: each line one
// chart pixel wide, through the middle of the pixels it covers.
void drawChart(Drawing& d, const Reading& r) {
  const double inside = ChartRaster::kWidth * kChartPixel;
  const double tall = ChartRaster::kHeight * kChartPixel;
  d.chart(kChartX, kChartY);
  // The chart box's line half a chart pixel clear of the chart, so that no renderer's rounding
  // lays it over the chart's outer pixels.
  d.box(kChartX - kChartPixel, kChartY - kChartPixel, inside + 2 * kChartPixel,
        tall + 2 * kChartPixel, kChartPixel, kInk);
  const auto cell = [](double coordinate) { return static_cast<int>(std::floor(coordinate)); };
  const auto centre = [](int cell) { return (cell + 0.5) * kChartPixel; };
  // A run of pixels from cell `from` to cell `to`, both drawn, clipped to the chart.
  const auto run = [](int from, int to, int extent) {
    return std::pair{std::max(from, 0) * kChartPixel, (std::min(to, extent - 1) + 1) * kChartPixel};
  };
  const Colour crossHair = colours::kCrossHair;
  const auto column = [&](int x, int top, int bottom) {
    if (x < 0 || x >= ChartRaster::kWidth || bottom < 0 || top >= ChartRaster::kHeight) return;
    const auto [y1, y2] = run(top, bottom, ChartRaster::kHeight);
    d.line(kChartX + centre(x), kChartY + y1, kChartX + centre(x), kChartY + y2, kChartPixel,
           crossHair);
  };
  const auto row = [&](int y, int left, int right) {
    if (y < 0 || y >= ChartRaster::kHeight || right < 0 || left >= ChartRaster::kWidth) return;
    const auto [x1, x2] = run(left, right, ChartRaster::kWidth);
    d.line(kChartX + x1, kChartY + centre(y), kChartX + x2, kChartY + centre(y), kChartPixel,
           crossHair);
  };
  // The marker lowest, then Line2 and Line1 over it, as the window stacks them.
  const int size = layout::findControl("Shape2")->width;
  const int left = cell(r.markerLeft);
  const int top = cell(r.markerTop);
  row(top, left, left + size - 1);
  row(top + size - 1, left, left + size - 1);
  column(left, top, top + size - 1);
  column(left + size - 1, top, top + size - 1);
  const auto& [line1, line2] = r.lineEnds;
  if (r.lineVisible[1])
    row(cell(line2[1]), cell(std::min(line2[0], line2[2])), cell(std::max(line2[0], line2[2])));
  if (r.lineVisible[0])
    column(cell(line1[0]), cell(std::min(line1[1], line1[3])), cell(std::max(line1[1], line1[3])));
}

double drawReading(Drawing& d, double y, const Reading& r) {
  d.text(kLeft, y, "Reading", 11, true);
  y += kLine + 2;
  const Colour speedPower = r.speedPowerRed() ? colours::kRed : kInk;
  const Colour pressure = r.pressureRed() ? colours::kRed : kInk;
  d.figure(kLeft, y, "Rotor speed nHR", r.speed, "1/min", speedPower);
  d.figure(kLeft, y += kLine, "Shaft power PK", r.power, "kW", speedPower);
  d.figure(kLeft, y += kLine, "Differential pressure", r.pressure, "bar", pressure);
  d.figure(kLeft, y += kLine, "Free air delivery Q1", r.delivery, "m\u00b3/min " + r.deliveryClass,
           pressure);
  const auto reasons = [&](std::string_view readOuts, Warnings warnings) {
    if (warnings.none()) return;
    d.text(kLeft, y += kLine + 2, std::string(readOuts) + " outside the permitted region:", 9,
           false, colours::kRed);
    for (const std::string_view words : wordsOf(warnings, WarningTexts))
      d.text(kLeft + 8, y += kLine, std::string(words), 9, false, colours::kRed);
  };
  reasons("Speed and power", r.speedAndPower);
  reasons("Pressure and delivery", r.pressureAndDelivery);
  return y;
}

double drawDrive(Drawing& d, double x, double y, const DriveProposal& p) {
  const BeltDesign& b = p.design;
  d.text(x, y, "Belt drive", 11, true);
  y += kLine + 2;
  d.figure(x, y, "Motor speed", std::to_string(p.motorSpeed), "1/min");
  d.figure(x, y += kLine, "Motor pulley, datum", std::to_string(p.motorPulley), "mm");
  d.figure(x, y += kLine, "Air-end pulley, datum", std::to_string(p.airEndPulley), "mm");
  d.figure(x, y += kLine, "Wedge belt section", std::string(nameOf(b.profile)), "");
  for (const DesignFigure& figure : DesignFigures)
    d.figure(x, y += kLine, figure.heading, figureText(figure, b), "");
  d.figure(x, y += kLine, "Service factor c2", shortestText(b.serviceFactor), "");
  d.figure(x, y += kLine, "Tension, first installation (N)", fixedText(b.installTension(), 0), "");
  d.figure(x, y += kLine, "Shaft load, first installation (N)", fixedText(b.installShaftLoad(), 0),
           "");
  return y;
}

}  // namespace

std::vector<Item> drawSheet(const SheetContent& content) {
  Drawing d;
  d.text(kLeft, 64, trimmed(layout::kForm4Caption), 16, true);
  d.text(kRight, 64, std::string(kProgramName) + ' ' + std::string(kProgramVersion), 9, false,
         kQuiet, Anchor::End);
  d.text(kLeft, 86, "Reference: " + content.reference, 10);
  d.text(kRight, 86, "Date: " + content.date, 10, false, kInk, Anchor::End);
  if (content.duty) {
    d.text(kLeft, 106,
           "Duty: free air delivery Q " + shortestText(content.duty->delivery) +
               " m\u00b3/min at a differential pressure of " +
               shortestText(content.duty->pressure) + " bar",
           10);
  }
  drawAxes(d);
  drawChart(d, content.reading);

  const double top = 470;
  drawReading(d, top, content.reading);
  if (content.drive) {
    drawDrive(d, 320, top, *content.drive);
    if (!content.drive->reachesDelivery)
      d.text(kLeft, 740, "The drive falls short of the duty's delivery Q.", 9, false,
             colours::kRed);
  }
  d.text(kLeft, 800,
         "Figures as the window shows them. Belt drive after Optibelt, Technical Manual V-Belt "
         "Drives (pp. 67-85, 122).",
         7, false, kQuiet);
  return d.take();
}

namespace {

std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        // Control characters have no place in XML, whatever a reference was pasted from.
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return out;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string rgb(Colour colour) {
  char text[8];
  const auto c = static_cast<unsigned>(colour);
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return text;
}

// Written by appending: GCC 12 warns wrongly on chains of "literal" + string.
struct SvgWriter {
  const ChartRaster& raster;
  std::string out;

  void attribute(std::string_view name, std::string_view value) {
    out.append(" ").append(name).append("=\"").append(value).append("\"");
  }
  void open(std::string_view element) { out.append("<").append(element); }

  void operator()(const Text& t) {
    open("text");
    attribute("x", number(t.x));
    attribute("y", number(t.y));
    attribute("font-size", number(t.size));
    if (t.bold) attribute("font-weight", "bold");
    if (t.colour != colours::kBlack) attribute("fill", rgb(t.colour));
    if (t.anchor == Anchor::Middle) attribute("text-anchor", "middle");
    if (t.anchor == Anchor::End) attribute("text-anchor", "end");
    out.append(">").append(escaped(t.text)).append("</text>\n");
  }
  void operator()(const Line& l) {
    open("line");
    attribute("x1", number(l.x1));
    attribute("y1", number(l.y1));
    attribute("x2", number(l.x2));
    attribute("y2", number(l.y2));
    attribute("stroke", rgb(l.colour));
    attribute("stroke-width", number(l.width));
    out.append("/>\n");
  }
  void operator()(const Box& b) {
    open("rect");
    attribute("x", number(b.x));
    attribute("y", number(b.y));
    attribute("width", number(b.width));
    attribute("height", number(b.height));
    attribute("fill", "none");
    attribute("stroke", rgb(b.colour));
    attribute("stroke-width", number(b.lineWidth));
    out.append("/>\n");
  }
  void operator()(const ChartPicture& c) {
    open("image");
    attribute("x", number(c.x));
    attribute("y", number(c.y));
    attribute("width", number(ChartRaster::kWidth * kChartPixel));
    attribute("height", number(ChartRaster::kHeight * kChartPixel));
    attribute("preserveAspectRatio", "none");
    // Each chart pixel a block of whole device pixels, never blurred between them.
    attribute("image-rendering", "optimizeSpeed");
    attribute("style", "image-rendering:pixelated");
    out.append(" href=\"data:image/png;base64,").append(base64Of(pngOf(raster))).append("\"/>\n");
  }
};

}  // namespace

std::string sheetSvg(const std::vector<Item>& items, const ChartRaster& raster) {
  SvgWriter svg{raster, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"};
  svg.open("svg");
  svg.attribute("xmlns", "http://www.w3.org/2000/svg");
  svg.attribute("width", "210mm");
  svg.attribute("height", "297mm");
  svg.attribute("viewBox", "0 0 " + number(kPageWidth) + ' ' + number(kPageHeight));
  svg.attribute("font-family", kFontFamily);
  svg.out.append(">\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
  for (const Item& item : items) std::visit(svg, item);
  svg.out += "</svg>\n";
  return svg.out;
}

}  // namespace chart
