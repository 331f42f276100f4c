#pragma once

#include <stdexcept>

#include "chart/units.h"

namespace chart {

// Why an operation failed. Every arithmetic step that can leave its range reports one of
// these instead of wrapping around or producing infinities.
enum class Fault {
  Overflow,
  DivisionByZero,
  InvalidOperand,
  TypeMismatch,
  InvalidPropertyValue,  // a control refused the value, e.g. a scroll value outside its range
};

const char* faultName(Fault fault) noexcept;

class ChartError : public std::runtime_error {
 public:
  explicit ChartError(Fault fault);
  Fault fault() const noexcept { return fault_; }

 private:
  Fault fault_;
};

// 16-bit signed arithmetic that throws Fault::Overflow outside -32768..32767.
Int16 checkedAdd(Int16 a, Int16 b);
Int16 checkedSub(Int16 a, Int16 b);
Int16 checkedMul(Int16 a, Int16 b);

// A double result must be finite: NaN is an invalid operand, an infinity an overflow.
double checkedValue(double value);
double checkedDiv(double numerator, double denominator);

// Stores a double in single precision; a value beyond the float range overflows.
float toSingle(double value);

}  // namespace chart
