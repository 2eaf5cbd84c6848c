#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "detail/powers_of_ten.h"
#include "number_test_support.h"

namespace calc {
namespace {

using calc::testing::ArithmeticTypeNames;
using calc::testing::ArithmeticTypes;
using calc::testing::WithSeparators;

template <class Real>
class ParseRealTest : public ::testing::Test {
 protected:
  static Real Parse(std::string_view text, const RegionalSettings& settings = {}) {
    return ParseRealAs<Real>(text, settings);
  }

  static void ExpectRejected(const std::string& text, const RegionalSettings& settings = {}) {
    calc::testing::ExpectNotValid([&](std::string_view t) { return Parse(t, settings); }, text,
                                  "floating point value");
  }

  // The pattern of numerator ÷ denominator rounded once, which is what a text with one
  // scaling step gives.
  static X87Bits Ratio(std::int64_t numerator, std::int64_t denominator) {
    return ToX87Bits(Real(numerator) / Real(denominator));
  }

  static Real Power(int exponent) { return calc::testing::TablePower<Real>(exponent); }
};
TYPED_TEST_SUITE(ParseRealTest, ArithmeticTypes, ArithmeticTypeNames);

struct RatioCase {
  std::string text;
  std::int64_t numerator;
  std::int64_t denominator;
};

TYPED_TEST(ParseRealTest, ReadsSignedDecimalsWithExponents) {
  const std::vector<RatioCase> cases = {
      {"  1.5  ", 3, 2},
      {"+1.5", 3, 2},
      {"-1.5", -3, 2},
      {".5", 1, 2},
      {"5.", 5, 1},
      {"00012.50", 25, 2},
      {"1e3", 1000, 1},
      {"1E+3", 1000, 1},
      {"1e-3", 1, 1000},
      {"1e", 1, 1},
      {"1e+", 1, 1},
      {"1e-", 1, 1},
      {"+.5e1", 5, 1},
      {"0.1", 1, 10},
      {"123.456", 123456, 1000},
      {"  -0012e-0002  ", -12, 100},
      {"9223372036854775807", INT64_MAX, 1},
      {"-9.223372036854775808e18", INT64_MIN, 1},
      {"37.5", 75, 2},
      {"4.2e-7", 42, 100000000},
  };
  for (const auto& [text, numerator, denominator] : cases) {
    EXPECT_EQ(ToX87Bits(this->Parse(text)), this->Ratio(numerator, denominator)) << text;
  }
}

TYPED_TEST(ParseRealTest, ReadsALoneDecimalSeparatorAsZero) {
  for (const std::string text : {".", "-.", ".e5", "+.E-7", "0", "000.000"}) {
    EXPECT_TRUE(this->Parse(text) == TypeParam(0)) << text;
  }
  EXPECT_TRUE(SignBit(this->Parse("-.")));
}

TYPED_TEST(ParseRealTest, RejectsEverythingElseQuotingTheText) {
  const std::vector<std::string> texts = {
      "",
      " ",
      "+",
      "-",
      "e5",
      "E",
      "1,5",
      "1,000.5",
      "1 .5",
      "1.5.",
      "12:30",
      "INF",
      "NAN",
      "inf",
      "0x10",
      "\t1",
      "1\t",
      "1.5\n",
      "+-1",
      "--1",
      "1e--5",
      "1e+-5",
      "1e5.",
      "1 e5",
      "1e 5",
      "1.5x",
      "1e5000",
      "1e-5000",
      "1e0005000",
      "$10",
      "\xD9\xA1",
      "1\xC2\xA0"
      "000",
      std::string("1\0", 2),
      "\xFF",
      "1e4933",
      "-1e4933",
      "1..",
      ". .",
      "e",
      "1E5E5",
  };
  for (const auto& text : texts) {
    this->ExpectRejected(text);
  }
}

TYPED_TEST(ParseRealTest, RoundsAfterEveryDigitNotOnceAtTheEnd) {
  // The first 19 digits fit 64 bits exactly; the last two take two rounded steps each. The
  // correctly rounded value of this text is 850182245023673595264.
  const TypeParam expected =
      (TypeParam(std::uint64_t{8501822450236735952}) * TypeParam(10) + TypeParam(3)) *
          TypeParam(10) +
      TypeParam(5);
  const TypeParam parsed = this->Parse("850182245023673595235");
  EXPECT_EQ(ToX87Bits(parsed), ToX87Bits(expected));
  EXPECT_EQ(ToUint64(parsed / TypeParam(1000)), 850182245023673595U);
  const TypeParam nearest = TypeParam(std::uint64_t{13284097578494899926U}) * TypeParam(64);
  EXPECT_FALSE(parsed == nearest);
  // The decimals carry on the 80-bit steps where the integer digits left them.
  EXPECT_EQ(ToX87Bits(this->Parse("85018224502367359523.5")),
            ToX87Bits(this->Parse("850182245023673595235") / this->Power(1)));
}

// The accumulation past 2^64 runs in integers; the type's own arithmetic, step by step, is its
// reference, over digit runs whose roundings go every way and up to the edge of the range.
TYPED_TEST(ParseRealTest, AccumulatesLongMantissasAsTheArithmeticDoesStepByStep) {
  std::vector<std::string> texts = {std::string(40, '9'), "1" + std::string(40, '0'),
                                    "18446744073709551615" + std::string(30, '5'),
                                    std::string(4932, '9'), "11" + std::string(4931, '8')};
  std::uint64_t state = 0x9E3779B97F4A7C15U;
  for (int run = 0; run < 200; ++run) {
    std::string digits(20 + run % 60, '0');
    for (char& digit : digits) {
      state = state * 6364136223846793005U + 1442695040888963407U;
      digit = static_cast<char>('0' + (state >> 33) % 10);
    }
    texts.push_back("1" + digits);
  }
  for (const std::string& text : texts) {
    TypeParam expected(0);
    for (const char digit : text) {
      expected = expected * TypeParam(10) + TypeParam(digit - '0');
    }
    ASSERT_FALSE(IsInf(expected)) << text;
    EXPECT_EQ(ToX87Bits(this->Parse(text)), ToX87Bits(expected)) << text;
  }
}

TYPED_TEST(ParseRealTest, ReadsIntegersAroundTwoTo64Exactly) {
  const TypeParam twoTo64 = TypeParam(std::uint64_t{1} << 63) * TypeParam(2);
  EXPECT_EQ(ToX87Bits(this->Parse("18446744073709551615")),
            ToX87Bits(TypeParam(std::numeric_limits<std::uint64_t>::max())));
  EXPECT_EQ(ToX87Bits(this->Parse("18446744073709551616")), ToX87Bits(twoTo64));
  EXPECT_EQ(ToX87Bits(this->Parse("18446744073709551617")), ToX87Bits(twoTo64));
  EXPECT_EQ(ToX87Bits(this->Parse("18446744073709551619")), ToX87Bits(twoTo64 + TypeParam(4)));
}

TYPED_TEST(ParseRealTest, ScalesLargeExponentsInThreeRoundedSteps) {
  const auto bits = [](TypeParam x) { return ToX87Bits(x); };
  EXPECT_EQ(bits(this->Parse("1e500")), bits(TypeParam(1) * this->Power(20) * this->Power(480)));
  EXPECT_EQ(bits(this->Parse("1e0000500")), bits(this->Parse("1e500")));
  EXPECT_EQ(bits(this->Parse("1e4932")),
            bits(TypeParam(1) * this->Power(4) * this->Power(320) * this->Power(4608)));
  EXPECT_EQ(bits(this->Parse("12.5e-4931")),
            bits(TypeParam(125) / this->Power(4) / this->Power(320) / this->Power(4608)));
  EXPECT_EQ(bits(this->Parse("1e28")), bits(this->Power(28)));
  EXPECT_EQ(bits(this->Parse("1e31")), bits(this->Power(31)));
}

TYPED_TEST(ParseRealTest, AcceptsSubnormalAndUnderflowingResults) {
  const TypeParam smallestNormal =
      FromX87BitsAs<TypeParam>(X87Bits{0x0001, std::uint64_t{1} << 63});
  const TypeParam subnormal = this->Parse("1e-4940");
  EXPECT_TRUE(subnormal > TypeParam(0) && subnormal < smallestNormal);
  EXPECT_TRUE(this->Parse("3.7e-4951") > TypeParam(0));
  EXPECT_TRUE(this->Parse("1e-4952") == TypeParam(0));
  EXPECT_TRUE(this->Parse("-1e-4999") == TypeParam(0));
}

TYPED_TEST(ParseRealTest, FailsWhenAnyStepLeavesTheRange) {
  const std::string mantissa4932(4932, '0');
  EXPECT_FALSE(IsInf(this->Parse("1" + mantissa4932)));
  this->ExpectRejected("1" + mantissa4932 + "0");
  // The accumulator overflows although the scaled value would be small.
  this->ExpectRejected("1" + std::string(5000, '0') + "e-499");
  // Even where the scaling would give zero, the overflowed accumulator fails the text.
  this->ExpectRejected("0." + std::string(5200, '9'));
  this->ExpectRejected("2e4932");
  EXPECT_FALSE(IsInf(this->Parse("1.18e4932")));
  this->ExpectRejected("1.19e4932");
}

TYPED_TEST(ParseRealTest, ReadsLongRunsOfDigitsAndSpaces) {
  const std::string zeros(10 << 20, '0');
  EXPECT_EQ(ToX87Bits(this->Parse(zeros + "1")), ToX87Bits(TypeParam(1)));
  EXPECT_TRUE(this->Parse("0." + zeros) == TypeParam(0));
  EXPECT_TRUE(this->Parse("0." + zeros + "1") == TypeParam(0));
  EXPECT_EQ(ToX87Bits(this->Parse(std::string(10 << 20, ' ') + "5" + std::string(10 << 20, ' '))),
            ToX87Bits(TypeParam(5)));
  this->ExpectRejected("1" + zeros);
  EXPECT_EQ(ToX87Bits(this->Parse("0." + std::string(4900, '0') + "1e4902")),
            ToX87Bits(TypeParam(10)));
  EXPECT_TRUE(this->Parse("0." + std::string(5118, '0') + "1") == TypeParam(0));
}

TYPED_TEST(ParseRealTest, StopsAtTheEndOfTheGivenText) {
  const std::string buffer = "1.5e3";
  EXPECT_EQ(ToX87Bits(this->Parse(std::string_view(buffer).substr(0, 2))), this->Ratio(1, 1));
  EXPECT_EQ(ToX87Bits(this->Parse(std::string_view(buffer).substr(0, 4))), this->Ratio(3, 2));
  const std::string separated =
      "1\xD9\xAB"
      "5";
  EXPECT_THROW(
      this->Parse(std::string_view(separated).substr(0, 2), WithSeparators("\xD9\xAB", "")),
      EConvertError);
}

struct SeparatorCase {
  std::string decimal;
  std::string text;
  std::int64_t numerator;  // the text's value as numerator ÷ 10
};

TYPED_TEST(ParseRealTest, ReadsTheRegionalDecimalSeparatorAsAUnit) {
  const std::vector<SeparatorCase> cases = {
      {",", "1,5", 15},
      {",", "-,5e1", -50},
      {"\xD9\xAB",
       "1\xD9\xAB"
       "5",
       15},
      {"\xC2\xB7",
       "\xC2\xB7"
       "5",
       5},
      {"\xE2\x80\xAF",
       "2\xE2\x80\xAF"
       "5",
       25},
      {"", "1.5", 15},
      {std::string(1, '\0'), "1.5", 15},
  };
  for (const auto& [decimal, text, numerator] : cases) {
    EXPECT_EQ(ToX87Bits(this->Parse(text, WithSeparators(decimal, ","))),
              this->Ratio(numerator, 10))
        << text;
  }
}

TYPED_TEST(ParseRealTest, RejectsOtherSeparatorsUnderEachSetting) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {",", "1.5"},
      {",", "1.000,5"},
      {"\xD9\xAB", "1.5"},
      {"\xD9\xAB",
       "1\xD9"
       "5"},
      {"\xD9\xAB", "1\xD9"},
      {"\xD9\xAB",
       "1\xAB"
       "5"},
      {"", "1,5"},
      {"", "15\xC2"},
      {std::string(1, '\0'), std::string("1\0"
                                         "5",
                                         3)},
  };
  for (const auto& [decimal, text] : cases) {
    this->ExpectRejected(text, WithSeparators(decimal, "\xC2\xA0"));
  }
  this->ExpectRejected(
      "1\xC2\xA0"
      "000",
      WithSeparators(".", "\xC2\xA0"));
}

template <class Real>
class NarrowToDoubleTest : public ::testing::Test {};
TYPED_TEST_SUITE(NarrowToDoubleTest, ArithmeticTypes, ArithmeticTypeNames);

TYPED_TEST(NarrowToDoubleTest, RoundsToTheNearestDouble) {
  const std::vector<std::pair<std::string, double>> cases = {
      {"37.5", 37.5},
      {"0.1", 0.1},
      {"1e308", 1e308},
      {"1.7976931348623158e308", std::numeric_limits<double>::max()},
      {"-4.9e-324", -std::numeric_limits<double>::denorm_min()},
      {"1e-400", 0.0},
  };
  for (const auto& [text, nearest] : cases) {
    EXPECT_EQ(NarrowToDoubleAs(ParseRealAs<TypeParam>(text)), nearest) << text;
  }
  EXPECT_EQ(NarrowToDoubleAs(TypeParam(std::numeric_limits<double>::infinity())),
            std::numeric_limits<double>::infinity());
}

TYPED_TEST(NarrowToDoubleTest, FailsBeyondTheDoubleRange) {
  for (const std::string text : {"1e400", "-1e400", "1.7976931348623159e308", "1e4932"}) {
    const TypeParam value = ParseRealAs<TypeParam>(text);
    try {
      NarrowToDoubleAs(value);
      ADD_FAILURE() << "narrowed " << text;
    } catch (const EOverflow& error) {
      EXPECT_STREQ(error.what(), "Floating point overflow");
    }
  }
  EXPECT_THROW(NarrowToDoubleAs(ParseRealAs<TypeParam>("1e309")), EMathError);
}

}  // namespace
}  // namespace calc
