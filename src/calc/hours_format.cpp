#include <algorithm>
#include <string>
#include <string_view>

#include "calc/internal/digit_image.h"
#include "calc/internal/fp_environment.h"
#include "calc/internal/number_separators.h"
#include "calc/number_text.h"

namespace calc {
namespace {

// Two decimals: the digits that reach the second place after the decimal separator.
constexpr int kDecimalPlaces = 2;
// From 10^18 on the pattern gives way to the scientific form, with this many digits.
constexpr int kPatternExponentLimit = 18;
constexpr int kScientificDigits = 15;

struct Separators {
  std::string_view decimal;
  std::string_view thousands;  // empty: no grouping
};

char DigitAt(const DigitImage& image, int position) {
  return position < image.count ? image.digits[position] : '0';
}

char* Put(std::string_view piece, char* out) {
  return std::copy(piece.begin(), piece.end(), out);
}

// The text is sized once and filled in place. The cut guarantees at most two fraction
// characters: leading zeros for a negative exponent plus the image digits past the integer part.
std::string RenderPattern(const DigitImage& image, const Separators& separators) {
  const int integerDigits = image.exponent > 0 ? image.exponent : 1;
  const int groupSeparators = image.exponent > 0 ? (image.exponent - 1) / 3 : 0;
  const int leadingZeros = image.exponent < 0 ? -image.exponent : 0;
  const int firstFractionDigit = image.exponent > 0 ? image.exponent : 0;
  const int fractionDigits =
      leadingZeros + (image.count > firstFractionDigit ? image.count - firstFractionDigit : 0);
  const std::size_t length =
      (image.negative ? 1U : 0U) + static_cast<std::size_t>(integerDigits) +
      static_cast<std::size_t>(groupSeparators) * separators.thousands.size() +
      (fractionDigits > 0 ? separators.decimal.size() + static_cast<std::size_t>(fractionDigits)
                          : 0U);
  std::string text(length, '0');
  char* out = text.data();
  if (image.negative) {
    *out++ = '-';
  }
  if (image.exponent <= 0) {
    ++out;
  }
  for (int position = 0; position < image.exponent; ++position) {
    *out++ = DigitAt(image, position);
    const int digitsToTheRight = image.exponent - 1 - position;
    if (digitsToTheRight > 0 && digitsToTheRight % 3 == 0) {
      out = Put(separators.thousands, out);
    }
  }
  if (fractionDigits > 0) {
    out = Put(separators.decimal, out) + leadingZeros;
    std::copy(image.digits.begin() + firstFractionDigit, image.digits.begin() + image.count, out);
  }
  return text;
}

std::string RenderScientific(const DigitImage& image, const Separators& separators) {
  std::string text = image.negative ? "-" : "";
  text += image.digits[0];
  if (image.count > 1) {
    text += separators.decimal;
    text.append(image.digits.data() + 1, static_cast<std::size_t>(image.count - 1));
  }
  text += 'E';
  text += std::to_string(image.exponent - 1);
  return text;
}

template <ExtendedArithmetic Real>
std::string RenderHours(Real value, const RegionalSettings& settings, bool grouped) {
  const DigitImage image = MakeDigitImage(value);
  if (image.kind == DigitImage::Kind::kNaN) {
    return "NAN";
  }
  if (image.kind == DigitImage::Kind::kInfinity) {
    return image.negative ? "-INF" : "INF";
  }
  const Separators separators{NumberDecimalSeparator(settings),
                              grouped ? NumberThousandsSeparator(settings) : std::string_view()};
  const DigitImage cut = CutDigitImage(image, image.exponent + kDecimalPlaces);
  if (cut.exponent > kPatternExponentLimit) {
    return RenderScientific(CutDigitImage(image, kScientificDigits), separators);
  }
  return RenderPattern(cut, separators);
}

}  // namespace

template <ExtendedArithmetic Real>
std::string FormatHoursAs(Real value, const RegionalSettings& settings) {
  const DefaultFloatingPointModes floatingPointModes(kUnitsComputedOn<Real>);
  const ArithmeticScope<Real> arithmetic;
  DefaultFloatingPointModes::Pin(value);
  return RenderHours(value, settings, true);
}

template <ExtendedArithmetic Real>
std::string FormatHoursUngroupedAs(Real value, const RegionalSettings& settings) {
  const DefaultFloatingPointModes floatingPointModes(kUnitsComputedOn<Real>);
  const ArithmeticScope<Real> arithmetic;
  DefaultFloatingPointModes::Pin(value);
  return RenderHours(value, settings, false);
}

std::string FormatHours(Extended value, const RegionalSettings& settings) {
  return FormatHoursAs(value, settings);
}
std::string FormatHoursUngrouped(Extended value, const RegionalSettings& settings) {
  return FormatHoursUngroupedAs(value, settings);
}
std::string FormatHours(Extended value) {
  return FormatHoursAs(value);
}
std::string FormatHoursUngrouped(Extended value) {
  return FormatHoursUngroupedAs(value);
}

template std::string FormatHoursAs(SoftExtended, const RegionalSettings&);
template std::string FormatHoursUngroupedAs(SoftExtended, const RegionalSettings&);
#if SHIFTMETER_LONG_DOUBLE_IS_X87
template std::string FormatHoursAs(long double, const RegionalSettings&);
template std::string FormatHoursUngroupedAs(long double, const RegionalSettings&);
#endif

}  // namespace calc
