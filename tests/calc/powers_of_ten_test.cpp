#include "detail/powers_of_ten.h"

#include <gmp.h>
#include <gtest/gtest.h>
#include <mpfr.h>

#include <set>

#include "detail/arithmetic.h"
#include "number_test_support.h"

namespace calc {
namespace {

using calc::testing::ArithmeticTypeNames;
using calc::testing::ArithmeticTypes;

// 10^n computed exactly as an integer and rounded once to a 64-bit significand.
X87Bits NearestToPowerOfTen(int n) {
  mpz_t exact;
  mpz_init(exact);
  mpz_ui_pow_ui(exact, 10, static_cast<unsigned long>(n));
  mpfr_t rounded;
  mpfr_init2(rounded, 64);
  mpfr_set_z(rounded, exact, MPFR_RNDN);
  mpz_t significand;
  mpz_init(significand);
  const mpfr_exp_t exponent = mpfr_get_z_2exp(significand, rounded);
  // mpz_get_ui gives only 32 bits where long has 32 (Windows); export the limbs instead.
  std::uint64_t low64 = 0;
  mpz_export(&low64, nullptr, -1, sizeof low64, 0, 0, significand);
  const X87Bits bits{static_cast<std::uint16_t>(exponent + 63 + 16383), low64};
  mpz_clear(significand);
  mpfr_clear(rounded);
  mpz_clear(exact);
  return bits;
}

TEST(PowerOfTenTable, HoldsEveryPowerTheScalingUses) {
  std::set<int> expected;
  for (int i = 0; i < 32; ++i) {
    expected.insert(i);
  }
  for (int j = 1; j < 16; ++j) {
    expected.insert(32 * j);
  }
  for (int j = 1; j < 10; ++j) {
    expected.insert(512 * j);
  }
  std::set<int> present;
  for (const PowerOfTenEntry& entry : PowerOfTenTable()) {
    present.insert(entry.exponent);
  }
  EXPECT_EQ(present, expected);
  EXPECT_EQ(PowerOfTenTable().size(), expected.size());
}

TEST(PowerOfTenTable, EveryEntryIsTheCorrectlyRoundedPower) {
  for (const PowerOfTenEntry& entry : PowerOfTenTable()) {
    const X87Bits nearest = NearestToPowerOfTen(entry.exponent);
    EXPECT_EQ(entry.bits, nearest) << "10^" << entry.exponent << " table " << std::hex
                                   << entry.bits.significand << " exact " << nearest.significand;
  }
}

template <class Real>
class ScaleByPowerOfTenTest : public ::testing::Test {
 protected:
  static Real Power(int exponent) { return calc::testing::TablePower<Real>(exponent); }
};
TYPED_TEST_SUITE(ScaleByPowerOfTenTest, ArithmeticTypes, ArithmeticTypeNames);

TYPED_TEST(ScaleByPowerOfTenTest, AppliesTheSmallThenMediumThenLargeStep) {
  const TypeParam three(3);
  const auto bits = [](TypeParam x) { return ToX87Bits(x); };
  EXPECT_EQ(bits(ScaleByPowerOfTen(three, 0)), bits(three));
  EXPECT_EQ(bits(ScaleByPowerOfTen(three, 27)), bits(three * this->Power(27)));
  EXPECT_EQ(bits(ScaleByPowerOfTen(three, 64)), bits(three * this->Power(64)));
  EXPECT_EQ(bits(ScaleByPowerOfTen(three, 600)),
            bits(three * this->Power(24) * this->Power(64) * this->Power(512)));
  EXPECT_EQ(bits(ScaleByPowerOfTen(three, 4932)),
            bits(three * this->Power(4) * this->Power(320) * this->Power(4608)));
  EXPECT_EQ(bits(ScaleByPowerOfTen(three, -5119)),
            bits(three / this->Power(31) / this->Power(480) / this->Power(4608)));
  EXPECT_EQ(bits(ScaleByPowerOfTen(three, -1024)), bits(three / this->Power(1024)));
}

}  // namespace
}  // namespace calc
