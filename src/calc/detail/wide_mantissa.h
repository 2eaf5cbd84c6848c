#pragma once

// The mantissa of a decimal text once its digits pass 2^64: acc ← round(round(acc × 10) + d),
// digit by digit, each step rounded to the 80-bit format (64-bit significand, nearest with
// ties to even, overflow to infinity), carried out exactly in integers. Both arithmetic types
// share it, and it needs no floating-point unit at all.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "detail/x87_bits.h"

namespace calc {

class WideMantissa {
 public:
  // Where the exact 64-bit accumulation left off: a value of 2^60 or more.
  explicit WideMantissa(std::uint64_t exact);

  // The two rounded steps of each digit at the front of `text`; returns how many there were.
  // An infinite mantissa stays infinite.
  std::size_t AddDigits(std::string_view text);

  bool IsInfinite() const { return infinite_; }
  X87Bits Bits() const;

 private:
  void Add(int digit);
  void MultiplyByTen();
  void AddDigit(int digit);

  std::uint64_t significand_;  // its top bit set
  int exponent_;               // the value is significand × 2^exponent
  bool infinite_ = false;
};

}  // namespace calc
