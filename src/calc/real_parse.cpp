#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "detail/arithmetic.h"
#include "detail/fp_environment.h"
#include "detail/not_valid.h"
#include "detail/number_separators.h"
#include "detail/powers_of_ten.h"
#include "detail/text_scan.h"
#include "detail/wide_mantissa.h"

namespace calc {
namespace {

// Reading of the exponent stops once its value reaches this, leaving further digits unread.
constexpr int kExponentReadLimit = 500;

[[noreturn]] void FailReal(std::string_view text) {
  FailNotValid(text, "floating point value");
}

int TakeDigit(std::string_view& rest) {
  const int digit = rest.front() - '0';
  rest.remove_prefix(1);
  return digit;
}

// acc ← round(round(acc × 10) + d), digit by digit. While the exact value still fits 64 bits
// every one of those roundings is exact (each intermediate is an integer below 2^64, which the
// 64-bit significand holds), so a plain integer carries it; after that WideMantissa rounds
// each step as the 80-bit format does. No floating-point unit takes part.
class DigitAccumulator {
 public:
  // The digits of a run, and how many there were.
  std::int64_t AddRun(std::string_view& rest) {
    const std::size_t before = rest.size();
    if (!wide_) {
      AddUnchecked(rest);
      AddChecked(rest);
    }
    if (wide_) {
      rest.remove_prefix(wide_->AddDigits(rest));
    }
    return static_cast<std::int64_t>(before - rest.size());
  }

  // Nothing when the digits alone lie beyond the 80-bit range.
  template <ExtendedArithmetic Real>
  std::optional<Real> Value() const {
    if (wide_ && wide_->IsInfinite()) {
      return std::nullopt;
    }
    return wide_ ? FromX87BitsAs<Real>(wide_->Bits()) : Real(exact_);
  }
  // The value as a signed integer when it is one below 2^63, else nothing.
  std::optional<std::int64_t> SmallExact() const {
    if (wide_ || exact_ > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
      return std::nullopt;
    }
    return static_cast<std::int64_t>(exact_);
  }

 private:
  static constexpr int kUncheckedDigits = 19;

  // Nineteen digits stay below 10^19 < 2^64, so while fewer have been taken in all they go
  // straight into the integer; that loop is all that most entries ever need.
  // The loop works on locals: a store to a member might, for all the compiler knows, change the
  // characters being read, and would be redone on every digit.
  void AddUnchecked(std::string_view& rest) {
    const std::string_view text = rest;
    const std::size_t room = static_cast<std::size_t>(kUncheckedDigits - exactDigits_);
    const std::size_t limit = text.size() < room ? text.size() : room;
    std::uint64_t exact = exact_;
    std::size_t taken = 0;
    for (; taken < limit && IsDigit(text[taken]); ++taken) {
      exact = exact * 10 + static_cast<std::uint64_t>(text[taken] - '0');
    }
    exact_ = exact;
    exactDigits_ += static_cast<int>(taken);
    rest.remove_prefix(taken);
  }

  // Up to the first digit that would take the integer past 2^64, which stays in `rest`.
  void AddChecked(std::string_view& rest) {
    for (; StartsWithDigit(rest); rest.remove_prefix(1)) {
      const auto digit = static_cast<std::uint64_t>(rest.front() - '0');
      if (exact_ > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
        wide_.emplace(exact_);
        return;
      }
      exact_ = exact_ * 10 + digit;
    }
  }

  std::uint64_t exact_ = 0;
  int exactDigits_ = 0;
  std::optional<WideMantissa> wide_;
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

// What the text says: sign, digits and the power of ten that scales them, read in integers.
struct ScannedReal {
  bool negative = false;
  DigitAccumulator mantissa;
  std::int64_t scale = 0;
};

ScannedReal ScanReal(std::string_view text, std::string_view decimalSeparator) {
  ScannedReal number;
  std::string_view rest = text;
  SkipSpaces(rest);
  number.negative = TakeSign(rest);
  bool tookMantissa = number.mantissa.AddRun(rest) > 0;
  std::int64_t decimals = 0;
  if (TakePrefix(rest, decimalSeparator)) {
    tookMantissa = true;
    decimals = number.mantissa.AddRun(rest);
  }
  if (!tookMantissa) {
    FailReal(text);
  }
  number.scale = ReadExponent(rest) - decimals;
  SkipSpaces(rest);
  if (!rest.empty()) {
    FailReal(text);
  }
  return number;
}

// Most entries end here: a mantissa below 2^63 and a scale whose power is one of the small ones
// take a single rounded step, the same as the general scaling gives (10^0 = 1 multiplies
// exactly); below 2^63 × 10^31 it can neither overflow nor be NaN. Kept out of line, like the
// general case below: a function that holds one x87 value keeps it in a register, where one that
// joins several paths passes each through slow 80-bit stores and loads.
template <ExtendedArithmetic Real>
[[gnu::noinline]] Real OneStepValue(std::int64_t mantissa, int scale, bool negative) {
  const DefaultFloatingPointModes floatingPointModes(kUnitsComputedOn<Real>);
  const ArithmeticScope<Real> arithmetic;
  const Real& power = PowerLadder<Real>::Get().small[scale < 0 ? -scale : scale];
  const Real magnitude = scale < 0 ? Real(mantissa) / power : Real(mantissa) * power;
  Real value = negative ? -magnitude : magnitude;
  DefaultFloatingPointModes::Pin(value);
  return value;
}

// Overflow is detected by looking for an infinity rather than by the floating-point unit's
// flags: the accumulator and every scaling step only ever grow towards an infinity, and an
// infinite accumulator is remembered even when the scaling would then give zero. No step can
// produce NaN (the powers are finite and non-zero), but one would fail the parse as well.
template <ExtendedArithmetic Real>
[[gnu::noinline]] Real ScaledValue(const ScannedReal& number, std::string_view text) {
  const DefaultFloatingPointModes floatingPointModes(kUnitsComputedOn<Real>);
  const ArithmeticScope<Real> arithmetic;
  const std::optional<Real> mantissa = number.mantissa.Value<Real>();
  if (!mantissa) {
    FailReal(text);
  }
  // Scaling by 10^0 is exact, so a number without decimals or exponent skips it.
  Real value = number.scale == 0 ? *mantissa
               : number.scale <= -kScalingLimit
                   ? Real(0)
                   : ScaleByPowerOfTen(*mantissa, static_cast<int>(number.scale));
  if (number.negative) {
    value = -value;
  }
  DefaultFloatingPointModes::Pin(value);
  if (IsInf(value) || IsNaN(value)) {
    FailReal(text);
  }
  return value;
}

}  // namespace

// The text is read in integers first; only the value it names is computed in `Real`, under the
// floating-point guard.
template <ExtendedArithmetic Real>
Real ParseRealAs(std::string_view text, const RegionalSettings& settings) {
  const ScannedReal number = ScanReal(text, NumberDecimalSeparator(settings));
  if (const std::optional<std::int64_t> exact = number.mantissa.SmallExact();
      exact && number.scale > -power_steps::kSmallCount &&
      number.scale < power_steps::kSmallCount) {
    return OneStepValue<Real>(*exact, static_cast<int>(number.scale), number.negative);
  }
  return ScaledValue<Real>(number, text);
}

#define INSTANTIATE(Real) \
  template Real ParseRealAs<Real>(std::string_view, const RegionalSettings&);
SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE)
#undef INSTANTIATE

}  // namespace calc
