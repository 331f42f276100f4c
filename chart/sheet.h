#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chart/chart_raster.h"
#include "chart/drive_selection.h"
#include "chart/reading.h"

namespace chart {

// The one page that goes with a quote: the air end, the duty, the chart with the cross-hair, the
// reading and the drive. It is laid out here once, as a list of things to draw in points (1/72
// inch) from the top left of an A4 page; every front end only draws that list, in its order.
namespace sheet {

inline constexpr double kPageWidth = 595.276;  // A4, pt
inline constexpr double kPageHeight = 841.890;
// One chart pixel is a hundredth of an inch: at 100, 200 or 300 dots per inch it lands on whole
// device pixels, so the chart is never resampled between them.
inline constexpr double kChartPixel = 0.72;  // pt

// The face every front end sets the sheet's text in, with what to fall back on.
inline constexpr std::string_view kFontFamily = "DejaVu Sans, Verdana, sans-serif";

enum class Anchor { Start, Middle, End };

struct Text {
  double x;
  double y;  // baseline
  double size;  // pt
  bool bold;
  Colour colour;
  Anchor anchor;
  std::string text;
};

struct Line {
  double x1;
  double y1;
  double x2;
  double y2;
  double width;
  Colour colour;
};

// A rectangle's outline.
struct Box {
  double x;
  double y;
  double width;
  double height;
  double lineWidth;
  Colour colour;
};

// The chart raster itself, kChartPixel points a pixel, never smoothed.
struct ChartPicture {
  double x;
  double y;
};

using Item = std::variant<Text, Line, Box, ChartPicture>;

}  // namespace sheet

// What every front end asks for beside the sheet, the name its files are offered under, and the
// names of the buttons that make it.
inline constexpr std::string_view kReferenceCaption = "Reference (customer, project)";
inline constexpr std::string_view kSheetFileName = "qnte418-sheet";
inline constexpr std::string_view kReadingSheetButton = "Sheet of the window's reading";
inline constexpr std::string_view kSheetButton = "Sheet";
inline constexpr std::string_view kPrintButton = "Print\u2026";
inline constexpr std::string_view kSavePdfButton = "Save PDF\u2026";
inline constexpr std::string_view kSaveSvgButton = "Download SVG";
inline constexpr std::string_view kCloseSheetButton = "Close";

// What goes on the sheet; a drive and a duty only where the sheet is a proposal's.
struct SheetContent {
  Reading reading;
  const Duty* duty = nullptr;
  const DriveProposal* drive = nullptr;
  std::string reference;  // the customer and the project, as the user typed them
  std::string date;  // as the front end's calendar gives it, YYYY-MM-DD
};

std::vector<sheet::Item> drawSheet(const SheetContent& content);

// The drawing as an SVG document, the chart in it as a PNG.
std::string sheetSvg(const std::vector<sheet::Item>& items, const ChartRaster& raster);

}  // namespace chart
