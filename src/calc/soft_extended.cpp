#include "calc/soft_extended.h"

#include <mpfr.h>

#include <bit>
#include <cstddef>
#include <utility>

#include "calc/extended.h"

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
  return Apply(mpfr_add, a, b);
}
SoftExtended operator-(SoftExtended a, SoftExtended b) {
  return Apply(mpfr_sub, a, b);
}
SoftExtended operator*(SoftExtended a, SoftExtended b) {
  return Apply(mpfr_mul, a, b);
}
SoftExtended operator/(SoftExtended a, SoftExtended b) {
  return Apply(mpfr_div, a, b);
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
