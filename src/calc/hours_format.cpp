#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "detail/arithmetic.h"
#include "detail/digit_image.h"
#include "detail/fp_environment.h"
#include "detail/number_separators.h"
#include "detail/text_scan.h"

namespace calc {
namespace {

// From 10^18 on the pattern gives way to the scientific form, with this many digits.
constexpr int kPatternExponentLimit = 18;
constexpr int kScientificDigits = 15;

struct Separators {
  std::string_view decimal;
  std::string_view thousands;  // empty: no grouping
};

// A separator is mostly one byte, which a library copy would cost far more than.
char* Put(std::string_view piece, char* out) {
  if (piece.size() == 1) {
    *out = piece.front();
    return out + 1;
  }
  return std::copy(piece.begin(), piece.end(), out);
}

// The text is sized once and filled in place; its one return lets it be built where the caller
// wants it.
std::string RenderPattern(bool negative, Hundredths value, const Separators& separators) {
  std::array<char, std::numeric_limits<std::uint64_t>::digits10 + 1> buffer;
  const char* const digitsEnd = buffer.data() + buffer.size();
  const char* digit = WriteDigitsBefore(value.whole, buffer.data() + buffer.size());
  const auto wholeDigits = static_cast<int>(digitsEnd - digit);
  const int groupSeparators = (wholeDigits - 1) / 3;
  const int fractionDigits = value.hundredths == 0 ? 0 : value.hundredths % 10 == 0 ? 1 : 2;
  const std::size_t length =
      (negative ? 1U : 0U) + static_cast<std::size_t>(wholeDigits) +
      static_cast<std::size_t>(groupSeparators) * separators.thousands.size() +
      (fractionDigits > 0 ? separators.decimal.size() + static_cast<std::size_t>(fractionDigits)
                          : 0U);
  std::string text(length, '0');
  char* out = text.data();
  if (negative) {
    *out++ = '-';
  }
  for (int digitsToTheRight = wholeDigits - 1; digit != digitsEnd; --digitsToTheRight) {
    *out++ = *digit++;
    if (digitsToTheRight > 0 && digitsToTheRight % 3 == 0) {
      out = Put(separators.thousands, out);
    }
  }
  if (fractionDigits > 0) {
    out = Put(separators.decimal, out);
    *out++ = static_cast<char>('0' + value.hundredths / 10);
    if (fractionDigits == 2) {
      *out = static_cast<char>('0' + value.hundredths % 10);
    }
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
  const DefaultFloatingPointModes floatingPointModes(kUnitsComputedOn<Real>);
  const ArithmeticScope<Real> arithmetic;
  DefaultFloatingPointModes::Pin(value);
  const DecimalImage image = MakeDecimalImage(value);
  if (image.kind == ImageKind::kNaN) {
    return "NAN";
  }
  if (image.kind == ImageKind::kInfinity) {
    return image.negative ? "-INF" : "INF";
  }
  const Separators separators{NumberDecimalSeparator(settings),
                              grouped ? NumberThousandsSeparator(settings) : std::string_view()};
  // The cut at the second decimal moves the exponent only by a carry out of a run of nines,
  // which reaches 10^16 at most, so the image's own exponent decides the form.
  if (image.exponent > kPatternExponentLimit) {
    return RenderScientific(CutDigitImage(ToDigitImage(image), kScientificDigits), separators);
  }
  const Hundredths hundredths = CutToHundredths(image);
  if (hundredths.whole == 0 && hundredths.hundredths == 0) {
    return "0";  // a value that rounds to nothing shows no sign
  }
  return RenderPattern(image.negative, hundredths, separators);
}

}  // namespace

template <ExtendedArithmetic Real>
std::string FormatHoursAs(Real value, const RegionalSettings& settings) {
  return RenderHours(value, settings, true);
}

template <ExtendedArithmetic Real>
std::string FormatHoursUngroupedAs(Real value, const RegionalSettings& settings) {
  return RenderHours(value, settings, false);
}

#define INSTANTIATE(Real)                                            \
  template std::string FormatHoursAs(Real, const RegionalSettings&); \
  template std::string FormatHoursUngroupedAs(Real, const RegionalSettings&);
SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE)
#undef INSTANTIATE

}  // namespace calc
