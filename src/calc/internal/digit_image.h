#pragma once

// The decimal digit image that FormatHours renders from: 0.d1d2…dn × 10^exponent.

#include <array>

#include "calc/extended.h"

namespace calc {

struct DigitImage {
  static constexpr int kMaxDigits = 18;
  enum class Kind { kFinite, kInfinity, kNaN };

  Kind kind = Kind::kFinite;
  bool negative = false;
  int exponent = 0;
  // '0' to '9'; the first may be '0' when the exponent estimate came out one too high.
  std::array<char, kMaxDigits> digits{};
  int count = 0;  // 0 for the zero image

  bool IsZero() const { return kind == Kind::kFinite && count == 0; }
};

// Exactly 18 digits of a finite non-zero value, the zero image for either zero, or the mark of
// an infinity (with its sign) or of NaN.
template <ExtendedArithmetic Real>
DigitImage MakeDigitImage(Real value);

// The first `kept` digits, rounded half up on the image itself, trailing zeros dropped; the zero
// image (sign clear, exponent 0) when nothing remains. Marks pass through.
DigitImage CutDigitImage(DigitImage image, int kept);

}  // namespace calc
