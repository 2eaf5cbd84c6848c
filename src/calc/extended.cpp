#include "detail/arithmetic.h"

#if SHIFTMETER_LONG_DOUBLE_IS_X87

#include <cstring>

namespace calc {
template <>
long double FromX87BitsAs<long double>(X87Bits bits) {
  const X87Bits canonical = x87::Canonical(bits);
  long double x = 0.0L;
  std::memcpy(&x, &canonical.significand, sizeof canonical.significand);
  std::memcpy(reinterpret_cast<unsigned char*>(&x) + sizeof canonical.significand,
              &canonical.signExponent, sizeof canonical.signExponent);
  return x;
}

}  // namespace calc

#endif
