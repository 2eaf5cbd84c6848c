// FormatHours and the arithmetic under it, fed raw 80-bit patterns: the bytes are mapped onto a
// valid encoding of a chosen class (zeros, subnormals, the smallest and largest normals, other
// normals, infinities, quiet and signalling NaNs), or taken as they are, invalid encodings
// included, which both backends must read alike.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "fuzz_support.h"
#include "hours_checks.h"

namespace {

using calc::X87Bits;
using fuzz::Attempt;
using fuzz::Native;
using fuzz::Require;
using fuzz::Soft;

namespace x87 = calc::x87;

enum class PatternClass {
  kZero,
  kSubnormal,
  kSmallestNormals,
  kLargestNormals,
  kAnyNormal,
  kHoursRange,
  kInfinity,
  kQuietNaN,
  kSignallingNaN,
  kRaw,
  kCount
};

constexpr std::size_t kPatternBytes = 11;  // the class, then the ten bytes of the pattern
constexpr std::uint64_t kFraction = ~x87::kIntegerBit;
constexpr std::uint16_t kSign = 0x8000;

struct Pattern {
  X87Bits bits;
  bool raw;
};

std::uint16_t SignExponent(bool negative, int biasedExponent) {
  return static_cast<std::uint16_t>((negative ? kSign : 0) | biasedExponent);
}

// Exponents from 2^-16 to 2^66 cover every way the pattern of two decimals can come out, up
// to the scientific form from 10^18 on.
int HoursRangeExponent(std::uint16_t material) {
  return x87::kExponentBias - 16 + material % 83;
}

// The low bit of the significand's material picks the exact extreme of a class; otherwise the
// material fills the significand.
Pattern MapPattern(const std::uint8_t* bytes) {
  X87Bits raw;
  std::memcpy(&raw.signExponent, bytes + 1, sizeof raw.signExponent);
  std::memcpy(&raw.significand, bytes + 3, sizeof raw.significand);
  const bool negative = (raw.signExponent & kSign) != 0;
  const std::uint64_t material = raw.significand;
  const bool extreme = (material & 1) != 0;
  switch (static_cast<PatternClass>(bytes[0] % static_cast<int>(PatternClass::kCount))) {
    case PatternClass::kZero:
      return {{SignExponent(negative, 0), 0}, false};
    case PatternClass::kSubnormal:
      return {{SignExponent(negative, 0), extreme ? 1 : (material & kFraction) | 1}, false};
    case PatternClass::kSmallestNormals:
      return {{SignExponent(negative, 1), x87::kIntegerBit | (extreme ? 0 : material)}, false};
    case PatternClass::kLargestNormals:
      return {{SignExponent(negative, x87::kMaxBiasedExponent - 1),
               extreme ? ~std::uint64_t{0} : x87::kIntegerBit | material},
              false};
    case PatternClass::kAnyNormal:
      return {{SignExponent(negative, 1 + raw.signExponent % (x87::kMaxBiasedExponent - 1)),
               x87::kIntegerBit | material},
              false};
    case PatternClass::kHoursRange:
      return {{SignExponent(negative, HoursRangeExponent(raw.signExponent)),
               x87::kIntegerBit | material},
              false};
    case PatternClass::kInfinity:
      return {{SignExponent(negative, x87::kMaxBiasedExponent), x87::kIntegerBit}, false};
    case PatternClass::kQuietNaN:
      return {{SignExponent(negative, x87::kMaxBiasedExponent),
               x87::kIntegerBit | x87::kQuietBit | material},
              false};
    case PatternClass::kSignallingNaN:
      return {{SignExponent(negative, x87::kMaxBiasedExponent),
               x87::kIntegerBit | ((material & ~x87::kQuietBit) | 1)},
              false};
    default:
      return {raw, true};
  }
}

bool SameValue(Native native, Soft soft) {
  return std::isnan(native) ? calc::IsNaN(soft) : fuzz::SameBits(native, soft);
}

// Both backends classify, round and convert the value alike.
void CheckOperations(Native native, Soft soft) {
  Require(calc::IsNaN(native) == calc::IsNaN(soft) && calc::IsInf(native) == calc::IsInf(soft) &&
              calc::SignBit(native) == calc::SignBit(soft),
          "both backends classify a pattern alike");
  Require(calc::BinaryExponent(native) == calc::BinaryExponent(soft),
          "both backends find the same binary exponent");
  Require(calc::ToUint64(native) == calc::ToUint64(soft), "both backends truncate alike");
  Require(SameValue(calc::RoundToInteger(native), calc::RoundToInteger(soft)),
          "both backends round to an integer alike");
  Require(fuzz::SameBits(calc::RoundToDouble(native), calc::RoundToDouble(soft)),
          "both backends round to a double alike");
}

void CheckValue(const Pattern& pattern) {
  const Native native = calc::FromX87BitsAs<Native>(pattern.bits);
  const Soft soft = calc::FromX87BitsAs<Soft>(pattern.bits);
  const X87Bits expected = pattern.raw ? x87::Canonical(pattern.bits) : pattern.bits;
  Require(calc::ToX87Bits(native) == expected && calc::ToX87Bits(soft) == expected,
          "both backends hold a pattern as the x87 reads it");
  CheckOperations(native, soft);
  const calc::RegionalSettings defaults;
  fuzz::CheckHoursRendering(native, false, defaults);
  const auto narrowed =
      Attempt<calc::EOverflow>([&] { return calc::NarrowToDoubleAs<Native>(native); });
  const auto narrowedSoft =
      Attempt<calc::EOverflow>([&] { return calc::NarrowToDoubleAs<Soft>(soft); });
  fuzz::RequireSameOutcome(narrowed, narrowedSoft, "both backends narrow to a double alike");
  if (!narrowed.Failed()) {
    fuzz::CheckHoursRendering(static_cast<Native>(*narrowed.value), true, defaults);
  }
}

void CheckArithmetic(const Pattern& left, const Pattern& right) {
  const Native a = calc::FromX87BitsAs<Native>(left.bits);
  const Native b = calc::FromX87BitsAs<Native>(right.bits);
  const Soft softA = calc::FromX87BitsAs<Soft>(left.bits);
  const Soft softB = calc::FromX87BitsAs<Soft>(right.bits);
  Require(SameValue(a + b, softA + softB) && SameValue(a - b, softA - softB) &&
              SameValue(a * b, softA * softB) && SameValue(a / b, softA / softB),
          "both backends compute alike");
  Require((a == b) == (softA == softB) && (a < b) == (softA < softB),
          "both backends compare alike");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput(data, size);
  std::array<std::uint8_t, 2 * kPatternBytes> bytes{};
  std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
  const Pattern first = MapPattern(bytes.data());
  CheckValue(first);
  if (size > kPatternBytes) {
    const Pattern second = MapPattern(bytes.data() + kPatternBytes);
    CheckValue(second);
    CheckArithmetic(first, second);
  }
  return 0;
}
