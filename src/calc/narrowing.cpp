#include <cmath>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "detail/arithmetic.h"
#include "detail/fp_environment.h"

namespace calc {

template <ExtendedArithmetic Real>
double NarrowToDoubleAs(Real value) {
  const DefaultFloatingPointModes floatingPointModes;
  const ArithmeticScope<Real> arithmetic;
  DefaultFloatingPointModes::Pin(value);
  double narrowed = RoundToDouble(value);
  DefaultFloatingPointModes::Pin(narrowed);
  if (std::isinf(narrowed) && !IsInf(value)) {
    throw EOverflow("Floating point overflow");
  }
  return narrowed;
}

#define INSTANTIATE(Real) template double NarrowToDoubleAs(Real);
SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE)
#undef INSTANTIATE

}  // namespace calc
