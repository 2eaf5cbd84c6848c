#include "detail/x87_bits.h"

#include <bit>

namespace calc::x87 {

X87Bits Canonical(X87Bits bits) {
  const bool integerBit = (bits.significand & kIntegerBit) != 0;
  if (BiasedExponent(bits) != 0 && !integerBit) {
    return kDefaultNaN;
  }
  if (BiasedExponent(bits) == 0 && integerBit) {
    return X87Bits{static_cast<std::uint16_t>(bits.signExponent | 1U), bits.significand};
  }
  return bits;
}

X87Bits Encode(bool negative, int exponent, std::uint64_t significand) {
  const std::uint16_t sign = negative ? 0x8000U : 0U;
  if (exponent < kMinNormalExponent) {
    const int shift = kMinNormalExponent - exponent;
    return X87Bits{sign, shift > 63 ? 0 : significand >> shift};
  }
  return X87Bits{static_cast<std::uint16_t>(sign | (exponent + kExponentBias)), significand};
}

}  // namespace calc::x87
