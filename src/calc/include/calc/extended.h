#pragma once

// The 80-bit extended type the conversions and the recalculation compute in. Each entry point of
// the core is a template over the arithmetic type `Real`, built for the native x87 `long double`
// where the compiler has it and for the MPFR-based `SoftExtended` everywhere; `Extended` names
// this build's choice and is every entry point's default.

#include <compare>
#include <concepts>
#include <cstdint>

// Whether long double is the x87 format here; then both instantiations exist in every build.
#if defined(__LDBL_MANT_DIG__) && __LDBL_MANT_DIG__ == 64 && __LDBL_MAX_EXP__ == 16384
#define SHIFTMETER_LONG_DOUBLE_IS_X87 1
#else
#define SHIFTMETER_LONG_DOUBLE_IS_X87 0
#endif

// Whether Extended is that native type; the SHIFTMETER_SOFT_EXTENDED build option says no.
#if SHIFTMETER_LONG_DOUBLE_IS_X87 && !defined(SHIFTMETER_SOFT_EXTENDED)
#define SHIFTMETER_EXTENDED_IS_NATIVE 1
#else
#define SHIFTMETER_EXTENDED_IS_NATIVE 0
#endif

namespace calc {

// The exact bits of an x87 80-bit extended value: sign in bit 15 of signExponent, the biased
// exponent (bias 16383) in its bits 0 to 14, and the 64-bit significand with its explicit
// integer bit in bit 63.
struct X87Bits {
  std::uint16_t signExponent = 0;
  std::uint64_t significand = 0;

  friend bool operator==(const X87Bits&, const X87Bits&) = default;
};

// An exact software model of the x87 80-bit extended format, for targets whose long double is
// something else and for checking the native arithmetic against. A value is its 80-bit pattern,
// so it needs no heap. Each operation rounds exactly as the x87 rounds: in plain integers when
// operands and result are normal, through MPFR otherwise.
class SoftExtended {
 public:
  // Positive zero.
  constexpr SoftExtended() = default;

  // Every integer of up to 64 bits fits the 64-bit significand, so the value is exact.
  template <std::integral Integer>
  requires(!std::same_as<Integer, bool> &&
           sizeof(Integer) <= sizeof(std::uint64_t)) explicit SoftExtended(Integer value)
      : bits_(FromInteger(value < 0, value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                               : static_cast<std::uint64_t>(value))) {}

  // Exact, like the x87 loading a double; a signalling NaN arrives quieted.
  explicit SoftExtended(double value);
  // A long double would silently narrow through double; go through its bits instead.
  explicit SoftExtended(long double value) = delete;

  // Expects a canonical pattern; FromX87BitsAs<SoftExtended> makes any pattern canonical.
  static constexpr SoftExtended FromCanonicalBits(X87Bits bits) {
    SoftExtended value;
    value.bits_ = bits;
    return value;
  }
  constexpr X87Bits Bits() const { return bits_; }

  // Each rounds to nearest, ties to even, like the x87 at 64-bit precision. An invalid
  // operation gives the default NaN; a NaN operand's payload is not carried on.
  friend SoftExtended operator+(SoftExtended a, SoftExtended b);
  friend SoftExtended operator-(SoftExtended a, SoftExtended b);
  friend SoftExtended operator*(SoftExtended a, SoftExtended b);
  friend SoftExtended operator/(SoftExtended a, SoftExtended b);
  friend constexpr SoftExtended operator-(SoftExtended a) {
    return FromCanonicalBits(
        X87Bits{static_cast<std::uint16_t>(a.bits_.signExponent ^ 0x8000U), a.bits_.significand});
  }
  friend constexpr SoftExtended Abs(SoftExtended a) {
    return FromCanonicalBits(
        X87Bits{static_cast<std::uint16_t>(a.bits_.signExponent & 0x7FFFU), a.bits_.significand});
  }

  SoftExtended& operator+=(SoftExtended other) { return *this = *this + other; }
  SoftExtended& operator-=(SoftExtended other) { return *this = *this - other; }
  SoftExtended& operator*=(SoftExtended other) { return *this = *this * other; }
  SoftExtended& operator/=(SoftExtended other) { return *this = *this / other; }

  // IEEE comparisons: NaN is unordered and unequal to everything, the two zeros are equal.
  friend bool operator==(SoftExtended a, SoftExtended b);
  friend std::partial_ordering operator<=>(SoftExtended a, SoftExtended b);

 private:
  static X87Bits FromInteger(bool negative, std::uint64_t magnitude);

  X87Bits bits_;
};

#if SHIFTMETER_EXTENDED_IS_NATIVE
using Extended = long double;
#else
using Extended = SoftExtended;
#endif

// The arithmetic types this build has the core for.
template <class Real>
concept ExtendedArithmetic = std::same_as<Real, SoftExtended> ||
    (SHIFTMETER_LONG_DOUBLE_IS_X87 != 0 && std::same_as<Real, long double>);

}  // namespace calc
