#include "chart/form4_logic.h"

#include "chart/reading_announcement.h"
#include "chart/scales.h"

namespace chart {

Form4Logic::Form4Logic(const ChartRaster& raster, Form4Controls& controls)
    : raster_(raster), controls_(controls) {}

void Form4Logic::Form_Load() {
  controls_.setScrollMaximum(ScrollBar::HScroll1, scales::kColumns);
  controls_.setScrollMaximum(ScrollBar::VScroll1, scales::kRows);
  controls_.setLineEnd(CrossHairLine::Line1, LineEnd::X1, -1);
  controls_.setLineEnd(CrossHairLine::Line1, LineEnd::X2, -1);
  controls_.setLineEnd(CrossHairLine::Line2, LineEnd::Y1, -1);
  controls_.setLineEnd(CrossHairLine::Line2, LineEnd::Y2, -1);
  // Wholly off the chart, unlike a later parking by value 0, which centres it on -1.
  controls_.setMarkerLeft(-controls_.markerWidth() - 1);
  controls_.setMarkerTop(-controls_.markerHeight() - 1);
  // Before the first reading the read-outs that Tab reaches say what they will show.
  controls_.setSpokenNames([this](TextControl control) { return spokenName(control); });
}

void Form4Logic::scrollChanged(ScrollBar bar) {
  if (bar == ScrollBar::HScroll1) {
    HScroll1_Change();
  } else {
    VScroll1_Change();
  }
}

Reading Form4Logic::reading() const {
  return readingOf(controls_, speedAndPower_, pressureAndDelivery_);
}

std::string Form4Logic::spokenName(TextControl control) const {
  if (control == TextControl::Label4) return speedReadOut(reading());
  if (control == TextControl::Label20) return deliveryReadOut(reading());
  return {};
}

std::string Form4Logic::takeAnnouncement() {
  if (!unannounced_) return {};
  unannounced_ = false;
  return announceReading(reading());
}

}  // namespace chart
