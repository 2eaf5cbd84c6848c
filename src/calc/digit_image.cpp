#include "detail/digit_image.h"

#include <array>
#include <cstdint>

#include "detail/arithmetic.h"
#include "detail/powers_of_ten.h"

namespace calc {
namespace {

constexpr std::uint64_t kTenTo18 = 1'000'000'000'000'000'000U;
constexpr std::uint64_t kTenTo9 = 1'000'000'000U;

// 10^0 to 10^18, the divisors of the cut.
constexpr std::array<std::uint64_t, 19> kPowersOfTen = [] {
  std::array<std::uint64_t, 19> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

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
DecimalImage MakeDecimalImage(Real value) {
  // One look at the canonical pattern (which the x87 computes with, whatever was stored)
  // classifies the value, where each test on the x87 would be a comparison of its own.
  const X87Bits bits = x87::Canonical(ToX87Bits(value));
  if (x87::IsNaN(bits)) {
    return DecimalImage{.kind = ImageKind::kNaN};
  }
  if (x87::IsInf(bits)) {
    return DecimalImage{.kind = ImageKind::kInfinity, .negative = x87::SignBit(bits)};
  }
  if (x87::IsZero(bits)) {
    return DecimalImage{};  // either zero: the zero image shows no sign
  }
  DecimalImage image{.negative = x87::SignBit(bits)};
  int exponent = DecimalExponentEstimate(x87::BinaryExponent(bits));
  Real scaled = RoundToInteger(ScaleByPowerOfTen(Abs(value), DecimalImage::kDigits - exponent));
  if (scaled >= Real(kTenTo18)) {
    scaled = RoundToInteger(scaled / Real(10));
    ++exponent;
  }
  image.significand = ToUint64(scaled);
  image.exponent = exponent;
  return image;
}

DigitImage ToDigitImage(const DecimalImage& decimal) {
  DigitImage image{.kind = decimal.kind, .negative = decimal.negative};
  if (decimal.kind != ImageKind::kFinite || decimal.significand == 0) {
    return decimal.kind == ImageKind::kFinite ? ZeroImage() : image;
  }
  static_assert(DigitImage::kMaxDigits == 18, "the image is two runs of nine digits");
  WriteNineDigits(static_cast<std::uint32_t>(decimal.significand / kTenTo9), image.digits.data());
  WriteNineDigits(static_cast<std::uint32_t>(decimal.significand % kTenTo9),
                  image.digits.data() + 9);
  image.exponent = decimal.exponent;
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

// The image's digits sit 18 − E places after the decimal point. Cutting at the second decimal
// keeps the first E + 2 of them: the quotient by 10^(16 − E) counts hundredths, and the next
// image digit is 5 or more exactly when the remainder is at least half the divisor. An image
// with at most two decimals is cut nowhere; one whose first digit lies past the third decimal
// keeps nothing.
Hundredths CutToHundredths(const DecimalImage& image) {
  constexpr int kPlaces = 2;
  const int decimals = DecimalImage::kDigits - image.exponent;
  if (decimals > DecimalImage::kDigits + kPlaces) {
    return {};
  }
  if (decimals <= kPlaces) {
    const std::uint64_t divisor = kPowersOfTen[decimals];
    return {image.significand / divisor,
            static_cast<unsigned>(image.significand % divisor * kPowersOfTen[kPlaces - decimals])};
  }
  const std::uint64_t divisor = kPowersOfTen[decimals - kPlaces];
  const std::uint64_t hundredths =
      image.significand / divisor + (image.significand % divisor >= divisor / 2 ? 1 : 0);
  return {hundredths / 100, static_cast<unsigned>(hundredths % 100)};
}

#define INSTANTIATE(Real) template DecimalImage MakeDecimalImage(Real);
SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE)
#undef INSTANTIATE

}  // namespace calc
