#include <mpfr.h>

#include <bit>
#include <cstddef>
#include <optional>
#include <utility>

#include "detail/arithmetic.h"

namespace calc {
namespace {

static_assert(GMP_NAIL_BITS == 0, "limbs must hold plain binary digits");

constexpr mpfr_prec_t kPrecision = 64;
constexpr std::size_t kLimbs = (kPrecision + GMP_NUMB_BITS - 1) / GMP_NUMB_BITS;

// MPFR's exponent convention is 0.1b…b × 2^exp, one above ours. The smallest subnormal is
// 2^-16445 = 0.1 × 2^-16444 and the largest finite value lies just below 2^16384.
constexpr mpfr_exp_t kMinMpfrExponent = x87::kMinSubnormalExponent + 1;
constexpr mpfr_exp_t kMaxMpfrExponent = x87::kExponentBias + 1;

// MPFR's exponent range and flags as the rest of the process set them.
struct ProcessRange {
  mpfr_exp_t min;
  mpfr_exp_t max;
  mpfr_flags_t flags;
};

ProcessRange NarrowToX87Range() {
  const ProcessRange saved{mpfr_get_emin(), mpfr_get_emax(), mpfr_flags_save()};
  mpfr_set_emin(kMinMpfrExponent);
  mpfr_set_emax(kMaxMpfrExponent);
  return saved;
}

void RestoreRange(const ProcessRange& saved) {
  mpfr_set_emin(saved.min);
  mpfr_set_emax(saved.max);
  mpfr_flags_restore(saved.flags, MPFR_FLAGS_ALL);
}

struct ThreadRange {
  bool scopeOpen = false;  // an X87RangeScope lives on this thread
  bool narrowed = false;   // and an operation inside it has narrowed the range, saving `saved`
  ProcessRange saved{};
};
thread_local ThreadRange tRange;

// The x87 range for one operation. Inside an X87RangeScope the first operation narrows it for
// the rest of the scope, which puts it back; outside one, each operation narrows and restores.
class X87ExponentRange {
 public:
  X87ExponentRange() : ownsRange_(!tRange.scopeOpen) {
    if (ownsRange_) {
      saved_ = NarrowToX87Range();
    } else if (!tRange.narrowed) {
      tRange.saved = NarrowToX87Range();
      tRange.narrowed = true;
    }
  }
  ~X87ExponentRange() {
    if (ownsRange_) {
      RestoreRange(saved_);
    }
  }
  X87ExponentRange(const X87ExponentRange&) = delete;
  X87ExponentRange& operator=(const X87ExponentRange&) = delete;

 private:
  bool ownsRange_;
  ProcessRange saved_{};
};

// A 64-bit MPFR number whose significand lives on the stack inside this object. MPFR expects
// operands within the current exponent range, so these live inside an X87ExponentRange.
class StackMpfr {
 public:
  StackMpfr() { mpfr_custom_init_set(value_, MPFR_NAN_KIND, 0, kPrecision, limbs_); }

  explicit StackMpfr(X87Bits bits) {
    const int sign = x87::SignBit(bits) ? -1 : 1;
    if (x87::IsNaN(bits)) {
      mpfr_custom_init_set(value_, MPFR_NAN_KIND, 0, kPrecision, limbs_);
    } else if (x87::IsInf(bits)) {
      mpfr_custom_init_set(value_, sign * MPFR_INF_KIND, 0, kPrecision, limbs_);
    } else if (x87::IsZero(bits)) {
      mpfr_custom_init_set(value_, sign * MPFR_ZERO_KIND, 0, kPrecision, limbs_);
    } else {
      StoreSignificand(bits.significand << std::countl_zero(bits.significand));
      mpfr_custom_init_set(value_, sign * MPFR_REGULAR_KIND, x87::BinaryExponent(bits) + 1,
                           kPrecision, limbs_);
    }
  }

  StackMpfr(const StackMpfr&) = delete;
  StackMpfr& operator=(const StackMpfr&) = delete;

  mpfr_ptr get() { return value_; }

  // The pattern of a value already rounded to the x87 format (see RoundToX87).
  X87Bits Bits() const {
    const int kind = mpfr_custom_get_kind(value_);
    const bool negative = kind < 0;
    const std::uint16_t sign = negative ? 0x8000U : 0U;
    switch (kind < 0 ? -kind : kind) {
      case MPFR_INF_KIND:
        return X87Bits{static_cast<std::uint16_t>(sign | x87::kMaxBiasedExponent),
                       x87::kIntegerBit};
      case MPFR_ZERO_KIND:
        return X87Bits{sign, 0};
      case MPFR_REGULAR_KIND:
        return x87::Encode(negative, static_cast<int>(mpfr_custom_get_exp(value_)) - 1,
                           LoadSignificand());
      default:
        return x87::kDefaultNaN;
    }
  }

 private:
  void StoreSignificand(std::uint64_t significand) {
    for (std::size_t i = 0; i < kLimbs; ++i) {
      limbs_[i] = static_cast<mp_limb_t>(significand >> (i * GMP_NUMB_BITS));
    }
  }
  std::uint64_t LoadSignificand() const {
    std::uint64_t significand = 0;
    for (std::size_t i = 0; i < kLimbs; ++i) {
      significand |= static_cast<std::uint64_t>(limbs_[i]) << (i * GMP_NUMB_BITS);
    }
    return significand;
  }

  mp_limb_t limbs_[kLimbs] = {};
  mpfr_t value_;
};

// MPFR has rounded the result to 64 bits with the exponent range bounded; subnormalising with
// the ternary of that rounding then gives the one correct rounding to the subnormal grid, with
// no double rounding. A value whose exponent keeps all 64 bits above the smallest subnormal's
// is no subnormal, and subnormalising would leave it alone; so would it a zero or infinity.
X87Bits RoundToX87(StackMpfr& result, int ternary) {
  constexpr mpfr_exp_t kFirstNormalMpfrExponent = kMinMpfrExponent + kPrecision - 1;
  if (mpfr_regular_p(result.get()) && mpfr_get_exp(result.get()) < kFirstNormalMpfrExponent) {
    mpfr_subnormalize(result.get(), ternary, MPFR_RNDN);
  }
  return result.Bits();
}

using BinaryMpfrOp = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

SoftExtended Apply(BinaryMpfrOp operation, SoftExtended a, SoftExtended b) {
  const X87ExponentRange range;
  StackMpfr left(a.Bits());
  StackMpfr right(b.Bits());
  StackMpfr result;
  const int ternary = operation(result.get(), left.get(), right.get(), MPFR_RNDN);
  return SoftExtended::FromCanonicalBits(RoundToX87(result, ternary));
}

// The common case of every operation is done exactly in integers: both operands finite, non-zero
// and normal, and the result normal too. There the exponent range plays no part, and MPFR's
// result, like the x87's, is the exact one rounded to 64 bits, to nearest with ties to even; so
// rounding the exact integer result that way gives the same pattern bit for bit. Everything else
// (zeros, infinities, NaN, subnormals, results that leave the normal range) goes through MPFR as
// before.

// (-1)^negative × significand × 2^(exponent − 63), with bit 63 of the significand set.
struct NormalValue {
  bool negative;
  int exponent;
  std::uint64_t significand;
};

// Normal patterns only: the x87 treats one without the integer bit as an invalid operand.
std::optional<NormalValue> AsNormal(X87Bits bits) {
  const int biased = x87::BiasedExponent(bits);
  if (biased == 0 || biased == x87::kMaxBiasedExponent ||
      (bits.significand & x87::kIntegerBit) == 0) {
    return std::nullopt;
  }
  return NormalValue{x87::SignBit(bits), biased - x87::kExponentBias, bits.significand};
}

// Where the discarded part of an exact result lies relative to half a unit of the last kept bit.
enum class Discarded { kBelowHalf, kHalf, kAboveHalf };

Discarded FromBitsBelow(std::uint64_t discardedBits) {
  if (discardedBits == x87::kIntegerBit) {
    return Discarded::kHalf;
  }
  return discardedBits < x87::kIntegerBit ? Discarded::kBelowHalf : Discarded::kAboveHalf;
}

// Rounding to nearest goes up past half a unit, and at exactly half to the even neighbour.
bool RoundsUp(std::uint64_t kept, Discarded discarded) {
  return discarded == Discarded::kAboveHalf || (discarded == Discarded::kHalf && (kept & 1) != 0);
}

// The value significand × 2^(exponent − 63) plus the discarded part, rounded; a carry out of bit 63
// leaves 2^64, that is 2^63 one exponent up. The exact value is at least 2^exponent, so an exponent
// below the normal range means a subnormal result, and one above it after rounding an overflow:
// both are left to MPFR.
std::optional<SoftExtended> RoundNormal(bool negative, int exponent, std::uint64_t significand,
                                        Discarded discarded) {
  if (exponent < x87::kMinNormalExponent) {
    return std::nullopt;
  }
  if (RoundsUp(significand, discarded)) {
    if (++significand == 0) {
      significand = x87::kIntegerBit;
      ++exponent;
    }
  }
  if (exponent > x87::kExponentBias) {
    return std::nullopt;
  }
  const auto sign = static_cast<std::uint16_t>(negative ? 0x8000U : 0U);
  return SoftExtended::FromCanonicalBits(
      X87Bits{static_cast<std::uint16_t>(sign | (exponent + x87::kExponentBias)), significand});
}

// A 128-bit unsigned number as two 64-bit halves; __int128 is not there on every target.
struct Wide {
  std::uint64_t high;
  std::uint64_t low;
};

constexpr std::uint64_t kLow32 = 0xFFFFFFFFU;

// The exact product from four 32-bit partial products. The middle column sums three values
// below 2^32 each, so it cannot overflow.
Wide MultiplyWide(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t lowLow = (a & kLow32) * (b & kLow32);
  const std::uint64_t lowHigh = (a & kLow32) * (b >> 32);
  const std::uint64_t highLow = (a >> 32) * (b & kLow32);
  const std::uint64_t highHigh = (a >> 32) * (b >> 32);
  const std::uint64_t middle = (lowLow >> 32) + (lowHigh & kLow32) + (highLow & kLow32);
  return Wide{highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
              (middle << 32) | (lowLow & kLow32)};
}

// One base-2^32 digit of a long division: (remainder × 2^32 + digit) / divisor, leaving the new
// remainder. The divisor has bit 63 set and the remainder is below it, so the quotient digit fits
// 32 bits. The estimate from the divisor's top half is never too small; the loop lowers it while
// it times the divisor's low half exceeds what is left of the dividend, which with a divisor of
// only two digits is the exact test, so the digit comes out exact.
std::uint64_t DivideStep(std::uint64_t& remainder, std::uint64_t digit, std::uint64_t divisor) {
  const std::uint64_t divisorHigh = divisor >> 32;
  const std::uint64_t divisorLow = divisor & kLow32;
  std::uint64_t quotient = remainder / divisorHigh;
  std::uint64_t partial = remainder - quotient * divisorHigh;
  while (quotient > kLow32 || quotient * divisorLow > ((partial << 32) | digit)) {
    --quotient;
    partial += divisorHigh;
    if (partial > kLow32) {
      break;
    }
  }
  // The true new remainder is below the divisor, so arithmetic modulo 2^64 gives it exactly.
  remainder = ((remainder << 32) | digit) - quotient * divisor;
  return quotient;
}

// The quotient of a 128-bit dividend whose high half is below the divisor (bit 63 set), which
// therefore fits 64 bits, and the remainder.
std::uint64_t DivideWide(Wide dividend, std::uint64_t divisor, std::uint64_t& remainder) {
  remainder = dividend.high;
  const std::uint64_t high = DivideStep(remainder, dividend.low >> 32, divisor);
  return (high << 32) | DivideStep(remainder, dividend.low & kLow32, divisor);
}

// The product of two significands lies in [2^126, 2^128): its top 64 bits, after a shift of one
// when bit 127 is clear, are the significand and the rest is discarded.
std::optional<SoftExtended> MultiplyNormal(SoftExtended a, SoftExtended b) {
  const std::optional<NormalValue> x = AsNormal(a.Bits());
  const std::optional<NormalValue> y = AsNormal(b.Bits());
  if (!x || !y) {
    return std::nullopt;
  }
  Wide product = MultiplyWide(x->significand, y->significand);
  int exponent = x->exponent + y->exponent + 1;
  if ((product.high & x87::kIntegerBit) == 0) {
    product = Wide{(product.high << 1) | (product.low >> 63), product.low << 1};
    --exponent;
  }
  return RoundNormal(x->negative != y->negative, exponent, product.high,
                     FromBitsBelow(product.low));
}

// With the dividend's significand scaled by 2^63, or by 2^64 when it is below the divisor's, the
// integer quotient lies in [2^63, 2^64); the remainder against half the divisor places the rest.
std::optional<SoftExtended> DivideNormal(SoftExtended a, SoftExtended b) {
  const std::optional<NormalValue> x = AsNormal(a.Bits());
  const std::optional<NormalValue> y = AsNormal(b.Bits());
  if (!x || !y) {
    return std::nullopt;
  }
  const bool scaleBy64 = x->significand < y->significand;
  const Wide dividend =
      scaleBy64 ? Wide{x->significand, 0} : Wide{x->significand >> 1, x->significand << 63};
  std::uint64_t remainder = 0;
  const std::uint64_t quotient = DivideWide(dividend, y->significand, remainder);
  // The remainder lies below the divisor, so comparing it with divisor − remainder tells whether
  // it is past half the divisor. It is never exactly half: the quotient would then be an odd
  // number of 65 bits over a power of two, and that odd number would divide the dividend's
  // significand, which has 64.
  const Discarded discarded =
      remainder < y->significand - remainder ? Discarded::kBelowHalf : Discarded::kAboveHalf;
  return RoundNormal(x->negative != y->negative, x->exponent - y->exponent - (scaleBy64 ? 1 : 0),
                     quotient, discarded);
}

// The smaller operand's significand placed `distance` bits below the top of a 128-bit window,
// and whether any of its bits fell out below. They do only past a distance of 64.
Wide AlignBelow(std::uint64_t significand, int distance, bool& bitsLost) {
  bitsLost = distance > 64 && (distance >= 128 || (significand << (128 - distance)) != 0);
  if (distance == 0) {
    return Wide{significand, 0};
  }
  if (distance < 64) {
    return Wide{significand >> distance, significand << (64 - distance)};
  }
  return Wide{0, distance < 128 ? significand >> (distance - 64) : 0};
}

Wide ShiftLeft(Wide value, int shift) {
  if (shift == 0) {
    return value;
  }
  if (shift < 64) {
    return Wide{(value.high << shift) | (value.low >> (64 - shift)), value.low << shift};
  }
  return Wide{value.low << (shift - 64), 0};
}

Discarded FromWindowBelow(std::uint64_t low, bool bitsLost) {
  return bitsLost && low == x87::kIntegerBit ? Discarded::kAboveHalf : FromBitsBelow(low);
}

// The larger magnitude's significand tops a 128-bit window and the smaller one is aligned below
// it. Up to a distance of 64 the window holds the exact sum or difference. Further apart, the
// lost bits of the smaller operand count as sticky: for a sum they only ever add less than a unit
// of the window's last bit, and for a difference the window is lowered by one unit so that the
// lost rest lies strictly above it. Either way the result keeps its top bit within one place of
// the window's, so the lost bits stay far below the rounding position and only decide between
// exactly half and above it. A difference of equal magnitudes is +0, as rounding to nearest gives.
std::optional<SoftExtended> AddNormal(SoftExtended a, SoftExtended b) {
  std::optional<NormalValue> x = AsNormal(a.Bits());
  std::optional<NormalValue> y = AsNormal(b.Bits());
  if (!x || !y) {
    return std::nullopt;
  }
  if (std::pair(x->exponent, x->significand) < std::pair(y->exponent, y->significand)) {
    std::swap(x, y);
  }
  bool bitsLost = false;
  const Wide smaller = AlignBelow(y->significand, x->exponent - y->exponent, bitsLost);
  int exponent = x->exponent;
  Wide result{};
  if (x->negative == y->negative) {
    result = Wide{x->significand + smaller.high, smaller.low};
    // A carry needs a distance below 64, which leaves the window's last bit clear and no bit
    // lost, so shifting it out loses nothing.
    if (result.high < x->significand) {
      result = Wide{(result.high >> 1) | x87::kIntegerBit, (result.low >> 1) | (result.high << 63)};
      ++exponent;
    }
  } else {
    const std::uint64_t low = 0 - smaller.low - (bitsLost ? 1 : 0);
    const std::uint64_t borrow = smaller.low != 0 || bitsLost ? 1 : 0;
    result = Wide{x->significand - smaller.high - borrow, low};
    if (result.high == 0 && result.low == 0) {
      return SoftExtended();
    }
    const int shift =
        result.high != 0 ? std::countl_zero(result.high) : 64 + std::countl_zero(result.low);
    result = ShiftLeft(result, shift);
    exponent -= shift;
  }
  return RoundNormal(x->negative, exponent, result.high, FromWindowBelow(result.low, bitsLost));
}

// A normal value from 2^63 on is an integer already; below 1 it rounds to 0 or 1, 1/2 itself to
// the even 0. In between, the bits below the binary point decide like any discarded part.
std::optional<SoftExtended> RoundNormalToInteger(SoftExtended value) {
  const std::optional<NormalValue> x = AsNormal(value.Bits());
  if (!x) {
    return std::nullopt;
  }
  if (x->exponent >= 63) {
    return value;
  }
  if (x->exponent < 0) {
    const bool toOne = x->exponent == -1 && x->significand != x87::kIntegerBit;
    const SoftExtended magnitude = toOne ? SoftExtended(1) : SoftExtended();
    return x->negative ? -magnitude : magnitude;
  }
  const std::uint64_t integer = x->significand >> (63 - x->exponent);
  const bool up = RoundsUp(integer, FromBitsBelow(x->significand << (x->exponent + 1)));
  // The integer part is at least 1 and, rounded up, at most 2^63: no zero to sign, no overflow.
  const SoftExtended magnitude(integer + (up ? 1 : 0));
  return x->negative ? -magnitude : magnitude;
}

// A normal value whose double is normal keeps the top 53 of its 64 significand bits, rounded by
// the other 11; the double's range makes the result normal from 2^-1022 on, and a rounding that
// overflows past 2^1024 is left to MPFR.
std::optional<double> RoundNormalToDouble(SoftExtended value) {
  constexpr int kDoubleBias = 1023;
  const std::optional<NormalValue> x = AsNormal(value.Bits());
  if (!x || x->exponent < 1 - kDoubleBias) {
    return std::nullopt;
  }
  std::uint64_t kept = x->significand >> 11;
  int exponent = x->exponent;
  if (RoundsUp(kept, FromBitsBelow(x->significand << 53)) && ++kept == std::uint64_t{1} << 53) {
    kept >>= 1;
    ++exponent;
  }
  if (exponent > kDoubleBias) {
    return std::nullopt;
  }
  const std::uint64_t sign = x->negative ? std::uint64_t{1} << 63 : 0;
  const std::uint64_t fraction = kept & ((std::uint64_t{1} << 52) - 1);
  return std::bit_cast<double>(sign | (static_cast<std::uint64_t>(exponent + kDoubleBias) << 52) |
                               fraction);
}

// Decodes an IEEE double into the significand-and-exponent form that x87::Encode takes.
X87Bits WidenDouble(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const auto biased = static_cast<int>((bits >> 52) & 0x7FFU);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint16_t sign = negative ? 0x8000U : 0U;
  if (biased == 0x7FF) {
    const std::uint64_t payload = fraction == 0 ? 0 : x87::kQuietBit | (fraction << 11);
    return X87Bits{static_cast<std::uint16_t>(sign | x87::kMaxBiasedExponent),
                   x87::kIntegerBit | payload};
  }
  if (biased == 0) {
    if (fraction == 0) {
      return X87Bits{sign, 0};
    }
    const int exponent = static_cast<int>(std::bit_width(fraction)) - 1 - 1074;
    return x87::Encode(negative, exponent, fraction << std::countl_zero(fraction));
  }
  return x87::Encode(negative, biased - 1023, x87::kIntegerBit | (fraction << 11));
}

}  // namespace

// A scope costs two thread-local accesses; MPFR's flags gather across it, which nothing here
// reads, and the process's own come back at its end.
X87RangeScope::X87RangeScope() : outermost_(!tRange.scopeOpen) {
  tRange.scopeOpen = true;
}

X87RangeScope::~X87RangeScope() {
  if (outermost_) {
    if (tRange.narrowed) {
      RestoreRange(tRange.saved);
    }
    tRange = ThreadRange{};
  }
}

X87Bits SoftExtended::FromInteger(bool negative, std::uint64_t magnitude) {
  if (magnitude == 0) {
    return X87Bits{};
  }
  const int exponent = 63 - std::countl_zero(magnitude);
  return x87::Encode(negative, exponent, magnitude << (63 - exponent));
}

SoftExtended::SoftExtended(double value) : bits_(WidenDouble(value)) {}

SoftExtended operator+(SoftExtended a, SoftExtended b) {
  const std::optional<SoftExtended> sum = AddNormal(a, b);
  return sum ? *sum : Apply(mpfr_add, a, b);
}
SoftExtended operator-(SoftExtended a, SoftExtended b) {
  const std::optional<SoftExtended> difference = AddNormal(a, -b);
  return difference ? *difference : Apply(mpfr_sub, a, b);
}
SoftExtended operator*(SoftExtended a, SoftExtended b) {
  const std::optional<SoftExtended> product = MultiplyNormal(a, b);
  return product ? *product : Apply(mpfr_mul, a, b);
}
SoftExtended operator/(SoftExtended a, SoftExtended b) {
  const std::optional<SoftExtended> quotient = DivideNormal(a, b);
  return quotient ? *quotient : Apply(mpfr_div, a, b);
}

bool operator==(SoftExtended a, SoftExtended b) {
  if (IsNaN(a) || IsNaN(b)) {
    return false;
  }
  return a.Bits() == b.Bits() || (x87::IsZero(a.Bits()) && x87::IsZero(b.Bits()));
}

// Canonical patterns of one sign order like their (exponent, significand) pairs.
std::partial_ordering operator<=>(SoftExtended a, SoftExtended b) {
  if (IsNaN(a) || IsNaN(b)) {
    return std::partial_ordering::unordered;
  }
  const auto negative = [](X87Bits bits) { return x87::SignBit(bits) && !x87::IsZero(bits); };
  const X87Bits x = a.Bits();
  const X87Bits y = b.Bits();
  if (negative(x) != negative(y)) {
    return negative(x) ? std::partial_ordering::less : std::partial_ordering::greater;
  }
  const auto magnitude = [](X87Bits bits) {
    return std::pair(x87::BiasedExponent(bits), bits.significand);
  };
  const std::partial_ordering order = magnitude(x) <=> magnitude(y);
  return negative(x) ? 0 <=> order : order;
}

SoftExtended RoundToInteger(SoftExtended x) {
  if (const std::optional<SoftExtended> rounded = RoundNormalToInteger(x)) {
    return *rounded;
  }
  const X87ExponentRange range;
  StackMpfr value(x.Bits());
  StackMpfr result;
  const int ternary = mpfr_roundeven(result.get(), value.get());
  return SoftExtended::FromCanonicalBits(RoundToX87(result, ternary));
}

int BinaryExponent(SoftExtended x) {
  return x87::BinaryExponent(x.Bits());
}
bool IsNaN(SoftExtended x) {
  return x87::IsNaN(x.Bits());
}
bool IsInf(SoftExtended x) {
  return x87::IsInf(x.Bits());
}
bool SignBit(SoftExtended x) {
  return x87::SignBit(x.Bits());
}

// A NaN keeps its sign and the top of its payload, quieted, as the x87 stores one to a double.
double RoundToDouble(SoftExtended x) {
  const X87Bits bits = x.Bits();
  if (x87::IsNaN(bits)) {
    constexpr std::uint64_t kDoubleExponent = std::uint64_t{0x7FF} << 52;
    constexpr std::uint64_t kDoubleQuietBit = std::uint64_t{1} << 51;
    const std::uint64_t payload = (bits.significand >> 11) & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t sign = x87::SignBit(bits) ? std::uint64_t{1} << 63 : 0;
    return std::bit_cast<double>(sign | kDoubleExponent | kDoubleQuietBit | payload);
  }
  if (const std::optional<double> rounded = RoundNormalToDouble(x)) {
    return *rounded;
  }
  const X87ExponentRange range;
  StackMpfr value(bits);
  return mpfr_get_d(value.get(), MPFR_RNDN);
}

std::uint64_t ToUint64(SoftExtended x) {
  return x87::TruncatedMagnitude(x.Bits());
}
X87Bits ToX87Bits(SoftExtended x) {
  return x.Bits();
}

template <>
SoftExtended FromX87BitsAs<SoftExtended>(X87Bits bits) {
  return SoftExtended::FromCanonicalBits(x87::Canonical(bits));
}

}  // namespace calc
