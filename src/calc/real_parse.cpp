#include <cstdint>
#include <limits>
#include <optional>
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

bool IsDigit(char c) {
  return static_cast<unsigned char>(c) - unsigned{'0'} <= 9U;
}

bool StartsWithDigit(std::string_view rest) {
  return !rest.empty() && IsDigit(rest.front());
}

int TakeDigit(std::string_view& rest) {
  const int digit = rest.front() - '0';
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
  // The digits of a run, and how many there were.
  std::int64_t AddRun(std::string_view& rest) {
    const std::size_t before = rest.size();
    if (wide_) {
      value_ = AddWide(value_, rest);
    } else {
      AddUnchecked(rest);
      AddChecked(rest);
    }
    return static_cast<std::int64_t>(before - rest.size());
  }

  Real Value() const { return wide_ ? value_ : Real(exact_); }
  // The value as a signed integer when it is one below 2^63, else nothing.
  std::optional<std::int64_t> SmallExact() const {
    if (wide_ || exact_ > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
      return std::nullopt;
    }
    return static_cast<std::int64_t>(exact_);
  }
  // Only the 80-bit steps can overflow.
  bool Overflowed() const { return wide_ && IsInf(value_); }

 private:
  static constexpr int kUncheckedDigits = 19;

  // Nineteen digits stay below 10^19 < 2^64, so while fewer have been taken in all they go
  // straight into the integer; that loop is all that most entries ever need.
  void AddUnchecked(std::string_view& rest) {
    std::size_t taken = 0;
    for (; taken < rest.size() && exactDigits_ < kUncheckedDigits && IsDigit(rest[taken]);
         ++taken, ++exactDigits_) {
      exact_ = exact_ * 10 + static_cast<std::uint64_t>(rest[taken] - '0');
    }
    rest.remove_prefix(taken);
  }

  void AddChecked(std::string_view& rest) {
    for (; StartsWithDigit(rest); rest.remove_prefix(1)) {
      const auto digit = static_cast<std::uint64_t>(rest.front() - '0');
      if (exact_ > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
        wide_ = true;
        value_ = AddWide(Real(exact_), rest);
        return;
      }
      exact_ = exact_ * 10 + digit;
    }
  }

  // The 80-bit steps, on a local that the compiler can keep in a register.
  static Real AddWide(Real value, std::string_view& rest) {
    for (; StartsWithDigit(rest) && !IsInf(value); rest.remove_prefix(1)) {
      value = value * Real(10) + Real(rest.front() - '0');
    }
    while (StartsWithDigit(rest)) {
      rest.remove_prefix(1);
    }
    return value;
  }

  std::uint64_t exact_ = 0;
  int exactDigits_ = 0;
  bool wide_ = false;
  Real value_{};
};

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

// Most entries end here: a mantissa below 2^63 and a scale whose power is one of the small ones
// take a single rounded step, the same as the general scaling gives (10^0 = 1 multiplies
// exactly). The step is written without branches on the value, so that the x87 keeps it in a
// register throughout; below 2^63 × 10^31 it can neither overflow nor be NaN.
template <ExtendedArithmetic Real>
Real OneStepValue(std::int64_t mantissa, int scale, bool negative) {
  const Real& power = PowerLadder<Real>::Get().small[scale < 0 ? -scale : scale];
  const Real magnitude = scale < 0 ? Real(mantissa) / power : Real(mantissa) * power;
  Real value = negative ? -magnitude : magnitude;
  DefaultFloatingPointModes::Pin(value);
  return value;
}

}  // namespace

// Overflow is detected by looking for an infinity rather than by the floating-point unit's
// flags: the accumulator and every scaling step only ever grow towards an infinity, and an
// infinite accumulator is remembered even when the scaling would then give zero. No step can
// produce NaN (the powers are finite and non-zero), but one would fail the parse as well.
template <ExtendedArithmetic Real>
Real ParseRealAs(std::string_view text, const RegionalSettings& settings) {
  const DefaultFloatingPointModes floatingPointModes(kUnitsComputedOn<Real>);
  const ArithmeticScope<Real> arithmetic;
  const std::string_view decimalSeparator = NumberDecimalSeparator(settings);
  std::string_view rest = text;
  SkipSpaces(rest);
  const bool negative = TakeSign(rest);
  DigitAccumulator<Real> accumulator;
  bool tookMantissa = accumulator.AddRun(rest) > 0;
  std::int64_t decimals = 0;
  if (TakePrefix(rest, decimalSeparator)) {
    tookMantissa = true;
    decimals = accumulator.AddRun(rest);
  }
  if (!tookMantissa) {
    FailReal(text);
  }
  const std::int64_t scale = ReadExponent(rest) - decimals;
  SkipSpaces(rest);
  if (!rest.empty()) {
    FailReal(text);
  }
  if (const std::optional<std::int64_t> exact = accumulator.SmallExact();
      exact && scale > -power_steps::kSmallCount && scale < power_steps::kSmallCount) {
    return OneStepValue<Real>(*exact, static_cast<int>(scale), negative);
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
  if (accumulator.Overflowed() || IsInf(value) || IsNaN(value)) {
    FailReal(text);
  }
  return value;
}

#define INSTANTIATE(Real) \
  template Real ParseRealAs<Real>(std::string_view, const RegionalSettings&);
SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE)
#undef INSTANTIATE

}  // namespace calc
