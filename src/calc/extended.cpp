#include "calc/extended.h"

#if SHIFTMETER_LONG_DOUBLE_IS_X87

#include <cstring>

namespace calc {
namespace {

// The x87 stores the significand in bytes 0 to 7 and sign and exponent in bytes 8 and 9, little
// end first; the bytes after them are padding.
constexpr std::size_t kSignificandBytes = sizeof(std::uint64_t);

}  // namespace

int BinaryExponent(long double x) {
  return x87::BinaryExponent(ToX87Bits(x));
}
std::uint64_t ToUint64(long double x) {
  return x87::TruncatedMagnitude(ToX87Bits(x));
}

X87Bits ToX87Bits(long double x) {
  X87Bits bits;
  std::memcpy(&bits.significand, &x, kSignificandBytes);
  std::memcpy(&bits.signExponent, reinterpret_cast<const unsigned char*>(&x) + kSignificandBytes,
              sizeof bits.signExponent);
  return bits;
}

template <>
long double FromX87BitsAs<long double>(X87Bits bits) {
  const X87Bits canonical = x87::Canonical(bits);
  long double x = 0.0L;
  std::memcpy(&x, &canonical.significand, kSignificandBytes);
  std::memcpy(reinterpret_cast<unsigned char*>(&x) + kSignificandBytes, &canonical.signExponent,
              sizeof canonical.signExponent);
  return x;
}

}  // namespace calc

#endif
