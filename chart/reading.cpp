#include "chart/reading.h"

namespace chart {

const std::string& Reading::text(TextControl control) const {
  switch (control) {
    case TextControl::Text1:
      return power;
    case TextControl::Text2:
      return pressure;
    case TextControl::Label4:
      return speed;
    case TextControl::Label20:
      return delivery;
    case TextControl::Label21:
      return deliveryClass;
    case TextControl::Text3:
    case TextControl::Text4:
    case TextControl::Text5:
      break;
  }
  return entries[at(control) - at(TextControl::Text3)];
}

Warnings Reading::warnings(TextControl control) const {
  switch (control) {
    case TextControl::Text1:
    case TextControl::Label4:
      return speedAndPower;
    case TextControl::Text2:
    case TextControl::Label20:
      return pressureAndDelivery;
    default:
      return {};
  }
}

Reading readingOf(const Form4Controls& controls, Warnings speedAndPower,
                  Warnings pressureAndDelivery) {
  using enum TextControl;
  Reading r;
  r.hscroll = controls.scrollValue(ScrollBar::HScroll1);
  r.vscroll = controls.scrollValue(ScrollBar::VScroll1);
  r.hmaximum = controls.scrollMaximum(ScrollBar::HScroll1);
  r.vmaximum = controls.scrollMaximum(ScrollBar::VScroll1);
  r.speed = controls.text(Label4);
  r.power = controls.text(Text1);
  r.pressure = controls.text(Text2);
  r.delivery = controls.text(Label20);
  r.deliveryClass = controls.text(Label21);
  r.entries = {controls.text(Text3), controls.text(Text4), controls.text(Text5)};
  r.speedAndPower = speedAndPower;
  r.pressureAndDelivery = pressureAndDelivery;
  for (std::size_t i = 0; i < kTextControlCount; ++i)
    r.colours[i] = controls.textColour(static_cast<TextControl>(i));
  for (const CrossHairLine line : {CrossHairLine::Line1, CrossHairLine::Line2}) {
    const std::size_t l = at(line);
    for (const LineEnd end : {LineEnd::X1, LineEnd::Y1, LineEnd::X2, LineEnd::Y2}) {
      r.lineEnds[l][at(end)] = controls.lineEnd(line, end);
    }
    r.lineVisible[l] = controls.lineVisible(line);
  }
  r.markerLeft = controls.markerLeft();
  r.markerTop = controls.markerTop();
  return r;
}

}  // namespace chart
