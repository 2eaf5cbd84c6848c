#pragma once

#include <bit>
#include <cstdint>

#include "calc/extended.h"

namespace calc {

// Bit-level facts about 80-bit patterns, shared by the native and the software arithmetic so
// that both answer alike. They expect canonical patterns (see Canonical) unless said otherwise.
namespace x87 {

inline constexpr int kExponentBias = 16383;
inline constexpr std::uint16_t kMaxBiasedExponent = 0x7FFF;
inline constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
inline constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 62;
// The binary exponent of the smallest normal value and of the smallest subnormal unit.
inline constexpr int kMinNormalExponent = 1 - kExponentBias;
inline constexpr int kMinSubnormalExponent = kMinNormalExponent - 63;

// The "real indefinite" the x87 produces for an invalid operation: a negative quiet NaN.
inline constexpr X87Bits kDefaultNaN{0xFFFF, kIntegerBit | kQuietBit};

constexpr bool SignBit(X87Bits bits) {
  return (bits.signExponent & 0x8000U) != 0;
}
constexpr int BiasedExponent(X87Bits bits) {
  return bits.signExponent & kMaxBiasedExponent;
}
constexpr bool IsNaN(X87Bits bits) {
  return BiasedExponent(bits) == kMaxBiasedExponent && bits.significand != kIntegerBit;
}
constexpr bool IsInf(X87Bits bits) {
  return BiasedExponent(bits) == kMaxBiasedExponent && bits.significand == kIntegerBit;
}
constexpr bool IsZero(X87Bits bits) {
  return BiasedExponent(bits) == 0 && bits.significand == 0;
}

// The pattern every value reads as. The x87 rejects unnormals, pseudo-infinities and pseudo-NaNs
// (a non-zero exponent without the integer bit) as invalid operands, so they become the default
// NaN; it reads a pseudo-denormal (zero exponent with the integer bit) by its value, which the
// same significand has canonically under the smallest normal exponent. Valid patterns, NaN
// payloads included, stay as they are.
X87Bits Canonical(X87Bits bits);

// The pattern of (-1)^negative × significand × 2^(exponent − 63) for a significand with bit 63
// set; below the normal range the significand is shifted into a subnormal, which must then be
// exact (the caller has rounded).
X87Bits Encode(bool negative, int exponent, std::uint64_t significand);

// e with 2^e <= |x| < 2^(e+1) for finite non-zero x; 0 for zero, infinities and NaN. In line,
// with the next: the rendering asks both of every value.
constexpr int BinaryExponent(X87Bits bits) {
  if (IsZero(bits) || BiasedExponent(bits) == kMaxBiasedExponent) {
    return 0;
  }
  if (BiasedExponent(bits) == 0) {
    return kMinSubnormalExponent + static_cast<int>(std::bit_width(bits.significand)) - 1;
  }
  return BiasedExponent(bits) - kExponentBias;
}

// The integer part of |x| for finite |x| < 2^64; 0 for anything else.
constexpr std::uint64_t TruncatedMagnitude(X87Bits bits) {
  const int exponent = BinaryExponent(bits);
  if (IsZero(bits) || BiasedExponent(bits) == kMaxBiasedExponent || exponent < 0 || exponent > 63) {
    return 0;
  }
  return bits.significand >> (63 - exponent);
}

}  // namespace x87
}  // namespace calc
