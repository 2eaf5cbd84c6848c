#include "detail/wide_mantissa.h"

#include <bit>

#include "detail/text_scan.h"

namespace calc {
namespace {

// The largest finite 80-bit value is (2^64 − 1) × 2^16320.
constexpr int kLargestExponent = x87::kExponentBias - 63;

struct Rounded {
  std::uint64_t significand;
  int shift;  // the value is significand × 2^shift
};

// high × 2^64 + low, at least 2^63 and with high below 2^32, rounded to 64 significant bits to
// nearest with ties to even, as the x87 rounds a result: the bits below the kept ones decide
// against half of their unit, and a carry out of the kept bits makes 2^64, one bit further up.
Rounded RoundTo64Bits(std::uint64_t high, std::uint64_t low) {
  if (high == 0) {
    return {low, 0};
  }
  const auto shift = static_cast<int>(std::bit_width(high));
  const std::uint64_t kept = (high << (64 - shift)) | (low >> shift);
  const std::uint64_t dropped = low & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  const bool up = dropped > half || (dropped == half && (kept & 1) != 0);
  if (up && kept == ~std::uint64_t{0}) {
    return {x87::kIntegerBit, shift + 1};
  }
  return {kept + (up ? 1 : 0), shift};
}

}  // namespace

WideMantissa::WideMantissa(std::uint64_t exact)
    : significand_(exact << std::countl_zero(exact)), exponent_(-std::countl_zero(exact)) {}

std::size_t WideMantissa::AddDigits(std::string_view text) {
  std::size_t taken = 0;
  for (; taken < text.size() && IsDigit(text[taken]); ++taken) {
    Add(text[taken] - '0');
  }
  return taken;
}

void WideMantissa::Add(int digit) {
  if (infinite_) {
    return;
  }
  MultiplyByTen();
  if (!infinite_) {
    AddDigit(digit);
  }
}

// significand × 10 = significand × 8 + significand × 2, a value below 2^68.
void WideMantissa::MultiplyByTen() {
  const std::uint64_t eight = significand_ << 3;
  const std::uint64_t low = eight + (significand_ << 1);
  const std::uint64_t high = (significand_ >> 61) + (significand_ >> 63) + (low < eight ? 1 : 0);
  const Rounded product = RoundTo64Bits(high, low);
  significand_ = product.significand;
  exponent_ += product.shift;
  infinite_ = exponent_ > kLargestExponent;
}

// After a multiplication the exponent is 0 or more, so the value is a whole number. From a unit
// of 2^5 on, a digit is below half the unit and the sum rounds back to the value itself.
void WideMantissa::AddDigit(int digit) {
  constexpr int kDigitsStillCount = 5;
  if (exponent_ >= kDigitsStillCount) {
    return;
  }
  const std::uint64_t shifted = significand_ << exponent_;
  const std::uint64_t low = shifted + static_cast<std::uint64_t>(digit);
  const std::uint64_t high =
      (exponent_ == 0 ? 0 : significand_ >> (64 - exponent_)) + (low < shifted ? 1 : 0);
  const Rounded sum = RoundTo64Bits(high, low);
  significand_ = sum.significand;
  exponent_ = sum.shift;
}

X87Bits WideMantissa::Bits() const {
  if (infinite_) {
    return X87Bits{x87::kMaxBiasedExponent, x87::kIntegerBit};
  }
  return x87::Encode(false, exponent_ + 63, significand_);
}

}  // namespace calc
