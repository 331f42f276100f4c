#pragma once

#include <string>

#include "chart/chart_raster.h"
#include "chart/chart_state.h"
#include "chart/form4_controls.h"
#include "chart/reading.h"
#include "chart/refusals.h"
#include "chart/warnings.h"

namespace chart {

// Mouse masks as the chart box reports them.
namespace mouse {
inline constexpr Int16 kLeft = 1;
inline constexpr Int16 kRight = 2;
inline constexpr Int16 kMiddle = 4;
inline constexpr Int16 kShift = 1;
inline constexpr Int16 kCtrl = 2;
inline constexpr Int16 kAlt = 4;
}  // namespace mouse

// The main window's behaviour: its event handlers and the pressure reading, working on the
// window's controls through Form4Controls. The window only forwards its events here.
class Form4Logic {
 public:
  Form4Logic(const ChartRaster& raster, Form4Controls& controls);

  const ChartState& state() const noexcept { return state_; }
  ChartState& state() noexcept { return state_; }
  const ChartRaster& raster() const noexcept { return raster_; }

  void Form_Load();
  void HScroll1_Change();
  void VScroll1_Change();
  // Forwards a scroll bar's change event to its handler.
  void scrollChanged(ScrollBar bar);

  void Picture1_MouseDown(Int16 button, Int16 shift, ChartCoord x, ChartCoord y);
  void Picture1_MouseMove(Int16 button, Int16 shift, ChartCoord x, ChartCoord y);

  // Places the cross-hair from the power in Text1 and the pressure in Text2.
  void Command1_Click();
  // Places the cross-hair column at the air-end speed of the belt drive in Text3 to Text5.
  void Command2_Click();
  // Why the last calculator click left the cross-hair, or an axis of it, where it was;
  // 0 when it placed the cross-hair.
  Refusals lastRefusals() const noexcept { return refusals_; }

  // Reads the pressure, the warning colours and the delivery at the cross-hair.
  void UpdatePressureReading();

  // What the window shows now, with the reasons for the red read-outs.
  Reading reading() const;

  // The words for a screen reader once the reading has changed: empty when no reading was
  // made since the last call. A front end asks when a user action is over, so a click
  // that moves both lines, or a drag, is announced once.
  std::string takeAnnouncement();

  // What a screen reader says for a read-out that Tab reaches, from what the window shows
  // now; empty for the other controls.
  std::string spokenName(TextControl control) const;

 private:
  void recentreMarker();
  void placeCrossHair(ChartCoord x, ChartCoord y);

  const ChartRaster& raster_;
  Form4Controls& controls_;
  ChartState state_{};
  Warnings speedAndPower_{};  // of the last reading
  Warnings pressureAndDelivery_{};
  bool unannounced_ = false;
  Refusals refusals_{};
};

}  // namespace chart
