#pragma once

#include <string_view>

#include <QIcon>
#include <QImage>

#include "chart/chart_raster.h"

namespace ui {

inline constexpr std::string_view kChartPicture = ":/chart.bmp";
inline constexpr std::string_view kWindowIconPicture = ":/window_icon.ico";
inline constexpr std::string_view kRotorPicture = ":/rotor.gif";
inline constexpr std::string_view kOutlineDrawingPicture = ":/outline_drawing.bmp";

// A picture built into the program, decoded by Qt's readers. Throws std::runtime_error
// when it cannot be read: the program is then broken, not the user's input.
QImage embeddedPicture(std::string_view path);

// The sizes of the desktop icons that the program carries, in pixels.
inline constexpr int kDesktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QIcon embeddedWindowIcon();

// The chart's pixels as the core reads them, decoded by the core's bitmap reader straight
// from the built-in bytes: Qt's general reader takes several times as long at start-up.
chart::ChartRaster embeddedChartRaster();

// The chart as the picture box shows it, made from the pixels the core reads. On the usual
// little-endian machines it reads them in place: it must not outlive the raster.
QImage pictureOf(const chart::ChartRaster& raster);

}  // namespace ui
