#include "chart/reading_announcement.h"

#include <cctype>

namespace chart {
namespace {

constexpr std::string_view kOutside = "outside the permitted region";
constexpr std::string_view kSpeedUnit = "rpm";
constexpr std::string_view kDeliveryUnit = "m\u00b3/min";

// The delivery's unit with its pressure class, "@ 7 bar" said as "at 7 bar".
std::string deliveryUnit(std::string_view deliveryClass) {
  std::string unit(kDeliveryUnit);
  if (deliveryClass.starts_with("@ ")) deliveryClass.remove_prefix(2);
  if (!deliveryClass.empty()) unit.append(" at ").append(deliveryClass);
  return unit;
}

std::string readOut(std::string_view quantity, const std::string& value, std::string_view unit,
                    Warnings warnings) {
  std::string words(quantity);
  if (value.empty()) {
    words.append(" in ").append(unit);
  } else {
    words.append(" ").append(value).append(" ").append(unit);
  }
  if (warnings.any())
    words.append(", ").append(kOutside).append(", ").append(warningText(warnings));
  return words;
}

void addValue(std::string& words, std::string_view quantity, const std::string& value,
              std::string_view unit) {
  if (value.empty()) return;
  if (!words.empty()) words += ", ";
  words.append(quantity).append(" ").append(value).append(" ").append(unit);
}

void addWarning(std::string& words, std::string_view readOuts, Warnings warnings) {
  if (warnings.none()) return;
  words.append(" ").append(readOuts).append(" ").append(kOutside).append(", ");
  words.append(warningText(warnings)).append(".");
}

}  // namespace

std::string announceReading(const Reading& reading) {
  std::string words;
  addValue(words, "speed", reading.speed, kSpeedUnit);
  addValue(words, "power", reading.power, "kW");
  addValue(words, "pressure", reading.pressure, "bar");
  addValue(words, "delivery", reading.delivery, deliveryUnit(reading.deliveryClass));
  if (words.empty()) return words;
  words.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(words.front())));
  words += ".";
  addWarning(words, "Speed and power", reading.speedAndPower);
  addWarning(words, "Pressure and delivery", reading.pressureAndDelivery);
  return words;
}

std::string speedReadOut(const Reading& reading) {
  return readOut("Rotor speed nHR", reading.speed, kSpeedUnit, reading.speedAndPower);
}

std::string deliveryReadOut(const Reading& reading) {
  return readOut("Free air delivery Q1", reading.delivery, deliveryUnit(reading.deliveryClass),
                 reading.pressureAndDelivery);
}

std::string describeReadOut(std::string_view quantity, std::string_view reason) {
  std::string words(quantity);
  if (reason.empty()) return words;
  if (!words.empty()) words += ": ";
  words.append(kOutside).append(", ").append(reason);
  return words;
}

}  // namespace chart
