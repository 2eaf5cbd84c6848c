#pragma once

// The decimal images of a value that FormatHours renders from, in two stages: first its 18
// significant decimal digits as one integer, then, for the scientific form, those digits as
// characters.

#include <array>
#include <cstdint>

#include "detail/arithmetic.h"

namespace calc {

enum class ImageKind { kFinite, kInfinity, kNaN };

// |value| = significand × 10^(exponent − 18) to 18 digits, or the mark of an infinity (with
// its sign) or of NaN; significand and exponent are 0 for either zero.
struct DecimalImage {
  static constexpr int kDigits = 18;

  ImageKind kind = ImageKind::kFinite;
  bool negative = false;
  int exponent = 0;
  // Below 10^18; below 10^17 when the exponent estimate came out one too high.
  std::uint64_t significand = 0;
};

// 0.d1d2…dn × 10^exponent.
struct DigitImage {
  static constexpr int kMaxDigits = DecimalImage::kDigits;
  using Kind = ImageKind;

  Kind kind = Kind::kFinite;
  bool negative = false;
  int exponent = 0;
  // '0' to '9'; the first may be '0' when the exponent estimate came out one too high.
  std::array<char, kMaxDigits> digits{};
  int count = 0;  // 0 for the zero image

  bool IsZero() const { return kind == Kind::kFinite && count == 0; }
};

template <ExtendedArithmetic Real>
DecimalImage MakeDecimalImage(Real value);

// Exactly 18 digits of a finite non-zero image, the zero image for either zero; marks pass.
DigitImage ToDigitImage(const DecimalImage& image);

template <ExtendedArithmetic Real>
DigitImage MakeDigitImage(Real value) {
  return ToDigitImage(MakeDecimalImage(value));
}

// The first `kept` digits, rounded half up on the image itself, trailing zeros dropped; the zero
// image (sign clear, exponent 0) when nothing remains. Marks pass through.
DigitImage CutDigitImage(DigitImage image, int kept);

// A finite image whose exponent is at most 18 (the caller checks), cut at the second decimal as
// CutDigitImage cuts it (half up on the image's digits), as its whole part and its hundredths.
struct Hundredths {
  std::uint64_t whole = 0;
  unsigned hundredths = 0;
};
Hundredths CutToHundredths(const DecimalImage& image);

}  // namespace calc
