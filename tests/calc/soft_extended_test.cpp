#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "detail/arithmetic.h"
#include "number_test_support.h"

namespace calc {
namespace {

using calc::testing::ArithmeticTypeNames;
using calc::testing::ArithmeticTypes;

constexpr std::uint64_t kTop = std::uint64_t{1} << 63;

X87Bits Bits(std::uint16_t signExponent, std::uint64_t significand) {
  return X87Bits{signExponent, significand};
}

TEST(SoftExtended, HoldsIntegersExactly) {
  EXPECT_EQ(ToX87Bits(SoftExtended(0)), Bits(0x0000, 0));
  EXPECT_EQ(ToX87Bits(SoftExtended(1)), Bits(0x3FFF, kTop));
  EXPECT_EQ(ToX87Bits(SoftExtended(-10)), Bits(0xC002, 0xA000000000000000U));
  EXPECT_EQ(ToX87Bits(SoftExtended(std::numeric_limits<std::uint64_t>::max())),
            Bits(0x403E, 0xFFFFFFFFFFFFFFFFU));
  EXPECT_EQ(ToX87Bits(SoftExtended(std::numeric_limits<std::int64_t>::min())), Bits(0xC03E, kTop));
  EXPECT_EQ(ToX87Bits(SoftExtended(std::int8_t{-128})), Bits(0xC006, kTop));
  EXPECT_EQ(ToX87Bits(SoftExtended(std::uint16_t{65535})), Bits(0x400E, 0xFFFF000000000000U));
}

TEST(SoftExtended, WidensDoublesExactly) {
  const double subnormal = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(ToX87Bits(SoftExtended(subnormal)), Bits(0x3FFF - 1074, kTop));
  EXPECT_EQ(ToX87Bits(SoftExtended(3 * subnormal)), Bits(0x3FFF - 1073, 0xC000000000000000U));
  EXPECT_EQ(ToX87Bits(SoftExtended(std::numeric_limits<double>::max())),
            Bits(0x43FE, 0xFFFFFFFFFFFFF800U));
  EXPECT_EQ(ToX87Bits(SoftExtended(-0.0)), Bits(0x8000, 0));
  EXPECT_EQ(ToX87Bits(SoftExtended(0.1)), Bits(0x3FFB, 0xCCCCCCCCCCCCD000U));
  EXPECT_EQ(ToX87Bits(SoftExtended(-std::numeric_limits<double>::infinity())), Bits(0xFFFF, kTop));
  EXPECT_TRUE(IsNaN(SoftExtended(std::numeric_limits<double>::signaling_NaN())));
  EXPECT_EQ(ToX87Bits(SoftExtended(std::numeric_limits<double>::signaling_NaN())).significand &
                x87::kQuietBit,
            x87::kQuietBit);
}

TEST(SoftExtended, RoundsToNearestEvenAtSixtyFourBits) {
  const SoftExtended third = SoftExtended(1) / SoftExtended(3);
  EXPECT_EQ(ToX87Bits(third), Bits(0x3FFD, 0xAAAAAAAAAAAAAAABU));
  // Above 2^64 the spacing is 2: 2^64 + 1 and 2^64 + 3 are ties, decided for the even neighbour.
  const SoftExtended twoTo64 = SoftExtended(std::uint64_t{1} << 63) * SoftExtended(2);
  EXPECT_EQ(ToX87Bits(twoTo64 + SoftExtended(1)), ToX87Bits(twoTo64));
  EXPECT_EQ(ToX87Bits(twoTo64 + SoftExtended(3)), Bits(0x403F, kTop | 2));
}

TEST(SoftExtended, UnderflowsGraduallyAndOverflowsToInfinity) {
  const SoftExtended tiny = FromX87BitsAs<SoftExtended>(Bits(0x0000, 1));
  const SoftExtended largest = FromX87BitsAs<SoftExtended>(Bits(0x7FFE, ~std::uint64_t{0}));
  EXPECT_EQ(ToX87Bits(tiny * SoftExtended(3) / SoftExtended(2)), Bits(0x0000, 2));
  EXPECT_EQ(ToX87Bits(tiny / SoftExtended(2)), Bits(0x0000, 0));
  EXPECT_EQ(ToX87Bits(-tiny / SoftExtended(2)), Bits(0x8000, 0));
  EXPECT_EQ(ToX87Bits(tiny * SoftExtended(3) / SoftExtended(4)), Bits(0x0000, 1));
  const SoftExtended smallestNormal = FromX87BitsAs<SoftExtended>(Bits(0x0001, kTop));
  EXPECT_EQ(ToX87Bits(smallestNormal / SoftExtended(2)), Bits(0x0000, kTop >> 1));
  EXPECT_TRUE(IsInf(largest + largest));
  EXPECT_TRUE(IsInf(-largest * SoftExtended(2)));
  EXPECT_TRUE(SignBit(-largest * SoftExtended(2)));
  EXPECT_EQ(ToX87Bits(largest + SoftExtended(1)), ToX87Bits(largest));
}

TEST(SoftExtended, InvalidOperationsGiveTheDefaultNaN) {
  const SoftExtended zero;
  const SoftExtended infinity(std::numeric_limits<double>::infinity());
  EXPECT_EQ(ToX87Bits(zero / zero), x87::kDefaultNaN);
  EXPECT_EQ(ToX87Bits(infinity - infinity), x87::kDefaultNaN);
  EXPECT_EQ(ToX87Bits(zero * infinity), x87::kDefaultNaN);
  EXPECT_TRUE(IsInf(SoftExtended(1) / zero));
  EXPECT_TRUE(SignBit(SoftExtended(-1) / zero));
}

TEST(SoftExtended, ComparesLikeIeee) {
  const SoftExtended nan(std::numeric_limits<double>::quiet_NaN());
  const SoftExtended tiny = FromX87BitsAs<SoftExtended>(Bits(0x0000, 1));
  const SoftExtended one(1);
  EXPECT_FALSE(nan == nan);
  EXPECT_TRUE(nan != nan);
  EXPECT_FALSE(nan < one || nan > one || nan <= one || nan >= one);
  EXPECT_TRUE(SoftExtended(0.0) == SoftExtended(-0.0));
  EXPECT_FALSE(SoftExtended(-0.0) < SoftExtended(0.0));
  const std::vector<SoftExtended> ascending = {
      SoftExtended(-std::numeric_limits<double>::infinity()),
      SoftExtended(-1e300),
      SoftExtended(-2),
      -tiny,
      SoftExtended(0),
      tiny,
      tiny * SoftExtended(2),
      FromX87BitsAs<SoftExtended>(Bits(0x0001, kTop)),
      one,
      one + FromX87BitsAs<SoftExtended>(Bits(0x3FFF - 63, kTop)),
      SoftExtended(std::numeric_limits<double>::infinity()),
  };
  for (std::size_t i = 0; i + 1 < ascending.size(); ++i) {
    EXPECT_LT(ascending[i], ascending[i + 1]) << i;
    EXPECT_GT(ascending[i + 1], ascending[i]) << i;
    EXPECT_NE(ascending[i], ascending[i + 1]) << i;
  }
}

TEST(SoftExtended, LeavesTheProcessWideMpfrStateAlone) {
  const mpfr_exp_t emin = mpfr_get_emin();
  const mpfr_exp_t emax = mpfr_get_emax();
  mpfr_set_emin(-100);
  mpfr_set_emax(100);
  mpfr_clear_flags();
  const SoftExtended huge = FromX87BitsAs<SoftExtended>(Bits(0x7FFE, kTop));
  const SoftExtended product = huge * huge;
  const double narrowed = RoundToDouble(SoftExtended(1) / SoftExtended(3));
  EXPECT_EQ(mpfr_get_emin(), -100);
  EXPECT_EQ(mpfr_get_emax(), 100);
  EXPECT_EQ(mpfr_flags_save(), 0U);
  mpfr_set_emin(emin);
  mpfr_set_emax(emax);
  EXPECT_TRUE(IsInf(product));
  EXPECT_EQ(narrowed, 1.0 / 3.0);
}

// Both arithmetic types read every pattern alike; an invalid encoding reads as the x87 reads it.
template <class Real>
class FromX87BitsTest : public ::testing::Test {};
TYPED_TEST_SUITE(FromX87BitsTest, ArithmeticTypes, ArithmeticTypeNames);

TYPED_TEST(FromX87BitsTest, ReadsInvalidEncodingsAsTheX87Does) {
  struct Case {
    X87Bits given;
    X87Bits read;
  };
  const std::vector<Case> cases = {
      {Bits(0x3FFF, kTop), Bits(0x3FFF, kTop)},
      {Bits(0x0000, 5), Bits(0x0000, 5)},
      {Bits(0x7FFF, kTop | 1), Bits(0x7FFF, kTop | 1)},
      {Bits(0xFFFF, kTop), Bits(0xFFFF, kTop)},
      // Unnormals, pseudo-infinities and pseudo-NaNs are invalid operands.
      {Bits(0x3FFF, 0x4000000000000000U), x87::kDefaultNaN},
      {Bits(0x4005, 0), x87::kDefaultNaN},
      {Bits(0x7FFF, 0), x87::kDefaultNaN},
      {Bits(0xFFFF, 0x4000000000000001U), x87::kDefaultNaN},
      // A pseudo-denormal has the value of the same significand under exponent 1.
      {Bits(0x0000, kTop), Bits(0x0001, kTop)},
      {Bits(0x8000, 0xC000000000000001U), Bits(0x8001, 0xC000000000000001U)},
  };
  for (const auto& [given, read] : cases) {
    EXPECT_EQ(ToX87Bits(FromX87BitsAs<TypeParam>(given)), read)
        << std::hex << given.signExponent << " " << given.significand;
  }
}

#if SHIFTMETER_LONG_DOUBLE_IS_X87
long double RawLongDouble(X87Bits bits) {
  long double x = 0.0L;
  std::memcpy(&x, &bits.significand, sizeof bits.significand);
  std::memcpy(reinterpret_cast<unsigned char*>(&x) + sizeof bits.significand, &bits.signExponent,
              sizeof bits.signExponent);
  return x;
}

TEST(FromX87Bits, CanonicalReadingMatchesWhatTheHardwareComputesWith) {
  const std::vector<X87Bits> invalid = {
      Bits(0x3FFF, 0x4000000000000000U), Bits(0x4005, 0),    Bits(0x7FFF, 0),
      Bits(0xFFFF, 0x4000000000000001U), Bits(0x0000, kTop), Bits(0x8000, 0xC000000000000001U),
  };
  for (const X87Bits& bits : invalid) {
    volatile long double one = 1.0L;
    const long double computed = RawLongDouble(bits) * one;
    const long double canonical = FromX87BitsAs<long double>(bits) * one;
    EXPECT_EQ(ToX87Bits(computed), ToX87Bits(canonical))
        << std::hex << bits.signExponent << " " << bits.significand;
  }
}
#endif

template <class Real>
class ArithmeticFunctionsTest : public ::testing::Test {
 protected:
  static Real Of(double value) { return Real(value); }
  static Real Pattern(std::uint16_t signExponent, std::uint64_t significand) {
    return FromX87BitsAs<Real>(Bits(signExponent, significand));
  }
};
TYPED_TEST_SUITE(ArithmeticFunctionsTest, ArithmeticTypes, ArithmeticTypeNames);

TYPED_TEST(ArithmeticFunctionsTest, RoundToIntegerBreaksTiesToEven) {
  const std::vector<std::pair<double, double>> cases = {
      {0.5, 0.0},
      {1.5, 2.0},
      {2.5, 2.0},
      {-2.5, -2.0},
      {0.49999999999999994, 0.0},
      {-0.5, -0.0},
      {1e300, 1e300},
      {3.75, 4.0},
      {-7.25, -7.0},
      {4503599627370497.0, 4503599627370497.0},
  };
  for (const auto& [given, rounded] : cases) {
    const TypeParam result = RoundToInteger(this->Of(given));
    EXPECT_EQ(ToX87Bits(result), ToX87Bits(this->Of(rounded))) << given;
  }
  // Between 2^62 and 2^63 the 80-bit type still has halves.
  const TypeParam half = this->Pattern(0x403C, kTop | 1);  // 2^61 + 0.5
  EXPECT_EQ(ToX87Bits(RoundToInteger(half)), ToX87Bits(this->Pattern(0x403C, kTop)));
  EXPECT_TRUE(IsNaN(RoundToInteger(this->Of(std::numeric_limits<double>::quiet_NaN()))));
  EXPECT_TRUE(IsInf(RoundToInteger(this->Of(-std::numeric_limits<double>::infinity()))));
}

TYPED_TEST(ArithmeticFunctionsTest, BinaryExponentCoversSubnormalsAndExtremes) {
  EXPECT_EQ(BinaryExponent(this->Of(1.0)), 0);
  EXPECT_EQ(BinaryExponent(this->Of(0.75)), -1);
  EXPECT_EQ(BinaryExponent(this->Of(-1024.0)), 10);
  EXPECT_EQ(BinaryExponent(this->Pattern(0x0000, 1)), -16445);
  EXPECT_EQ(BinaryExponent(this->Pattern(0x0000, kTop - 1)), -16383);
  EXPECT_EQ(BinaryExponent(this->Pattern(0x0001, kTop)), -16382);
  EXPECT_EQ(BinaryExponent(this->Pattern(0x7FFE, ~std::uint64_t{0})), 16383);
}

TYPED_TEST(ArithmeticFunctionsTest, RoundToDoubleRoundsOnceToTheDoubleGrid) {
  // 1 + 2^-53 is halfway between 1 and the next double: ties to even give 1.
  EXPECT_EQ(RoundToDouble(this->Pattern(0x3FFF, kTop | (std::uint64_t{1} << 10))), 1.0);
  EXPECT_EQ(RoundToDouble(this->Pattern(0x3FFF, kTop | (std::uint64_t{3} << 10))),
            1.0 + 2 * std::numeric_limits<double>::epsilon());
  // Halfway between the largest double and 2^1024 rounds up, to infinity.
  EXPECT_EQ(RoundToDouble(this->Pattern(0x43FE, ~std::uint64_t{0} << 10)),
            std::numeric_limits<double>::infinity());
  EXPECT_EQ(RoundToDouble(this->Pattern(0x43FE, (~std::uint64_t{0} << 11) | 0x3FF)),
            std::numeric_limits<double>::max());
  // On the subnormal grid of doubles: 2^-1075 and 1.5 × 2^-1074 are ties to the even
  // neighbour, 0.75 × 2^-1074 goes up and 0.375 × 2^-1074 down.
  const double tiny = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(RoundToDouble(this->Pattern(0x3FFF - 1075, kTop)), 0.0);
  EXPECT_EQ(RoundToDouble(this->Pattern(0x3FFF - 1074, kTop | (kTop >> 1))), 2 * tiny);
  EXPECT_EQ(RoundToDouble(this->Pattern(0x3FFF - 1075, kTop | (kTop >> 1))), tiny);
  EXPECT_EQ(RoundToDouble(this->Pattern(0x3FFF - 1076, kTop | (kTop >> 1))), 0.0);
  EXPECT_EQ(RoundToDouble(this->Pattern(0x0000, 1)), 0.0);
  EXPECT_TRUE(std::signbit(RoundToDouble(this->Pattern(0x8000, 1))));
  EXPECT_TRUE(std::isnan(RoundToDouble(this->Of(std::numeric_limits<double>::quiet_NaN()))));
}

TYPED_TEST(ArithmeticFunctionsTest, ToUint64TakesTheWholePartOfMagnitudesBelowTwoTo64) {
  EXPECT_EQ(ToUint64(this->Pattern(0x403E, ~std::uint64_t{0})), ~std::uint64_t{0});
  EXPECT_EQ(ToUint64(this->Of(2.75)), 2U);
  EXPECT_EQ(ToUint64(this->Of(-3.0)), 3U);
  EXPECT_EQ(ToUint64(this->Of(0.5)), 0U);
  EXPECT_EQ(ToUint64(this->Pattern(0x403F, kTop)), 0U);
  EXPECT_EQ(ToUint64(this->Of(std::numeric_limits<double>::infinity())), 0U);
}

}  // namespace
}  // namespace calc
