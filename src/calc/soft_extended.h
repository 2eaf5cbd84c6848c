#pragma once

// An exact software model of the x87 80-bit extended format, for targets whose long double is
// something else and for checking the native arithmetic against. A value is its 80-bit pattern,
// so it needs no heap. Each operation rounds exactly as the x87 rounds: in plain integers when
// operands and result are normal, through MPFR otherwise.

#include <compare>
#include <concepts>
#include <cstdint>

#include "calc/x87_bits.h"

namespace calc {

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

// Every SoftExtended operation that goes through MPFR needs its exponent range at the x87 one.
// Inside this scope the first such operation narrows it and the rest find it so, instead of each
// setting it up and putting it back; each public call of the core holds one for the whole call. The
// range and MPFR flags the rest of the process set come back at the end. Scopes nest; each thread
// has its own.
class X87RangeScope {
 public:
  X87RangeScope();
  ~X87RangeScope();
  X87RangeScope(const X87RangeScope&) = delete;
  X87RangeScope& operator=(const X87RangeScope&) = delete;

 private:
  bool outermost_;
};

SoftExtended RoundToInteger(SoftExtended x);
int BinaryExponent(SoftExtended x);
bool IsNaN(SoftExtended x);
bool IsInf(SoftExtended x);
bool SignBit(SoftExtended x);
double RoundToDouble(SoftExtended x);
std::uint64_t ToUint64(SoftExtended x);
X87Bits ToX87Bits(SoftExtended x);

}  // namespace calc
