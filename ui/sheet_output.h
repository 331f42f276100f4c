#pragma once

#include <vector>

#include <QString>

#include "chart/chart_raster.h"
#include "chart/drive_selection.h"
#include "chart/sheet.h"

class QPaintDevice;
class QPainter;
class QWidget;

namespace ui {

enum class SheetAction { Print, SavePdf };

// Draws the sheet's items on a page of the device, one point a 1/72 inch.
void paintSheet(QPainter& painter, const QPaintDevice& page,
                const std::vector<chart::sheet::Item>& items, const chart::ChartRaster& raster);

// The sheet through Qt's print dialog: a printer or "Print to file". False if cancelled or failed.
bool printSheet(QWidget* parent, const std::vector<chart::sheet::Item>& items,
                const chart::ChartRaster& raster);

// Asks where, then writes the sheet as the command line writes it. The error, or an empty text
// when it was saved or the user cancelled.
QString saveSheetPdf(QWidget* parent, const std::vector<chart::sheet::Item>& items,
                     const chart::ChartRaster& raster);

// The sheet of the main window's reading through the print dialog, the reference asked first.
void printReadingSheet(QWidget* parent, const chart::Reading& reading,
                       const chart::ChartRaster& raster);

// The sheet of a proposal, printed or saved as PDF, the reference asked first.
void proposalSheet(QWidget* parent, SheetAction action, const chart::Duty& duty,
                   const chart::DriveProposal& drive, const chart::ChartRaster& raster);

}  // namespace ui
