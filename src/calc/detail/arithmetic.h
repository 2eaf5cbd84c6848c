#pragma once

// The operations the algorithms use on both arithmetic types, and how a call holds its
// arithmetic. Every `Real` offers construction from any integral type of up to 64 bits and from
// double (both exact), + - * / and unary -, each rounded to a 64-bit significand with ties to
// even, the x87 exponent range, gradual underflow and overflow to infinity; IEEE comparisons; and
// the free functions below, overloaded for both types (the concept ExtendedOperations at the end
// states it for the compiler).

#include <cmath>
#include <cstring>

#include "calc/extended.h"
#include "detail/soft_extended.h"
#include "detail/x87_bits.h"

// The core's templates are defined in their source files and instantiated there, for every
// arithmetic type this build has, by SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE), which
// expands INSTANTIATE(Real) once for each: the list of types lives here alone.
#if SHIFTMETER_LONG_DOUBLE_IS_X87
#define SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE) \
  INSTANTIATE(SoftExtended)                              \
  INSTANTIATE(long double)
#else
#define SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE) INSTANTIATE(SoftExtended)
#endif

namespace calc {

// Operations on both arithmetic types (declared for SoftExtended in soft_extended.h):
//   Real   RoundToInteger(Real)  nearest whole value, ties to even; infinities and NaN unchanged
//   int    BinaryExponent(Real)  e with 2^e <= |x| < 2^(e+1) for finite non-zero x; 0 otherwise
//   bool   IsNaN(Real), IsInf(Real), SignBit(Real)
//   Real   Abs(Real)             the value with its sign bit clear
//   double RoundToDouble(Real)   nearest double, ties to even, gradual underflow; a magnitude
//                                beyond the double range gives an infinity of the same sign
//   std::uint64_t ToUint64(Real) the integer part of |x| when finite and below 2^64; 0 otherwise
//   X87Bits ToX87Bits(Real)      the exact 80-bit pattern
//   template <class Real> Real FromX87BitsAs(X87Bits)
//                                the value of any pattern: invalid encodings read as the x87
//                                reads them (see x87::Canonical), alike on both types
//
// NaN payloads: both types keep the payload of a NaN they are given and narrow it to a double
// alike, and both produce the default NaN for an invalid operation; only the native type
// carries a NaN operand's payload on through arithmetic. Nothing here depends on payloads.

template <class Real>
Real FromX87BitsAs(X87Bits bits);

// What a public call holds for the length of its work in Real: the native type needs nothing.
template <class Real>
struct ArithmeticScope {
  ArithmeticScope() {}
};
template <>
struct ArithmeticScope<SoftExtended> {
  X87RangeScope range;
};

#if SHIFTMETER_LONG_DOUBLE_IS_X87
// The classifications and the narrowing are single instructions on the x87; inline, they keep
// the digit loops of the conversions tight.
inline bool IsNaN(long double x) {
  return std::isnan(x);
}
inline bool IsInf(long double x) {
  return std::isinf(x);
}
inline bool SignBit(long double x) {
  return std::signbit(x);
}
inline long double Abs(long double x) {
  return std::fabs(x);
}
inline double RoundToDouble(long double x) {
  return static_cast<double>(x);
}

// Adding and removing 2^63 leaves a sum whose unit in the last place is 1, so the hardware's own
// rounding to nearest, ties to even, does the work; from 2^63 on every value is whole already.
// The sign is told by comparisons, which are quick on the x87 where reading the sign bit is
// not, and a zero is its own result with either sign.
inline long double RoundToInteger(long double x) {
  constexpr long double kTwoTo63 = 9223372036854775808.0L;
  if (x > 0 && x < kTwoTo63) {
    return (x + kTwoTo63) - kTwoTo63;
  }
  if (x < 0 && x > -kTwoTo63) {
    return -((-x + kTwoTo63) - kTwoTo63);
  }
  return x;
}

// The x87 stores the significand in bytes 0 to 7 and sign and exponent in bytes 8 and 9, little
// end first; the bytes after them are padding. In line, like the classifications.
inline X87Bits ToX87Bits(long double x) {
  X87Bits bits;
  std::memcpy(&bits.significand, &x, sizeof bits.significand);
  std::memcpy(&bits.signExponent,
              reinterpret_cast<const unsigned char*>(&x) + sizeof bits.significand,
              sizeof bits.signExponent);
  return bits;
}
inline int BinaryExponent(long double x) {
  return x87::BinaryExponent(ToX87Bits(x));
}
inline std::uint64_t ToUint64(long double x) {
  return x87::TruncatedMagnitude(ToX87Bits(x));
}
template <>
long double FromX87BitsAs<long double>(X87Bits bits);
#endif

template <>
SoftExtended FromX87BitsAs<SoftExtended>(X87Bits bits);

inline Extended FromX87Bits(X87Bits bits) {
  return FromX87BitsAs<Extended>(bits);
}

// The operations above, which both arithmetic types offer. The rounding, range and comparison
// semantics are each type's promise; the tests check them.
template <class Real>
concept ExtendedOperations = std::copyable<Real> && std::default_initializable<Real> &&
    std::constructible_from<Real, std::int32_t> && std::constructible_from<Real, std::int64_t> &&
    std::constructible_from<Real, std::uint64_t> && std::constructible_from<Real, double> &&
    requires(Real a, Real b, X87Bits bits) {
  { a + b } -> std::same_as<Real>;
  { a - b } -> std::same_as<Real>;
  { a* b } -> std::same_as<Real>;
  { a / b } -> std::same_as<Real>;
  { -a } -> std::same_as<Real>;
  { a == b } -> std::same_as<bool>;
  { a < b } -> std::same_as<bool>;
  { a >= b } -> std::same_as<bool>;
  { RoundToInteger(a) } -> std::same_as<Real>;
  { BinaryExponent(a) } -> std::same_as<int>;
  { IsNaN(a) } -> std::same_as<bool>;
  { IsInf(a) } -> std::same_as<bool>;
  { SignBit(a) } -> std::same_as<bool>;
  { Abs(a) } -> std::same_as<Real>;
  { RoundToDouble(a) } -> std::same_as<double>;
  { ToUint64(a) } -> std::same_as<std::uint64_t>;
  { ToX87Bits(a) } -> std::same_as<X87Bits>;
  { FromX87BitsAs<Real>(bits) } -> std::same_as<Real>;
};

static_assert(ExtendedOperations<SoftExtended>);
#if SHIFTMETER_LONG_DOUBLE_IS_X87
static_assert(ExtendedOperations<long double>);
#endif

}  // namespace calc
