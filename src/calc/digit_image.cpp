#include "calc/internal/digit_image.h"

#include <cstdint>

#include "calc/extended.h"
#include "calc/internal/powers_of_ten.h"

namespace calc {
namespace {

constexpr std::uint64_t kTenTo18 = 1'000'000'000'000'000'000U;
constexpr std::uint64_t kTenTo9 = 1'000'000'000U;

// ⌊e × log10 2⌋ + 1 with log10 2 taken as 19728 / 65536, a hair below it; the result is the
// decimal exponent of |v| or one more. C++ shifts negative values arithmetically, so the shift
// is the floor for negative e too.
int DecimalExponentEstimate(int binaryExponent) {
  return ((binaryExponent * 19728) >> 16) + 1;
}

DigitImage ZeroImage() {
  return DigitImage{};
}

// The nine decimal digits of `part` (below 10^9) into digits[0..8], two at a time: a 32-bit
// division by a constant is a cheap multiplication, and each pair costs one.
void WriteNineDigits(std::uint32_t part, char* digits) {
  for (int i = 8; i >= 2; i -= 2) {
    const std::uint32_t pair = part % 100;
    part /= 100;
    digits[i] = static_cast<char>('0' + pair % 10);
    digits[i - 1] = static_cast<char>('0' + pair / 10);
  }
  digits[0] = static_cast<char>('0' + part);
}

}  // namespace

// With |v| in [2^e, 2^(e+1)) and E the estimate, S = |v| × 10^(18 − E) lies in [0.84 × 10^17,
// 2.4 × 10^18): the estimate's constant errs by at most 0.075 in the decimal exponent over the
// x87 range. One division by ten therefore brings S below 10^18, and S stays below 2^64 so that
// the whole value converts exactly. Each step rounds in the 80-bit type exactly as written, so
// both arithmetic types give the same digits.
template <ExtendedArithmetic Real>
DigitImage MakeDigitImage(Real value) {
  DigitImage image;
  if (IsNaN(value)) {
    image.kind = DigitImage::Kind::kNaN;
    return image;
  }
  image.negative = SignBit(value);
  if (IsInf(value)) {
    image.kind = DigitImage::Kind::kInfinity;
    return image;
  }
  if (value == Real(0)) {
    return ZeroImage();
  }
  const Real magnitude = image.negative ? -value : value;
  int exponent = DecimalExponentEstimate(BinaryExponent(magnitude));
  Real scaled = RoundToInteger(ScaleByPowerOfTen(magnitude, DigitImage::kMaxDigits - exponent));
  if (scaled >= Real(kTenTo18)) {
    scaled = scaled / Real(10);
    ++exponent;
  }
  static_assert(DigitImage::kMaxDigits == 18, "the image is two runs of nine digits");
  const std::uint64_t whole = ToUint64(RoundToInteger(scaled));
  WriteNineDigits(static_cast<std::uint32_t>(whole / kTenTo9), image.digits.data());
  WriteNineDigits(static_cast<std::uint32_t>(whole % kTenTo9), image.digits.data() + 9);
  image.exponent = exponent;
  image.count = DigitImage::kMaxDigits;
  return image;
}

DigitImage CutDigitImage(DigitImage image, int kept) {
  if (image.kind != DigitImage::Kind::kFinite || image.IsZero()) {
    return image;
  }
  if (kept < 0) {
    return ZeroImage();
  }
  if (kept < image.count) {
    const bool roundUp = image.digits[kept] >= '5';
    image.count = kept;
    int position = kept - 1;
    for (; roundUp && position >= 0 && image.digits[position] == '9'; --position) {
      image.digits[position] = '0';
    }
    if (roundUp && position >= 0) {
      ++image.digits[position];
    } else if (roundUp) {
      // The carry ran out of the first digit: every kept digit was 9, or none was kept.
      image.digits[0] = '1';
      image.count = 1;
      ++image.exponent;
    }
  }
  while (image.count > 0 && image.digits[image.count - 1] == '0') {
    --image.count;
  }
  return image.count == 0 ? ZeroImage() : image;
}

template DigitImage MakeDigitImage(SoftExtended);
#if SHIFTMETER_LONG_DOUBLE_IS_X87
template DigitImage MakeDigitImage(long double);
#endif

}  // namespace calc
