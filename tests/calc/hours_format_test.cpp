#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "calc/number_text.h"
#include "detail/digit_image.h"
#include "number_test_support.h"

namespace calc {
namespace {

using calc::testing::ArithmeticTypeNames;
using calc::testing::ArithmeticTypes;
using calc::testing::WithSeparators;

constexpr std::uint64_t kTop = std::uint64_t{1} << 63;

template <class Real>
class FormatHoursTest : public ::testing::Test {
 protected:
  static std::string Format(double value, const RegionalSettings& settings = {}) {
    return FormatHoursAs(Real(value), settings);
  }
};
TYPED_TEST_SUITE(FormatHoursTest, ArithmeticTypes, ArithmeticTypeNames);

struct HoursCase {
  double value;
  std::string text;
};

TYPED_TEST(FormatHoursTest, RendersThePatternWithTwoDecimalsHalfUpOnTheImage) {
  const std::vector<HoursCase> cases = {
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {12.5, "12.5"},
      {40.125, "40.13"},
      {1000.0, "1,000"},
      {1234.5, "1,234.5"},
      {1234567.891, "1,234,567.89"},
      {999.999, "1,000"},
      {0.5, "0.5"},
      {0.05, "0.05"},
      {0.005, "0.01"},
      {0.004, "0"},
      {0.001, "0"},
      {0.0004, "0"},
      {2.005, "2"},
      {99.995, "100"},
      {2.675, "2.67"},
      {1.125, "1.13"},
      {-3.456, "-3.46"},
      {-0.004, "0"},
      {-0.005, "-0.01"},
      {-1234.5, "-1,234.5"},
      {1000000000000000.125, "1,000,000,000,000,000.12"},
      {1000000000000000.375, "1,000,000,000,000,000.38"},
      {123456789012345678.0, "123,456,789,012,345,680"},
      {100.0, "100"},
      {0.995, "0.99"},
      {0.125, "0.13"},
      {9.995, "9.99"},
      {37.5, "37.5"},
      {112.5, "112.5"},
      {999999.995, "999,999.99"},
      {999999.996, "1,000,000"},
      {std::numeric_limits<double>::denorm_min(), "0"},
      {-std::numeric_limits<double>::denorm_min(), "0"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(this->Format(value), text) << value;
  }
}

TYPED_TEST(FormatHoursTest, SwitchesToScientificFormFromTenTo18) {
  const std::vector<HoursCase> cases = {
      {1e18, "1E18"},
      {1.5e18, "1.5E18"},
      {-1.5e18, "-1.5E18"},
      {123456789012345678901.0, "1.23456789012346E20"},
      {999999999999999999999.0, "1E21"},
      {std::numeric_limits<double>::max(), "1.79769313486232E308"},
      {1e300, "1E300"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {-std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(this->Format(value), text) << value;
  }
}

TYPED_TEST(FormatHoursTest, HandlesTheEighteenDigitBoundaryOfTheExtendedType) {
  const TypeParam largestWhole(std::uint64_t{999999999999999999});
  EXPECT_EQ(FormatHoursAs(largestWhole), "999,999,999,999,999,999");
  // Halfway to 10^18 the tie-to-even of the scaled value carries into the scientific form.
  EXPECT_EQ(FormatHoursAs(largestWhole + TypeParam(0.5)), "1E18");
  EXPECT_EQ(FormatHoursAs(largestWhole + TypeParam(0.25)), "999,999,999,999,999,999");
  EXPECT_EQ(FormatHoursAs(TypeParam(std::uint64_t{999999999999999998}) + TypeParam(0.5)),
            "999,999,999,999,999,998");
  EXPECT_EQ(FormatHoursAs(TypeParam(std::uint64_t{99999999999999999}) + TypeParam(0.995)),
            "100,000,000,000,000,000");
  EXPECT_EQ(FormatHoursAs(TypeParam(std::uint64_t{9999999999999999}) + TypeParam(0.995)),
            "10,000,000,000,000,000");
}

TYPED_TEST(FormatHoursTest, RendersEveryPowerOfTenOfTheExtendedRange) {
  for (int k = 18; k <= 4932; ++k) {
    const std::string exponent = std::to_string(k);
    ASSERT_EQ(FormatHoursAs(ParseRealAs<TypeParam>("1e" + exponent)), "1E" + exponent);
    ASSERT_EQ(FormatHoursAs(ParseRealAs<TypeParam>("-1.0625e" + exponent)), "-1.0625E" + exponent);
  }
  const std::vector<std::pair<std::string, std::string>> belowTenTo18 = {
      {"1e3", "1,000"},
      {"1e4", "10,000"},
      {"1e5", "100,000"},
      {"1e6", "1,000,000"},
      {"1e17", "100,000,000,000,000,000"},
      {"1e-1", "0.1"},
      {"1e-2", "0.01"},
      {"1e-3", "0"},
  };
  for (const auto& [text, shown] : belowTenTo18) {
    EXPECT_EQ(FormatHoursAs(ParseRealAs<TypeParam>(text)), shown) << text;
  }
}

TYPED_TEST(FormatHoursTest, RendersTheExtremesOfTheExtendedType) {
  const TypeParam largest = FromX87BitsAs<TypeParam>(X87Bits{0x7FFE, ~std::uint64_t{0}});
  EXPECT_EQ(FormatHoursAs(largest), "1.18973149535723E4932");
  EXPECT_EQ(FormatHoursAs(-largest), "-1.18973149535723E4932");
  EXPECT_EQ(FormatHoursAs(ParseRealAs<TypeParam>("1e4932")), "1E4932");
  EXPECT_EQ(FormatHoursAs(ParseRealAs<TypeParam>("9.99999999999999e4931")),
            "9.99999999999999E4931");
  EXPECT_EQ(FormatHoursAs(FromX87BitsAs<TypeParam>(X87Bits{0x0000, 1})), "0");
  EXPECT_EQ(FormatHoursAs(FromX87BitsAs<TypeParam>(X87Bits{0x8000, 1})), "0");
  EXPECT_EQ(FormatHoursAs(FromX87BitsAs<TypeParam>(X87Bits{0x8001, kTop})), "0");
}

struct SeparatorCase {
  std::string decimal;
  std::string thousands;
  double value;
  std::string text;
};

TYPED_TEST(FormatHoursTest, WritesTheRegionalSeparators) {
  const std::string nbsp = "\xC2\xA0";
  const std::string narrowNbsp = "\xE2\x80\xAF";
  const std::vector<SeparatorCase> cases = {
      {".", "", 1234567.5, "1234567.5"},
      {",", ".", 1234.5, "1.234,5"},
      {",", ".", 0.5, "0,5"},
      {",", nbsp, 1234567.25, "1" + nbsp + "234" + nbsp + "567,25"},
      {",", narrowNbsp, -9876543.5, "-9" + narrowNbsp + "876" + narrowNbsp + "543,5"},
      {"\xD9\xAB", "\xD9\xAC", 1234.5,
       "1\xD9\xAC"
       "234\xD9\xAB"
       "5"},
      {",", ".", 1.5e18, "1,5E18"},
      {"'", "'", 1234.5, "1'234'5"},
      {".", ",", 123.0, "123"},
      {".", ",", 123456.0, "123,456"},
      // No decimal separator would glue digits together; "." stands in. A NUL is never written.
      {"", ",", 1234.5, "1,234.5"},
      {std::string(1, '\0'), std::string(1, '\0'), 1234.5, "1234.5"},
  };
  for (const auto& [decimal, thousands, value, text] : cases) {
    EXPECT_EQ(this->Format(value, WithSeparators(decimal, thousands)), text) << value;
  }
}

TYPED_TEST(FormatHoursTest, UngroupedRenderingReadsBack) {
  const std::vector<HoursCase> cases = {
      {1000.0, "1000"},   {1234567.891, "1234567.89"}, {-1234.5, "-1234.5"},
      {1.5e18, "1.5E18"}, {999.999, "1000"},           {0.05, "0.05"},
  };
  for (const std::string decimal : {".", ",", "\xD9\xAB", ""}) {
    const RegionalSettings settings = WithSeparators(decimal, decimal == "," ? "." : ",");
    for (const auto& [value, text] : cases) {
      const std::string shown = FormatHoursUngroupedAs(TypeParam(value), settings);
      std::string expected = text;
      if (const std::size_t point = expected.find('.'); point != std::string::npos) {
        expected.replace(point, 1, decimal.empty() ? "." : decimal);
      }
      EXPECT_EQ(shown, expected);
      EXPECT_NO_THROW(ParseRealAs<TypeParam>(shown, settings)) << shown;
    }
  }
}

TEST(DigitImage, MayStartWithAZeroWhenTheEstimateIsOneTooHigh) {
  // 2^-681 = 0.0996719495109756753… × 10^-204, and the estimate gives -204.
  const DigitImage image = MakeDigitImage(FromX87BitsAs<SoftExtended>(X87Bits{0x3FFF - 681, kTop}));
  EXPECT_EQ(image.exponent, -204);
  ASSERT_EQ(image.count, DigitImage::kMaxDigits);
  EXPECT_EQ(std::string(image.digits.data(), 16), "0996719495109756");
}

TEST(DigitImage, CutsHalfUpAndCarriesOutOfTheFirstDigit) {
  DigitImage image;
  const std::string nines = "999999999999999999";
  std::copy(nines.begin(), nines.end(), image.digits.begin());
  image.count = DigitImage::kMaxDigits;
  image.exponent = 3;
  const DigitImage carried = CutDigitImage(image, 5);
  EXPECT_EQ(carried.count, 1);
  EXPECT_EQ(carried.digits[0], '1');
  EXPECT_EQ(carried.exponent, 4);
  EXPECT_TRUE(CutDigitImage(image, -1).IsZero());
  const DigitImage fromNothing = CutDigitImage(image, 0);
  EXPECT_EQ(fromNothing.count, 1);
  EXPECT_EQ(fromNothing.exponent, 4);
  image.digits[0] = '4';
  EXPECT_TRUE(CutDigitImage(image, 0).IsZero());
  EXPECT_EQ(CutDigitImage(image, 0).exponent, 0);
}

TEST(DecimalImage, CutsToHundredthsAtEachReachOfTheSecondDecimal) {
  constexpr std::uint64_t kNines = 999'999'999'999'999'999;
  constexpr std::uint64_t kHalf = 500'000'000'000'000'000;
  const struct {
    int exponent;
    std::uint64_t significand;
    std::uint64_t whole;
    unsigned hundredths;
  } cases[] = {
      {18, kNines, kNines, 0},                                    // no decimals at all
      {17, 123'456'789'012'345'678, 12'345'678'901'234'567, 80},  // one decimal, no cut
      {16, 123'456'789'012'345'678, 1'234'567'890'123'456, 78},   // two decimals, no cut
      {15, 123'456'789'012'345'678, 123'456'789'012'345, 68},     // a cut 8 rounds up
      {15, 123'456'789'012'345'674, 123'456'789'012'345, 67},     // a cut 4 does not
      {3, kNines, 1000, 0},                                       // the carry runs out
      {-2, kHalf, 0, 1},                                          // nothing kept, rounds up
      {-2, kHalf - 1, 0, 0},                                      // nothing kept, rounds down
      {-3, kNines, 0, 0},                                         // past the third decimal
      {0, 0, 0, 0},                                               // the zero image
  };
  for (const auto& c : cases) {
    const Hundredths cut =
        CutToHundredths(DecimalImage{.exponent = c.exponent, .significand = c.significand});
    EXPECT_EQ(cut.whole, c.whole) << c.exponent << " " << c.significand;
    EXPECT_EQ(cut.hundredths, c.hundredths) << c.exponent << " " << c.significand;
  }
}

TEST(FormatHoursOverloadTest, AcceptsDoublesAndTheBuildsExtendedType) {
  EXPECT_EQ(FormatHours(2.5), "2.5");
  EXPECT_EQ(FormatHours(1000.0), "1,000");
  EXPECT_EQ(FormatHours(Extended(1000)), "1,000");
  EXPECT_EQ(FormatHours(ParseReal("37.5")), "37.5");
  EXPECT_EQ(FormatHoursUngrouped(1000.0), "1000");
  EXPECT_EQ(FormatHoursUngrouped(ParseReal("1e3")), "1000");
  EXPECT_EQ(NarrowToDouble(ParseReal("37.5")), 37.5);
  EXPECT_EQ(FormatHours(1000.5, WithSeparators(",", ".")), "1.000,5");
}

}  // namespace
}  // namespace calc
