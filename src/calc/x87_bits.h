#pragma once

#include <cstdint>

namespace calc {

// The exact bits of an x87 80-bit extended value: sign in bit 15 of signExponent, the biased
// exponent (bias 16383) in its bits 0 to 14, and the 64-bit significand with its explicit
// integer bit in bit 63.
struct X87Bits {
  std::uint16_t signExponent = 0;
  std::uint64_t significand = 0;

  friend bool operator==(const X87Bits&, const X87Bits&) = default;
};

}  // namespace calc
