#include "chart/checked.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace chart {
namespace {

Int16 narrow(std::int32_t value) {
  if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max()) {
    throw ChartError(Fault::Overflow);
  }
  return static_cast<Int16>(value);
}

}  // namespace

const char* faultName(Fault fault) noexcept {
  switch (fault) {
    case Fault::Overflow:
      return "overflow";
    case Fault::DivisionByZero:
      return "division by zero";
    case Fault::InvalidOperand:
      return "invalid operand";
    case Fault::TypeMismatch:
      return "type mismatch";
    case Fault::InvalidPropertyValue:
      return "invalid property value";
  }
  return "unknown fault";
}

ChartError::ChartError(Fault fault) : std::runtime_error(faultName(fault)), fault_(fault) {}

Int16 checkedAdd(Int16 a, Int16 b) { return narrow(std::int32_t{a} + b); }
Int16 checkedSub(Int16 a, Int16 b) { return narrow(std::int32_t{a} - b); }
Int16 checkedMul(Int16 a, Int16 b) { return narrow(std::int32_t{a} * b); }

double checkedValue(double value) {
  if (std::isnan(value)) throw ChartError(Fault::InvalidOperand);
  if (std::isinf(value)) throw ChartError(Fault::Overflow);
  return value;
}

double checkedDiv(double numerator, double denominator) {
  checkedValue(numerator);
  checkedValue(denominator);
  if (denominator == 0.0) throw ChartError(Fault::DivisionByZero);
  return checkedValue(numerator / denominator);
}

float toSingle(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  // Half an ulp above FLT_MAX still rounds to FLT_MAX; from there on a float would be infinite.
  constexpr double kOverflowFrom = kMax + 0x1p103;
  checkedValue(value);
  if (std::fabs(value) >= kOverflowFrom) throw ChartError(Fault::Overflow);
  if (std::fabs(value) > kMax) {
    return std::signbit(value) ? std::numeric_limits<float>::lowest()
                               : std::numeric_limits<float>::max();
  }
  return static_cast<float>(value);
}

}  // namespace chart
