#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "calc/internal/fp_environment.h"
#include "calc/internal/not_valid.h"
#include "calc/internal/number_separators.h"
#include "calc/internal/powers_of_ten.h"
#include "calc/internal/text_scan.h"
#include "calc/number_text.h"

namespace calc {
namespace {

// Reading of the exponent stops once its value reaches this, leaving further digits unread.
constexpr int kExponentReadLimit = 500;

[[noreturn]] void FailReal(std::string_view text) {
  FailNotValid(text, "floating point value");
}

bool StartsWithDigit(std::string_view rest) {
  if (rest.empty()) {
    return false;
  }
  const auto byte = static_cast<unsigned char>(rest.front());
  return byte >= '0' && byte <= '9';
}

int TakeDigit(std::string_view& rest) {
  const int digit = static_cast<unsigned char>(rest.front()) - '0';
  rest.remove_prefix(1);
  return digit;
}

// acc ← round(round(acc × 10) + d), digit by digit. While the exact value still fits 64 bits
// every one of those roundings is exact (each intermediate is an integer below 2^64, which the
// 64-bit significand holds), so a plain integer carries it and the 80-bit steps begin only
// after. Once infinite the accumulator stays infinite (∞ × 10 + d = ∞), so the steps stop: at
// most about 4950 digits take the slow road, whatever the length of the text.
template <ExtendedArithmetic Real>
class DigitAccumulator {
 public:
  void Add(int digit) {
    const auto unsignedDigit = static_cast<std::uint64_t>(digit);
    // Nineteen digits stay below 10^19 < 2^64, so they need no overflow check.
    if (exactDigits_ < kUncheckedDigits) {
      exact_ = exact_ * 10 + unsignedDigit;
      ++exactDigits_;
      return;
    }
    if (!wide_) {
      if (exact_ <= (std::numeric_limits<std::uint64_t>::max() - unsignedDigit) / 10) {
        exact_ = exact_ * 10 + unsignedDigit;
        return;
      }
      value_ = Real(exact_);
      wide_ = true;
    }
    if (!IsInf(value_)) {
      value_ = value_ * Real(10) + Real(digit);
    }
  }

  Real Value() const { return wide_ ? value_ : Real(exact_); }

 private:
  static constexpr int kUncheckedDigits = 19;

  std::uint64_t exact_ = 0;
  int exactDigits_ = 0;
  bool wide_ = false;
  Real value_{};
};

// The digits of a run, and how many there were.
template <ExtendedArithmetic Real>
std::int64_t AccumulateRun(std::string_view& rest, DigitAccumulator<Real>& accumulator) {
  std::int64_t count = 0;
  for (; StartsWithDigit(rest); ++count) {
    accumulator.Add(TakeDigit(rest));
  }
  return count;
}

// The signed exponent after "E" or "e"; no digit at all reads as 0.
int ReadExponent(std::string_view& rest) {
  if (!rest.starts_with('E') && !rest.starts_with('e')) {
    return 0;
  }
  rest.remove_prefix(1);
  const bool negative = TakeSign(rest);
  int exponent = 0;
  while (exponent < kExponentReadLimit && StartsWithDigit(rest)) {
    exponent = exponent * 10 + TakeDigit(rest);
  }
  return negative ? -exponent : exponent;
}

}  // namespace

// Overflow is detected by looking for an infinity rather than by the floating-point unit's
// flags: the accumulator and every scaling step only ever grow towards an infinity, and an
// infinite accumulator is remembered even when the scaling would then give zero. No step can
// produce NaN (the powers are finite and non-zero), but one would fail the parse as well.
template <ExtendedArithmetic Real>
Real ParseRealAs(std::string_view text, const RegionalSettings& settings) {
  const DefaultFloatingPointModes floatingPointModes;
  const ArithmeticScope<Real> arithmetic;
  const std::string_view decimalSeparator = NumberDecimalSeparator(settings);
  std::string_view rest = text;
  SkipSpaces(rest);
  const bool negative = TakeSign(rest);
  DigitAccumulator<Real> accumulator;
  bool tookMantissa = AccumulateRun(rest, accumulator) > 0;
  std::int64_t decimals = 0;
  if (rest.starts_with(decimalSeparator)) {
    rest.remove_prefix(decimalSeparator.size());
    tookMantissa = true;
    decimals = AccumulateRun(rest, accumulator);
  }
  if (!tookMantissa) {
    FailReal(text);
  }
  const std::int64_t scale = ReadExponent(rest) - decimals;
  SkipSpaces(rest);
  if (!rest.empty()) {
    FailReal(text);
  }
  const Real mantissa = accumulator.Value();
  // Scaling by 10^0 is exact, so a number without decimals or exponent skips it.
  Real value = scale == 0                ? mantissa
               : scale <= -kScalingLimit ? Real(0)
                                         : ScaleByPowerOfTen(mantissa, static_cast<int>(scale));
  if (negative) {
    value = -value;
  }
  DefaultFloatingPointModes::Pin(value);
  if (IsInf(mantissa) || IsInf(value) || IsNaN(value)) {
    FailReal(text);
  }
  return value;
}

Extended ParseReal(std::string_view text, const RegionalSettings& settings) {
  return ParseRealAs<Extended>(text, settings);
}
Extended ParseReal(std::string_view text) {
  return ParseRealAs<Extended>(text);
}

template SoftExtended ParseRealAs<SoftExtended>(std::string_view, const RegionalSettings&);
#if SHIFTMETER_LONG_DOUBLE_IS_X87
template long double ParseRealAs<long double>(std::string_view, const RegionalSettings&);
#endif

}  // namespace calc
