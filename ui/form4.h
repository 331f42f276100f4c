#pragma once

#include <memory>
#include <string_view>

#include <QWidget>

#include "chart/chart_raster.h"
#include "chart/form4_logic.h"
#include "layout/form4_layout.h"
#include "ui/form4_controls_qt.h"
#include "ui/qt_colour.h"

namespace ui {

// The main window: its controls as laid out, the chart raster, and the core that holds
// its behaviour. Building it runs Form_Load; show it afterwards.
class Form4 final : public QWidget {
  Q_OBJECT

 public:
  Form4();
  ~Form4() override;

  chart::Form4Logic& logic() noexcept { return *logic_; }
  QtForm4Controls& controls() noexcept { return *controls_; }
  const chart::ChartRaster& raster() const noexcept { return *raster_; }

  // A control by its design name; nullptr for an unknown name.
  QWidget* control(std::string_view name) const;

 private:
  void buildControls();
  QWidget* createControl(const layout::ControlLayout& layout, QWidget* container);
  void setTabOrder();
  void connectEvents();
  void announceReadings();

  void HScroll1_Change();
  void VScroll1_Change();
  void Picture1_MouseDown(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x,
                          chart::ChartCoord y);
  void Picture1_MouseMove(chart::Int16 button, chart::Int16 shift, chart::ChartCoord x,
                          chart::ChartCoord y);
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  std::unique_ptr<const chart::ChartRaster> raster_;
  std::unique_ptr<QtForm4Controls> controls_;
  std::unique_ptr<chart::Form4Logic> logic_;
};

}  // namespace ui
