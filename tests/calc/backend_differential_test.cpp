// The native x87 long double and the MPFR software type must agree bit for bit on every
// conversion. This runs both over a large set of generated inputs, random and packed around
// every boundary the algorithms have, and stops at the first difference.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <iomanip>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "detail/arithmetic.h"

#if SHIFTMETER_LONG_DOUBLE_IS_X87

namespace calc {
namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
constexpr int kScale = 10;  // sanitised builds run a tenth of the inputs
#else
constexpr int kScale = 1;
#endif
constexpr int kParseInputs = 400'000 / kScale;
constexpr int kFormatInputs = 400'000 / kScale;
constexpr int kNarrowInputs = 300'000 / kScale;
constexpr int kArithmeticInputs = 200'000 / kScale;

constexpr std::uint64_t kTop = std::uint64_t{1} << 63;

std::string Describe(X87Bits bits) {
  std::ostringstream text;
  text << std::hex << std::setfill('0') << std::setw(4) << bits.signExponent << ':' << std::setw(16)
       << bits.significand;
  return text.str();
}

// What one conversion gave: its result as text, or the kind of failure.
template <class Convert>
std::string Outcome(Convert convert) {
  try {
    return convert();
  } catch (const EConvertError&) {
    return "EConvertError";
  } catch (const EOverflow&) {
    return "EOverflow";
  }
}

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : random_(seed) {}

  std::uint64_t Below(std::uint64_t bound) { return random_() % bound; }
  bool OneIn(std::uint64_t n) { return Below(n) == 0; }

  std::string Digits(std::uint64_t count) {
    std::string digits;
    for (std::uint64_t i = 0; i < count; ++i) {
      digits += static_cast<char>('0' + Below(10));
    }
    return digits;
  }

  // Decimal texts: ordinary ones, long mantissas, exponents near every limit of the scaling
  // and of the 80-bit range, and a share of malformed ones.
  std::string NumberText() {
    if (OneIn(10)) {
      static constexpr char kAlphabet[] = " +-.eE0123456789,x";
      std::string junk;
      for (std::uint64_t length = 1 + Below(8); length > 0; --length) {
        junk += kAlphabet[Below(sizeof kAlphabet - 1)];
      }
      return junk;
    }
    std::string text = OneIn(8) ? " " : "";
    text += OneIn(4) ? "-" : (OneIn(8) ? "+" : "");
    text += Digits(OneIn(2000) ? 4900 + Below(100) : Below(OneIn(5) ? 60 : 22));
    if (!OneIn(3)) {
      text += '.';
      text += Digits(Below(OneIn(5) ? 60 : 22));
    }
    if (OneIn(2)) {
      static constexpr int kCentres[] = {0, 18, 28, 308, 320, 500, 4914, 4932, 4951, 4999};
      const int centre = kCentres[Below(std::size(kCentres))];
      const int exponent = centre + static_cast<int>(Below(41)) - 20;
      text += OneIn(2) ? 'e' : 'E';
      text += OneIn(2) ? "-" : (OneIn(2) ? "+" : "");
      text += std::to_string(exponent < 0 ? -exponent : exponent);
    }
    return text;
  }

  // 80-bit patterns: uniform over the range, next to powers of ten, near the two-decimal ties
  // and the 10^18 switch, subnormal, huge, and widened doubles.
  X87Bits Pattern() {
    const auto sign = static_cast<std::uint16_t>(OneIn(2) ? 0x8000U : 0U);
    switch (Below(6)) {
      case 0:
        return X87Bits{static_cast<std::uint16_t>(sign | Below(0x7FFF)), random_() | kTop};
      case 1:
        return Nudge(ToX87Bits(
            ParseRealAs<long double>("1e" + std::to_string(static_cast<int>(Below(60)) - 20))));
      case 2:
        return Nudge(ToX87Bits(
            ParseRealAs<long double>(std::to_string(Below(2'000'000)) + "." + Digits(2) + "5")));
      case 3:
        return X87Bits{sign, random_() >> Below(64)};
      case 4:
        return X87Bits{static_cast<std::uint16_t>(sign | (0x7FFE - Below(4))), random_() | kTop};
      default:
        return ToX87Bits(static_cast<long double>(std::bit_cast<double>(random_())));
    }
  }

  // Patterns around the double range's limits and the double rounding points.
  X87Bits NarrowingPattern() {
    static constexpr int kExponents[] = {-1074, -1075, -1076, -1022, -1023, 0, 1023, 1024, 1025};
    const int exponent = kExponents[Below(std::size(kExponents))] + static_cast<int>(Below(5)) - 2;
    const std::uint64_t halfway = std::uint64_t{1} << 10;
    std::uint64_t significand = random_() | kTop;
    if (OneIn(2)) {
      significand = (significand & ~(2 * halfway - 1)) | halfway;
      significand += Below(3) - 1;
    }
    const auto sign = static_cast<std::uint16_t>(OneIn(2) ? 0x8000U : 0U);
    return X87Bits{static_cast<std::uint16_t>(sign | (exponent + 16383)), significand | kTop};
  }

  // Operands for the software type's integer paths: significands of a few leading bits, random
  // or all ones, so that products, quotients, sums and integer roundings tie or carry, at
  // exponents whose sum or difference puts the result at an edge of the normal range, or at
  // distances that decide how a sum aligns.
  std::pair<X87Bits, X87Bits> EdgeOperands() {
    static constexpr int kRangeEdges[] = {-16382, 16383};
    static constexpr int kDistances[] = {0, 1, 63, 64, 65, 128};
    const int first =
        OneIn(2) ? static_cast<int>(Below(68)) - 2 : static_cast<int>(Below(2 * 16383)) - 16382;
    const int offset = static_cast<int>(Below(5)) - 2;
    const int edge = kRangeEdges[Below(2)] + offset;
    const int distance = kDistances[Below(std::size(kDistances))] + offset;
    const int second = Below(3) == 0   ? edge - first
                       : Below(2) == 0 ? first - edge
                                       : first - distance;
    return {Operand(first), Operand(std::clamp(second, -16382, 16383))};
  }

 private:
  X87Bits Operand(int exponent) {
    const std::uint64_t top = OneIn(4) ? ~std::uint64_t{0} : random_() | kTop;
    const auto sign = static_cast<std::uint16_t>(OneIn(2) ? 0x8000U : 0U);
    return X87Bits{static_cast<std::uint16_t>(sign | (exponent + 16383)),
                   kTop | (top << Below(64))};
  }

  X87Bits Nudge(X87Bits bits) {
    bits.significand += Below(9) - 4;
    bits.significand |= kTop;
    return bits;
  }

  std::mt19937_64 random_;
};

TEST(BackendDifferential, ParseRealAgreesOnGeneratedTexts) {
  Generator generator(20240601);
  for (int i = 0; i < kParseInputs; ++i) {
    const std::string text = generator.NumberText();
    const std::string native =
        Outcome([&] { return Describe(ToX87Bits(ParseRealAs<long double>(text))); });
    const std::string soft =
        Outcome([&] { return Describe(ToX87Bits(ParseRealAs<SoftExtended>(text))); });
    ASSERT_EQ(native, soft) << "input " << i << ": '" << text << "'";
  }
}

TEST(BackendDifferential, FormatHoursAgreesOnGeneratedValues) {
  Generator generator(1);
  for (int i = 0; i < kFormatInputs; ++i) {
    const X87Bits bits = generator.Pattern();
    const std::string native = FormatHoursAs(FromX87BitsAs<long double>(bits));
    const std::string soft = FormatHoursAs(FromX87BitsAs<SoftExtended>(bits));
    ASSERT_EQ(native, soft) << "input " << i << ": " << Describe(bits);
  }
}

TEST(BackendDifferential, NarrowToDoubleAgreesOnGeneratedValues) {
  Generator generator(2);
  const auto describe = [](double value) {
    return std::to_string(std::bit_cast<std::uint64_t>(value));
  };
  for (int i = 0; i < kNarrowInputs; ++i) {
    const X87Bits bits = generator.OneIn(4) ? generator.Pattern() : generator.NarrowingPattern();
    const std::string native =
        Outcome([&] { return describe(NarrowToDoubleAs(FromX87BitsAs<long double>(bits))); });
    const std::string soft =
        Outcome([&] { return describe(NarrowToDoubleAs(FromX87BitsAs<SoftExtended>(bits))); });
    ASSERT_EQ(native, soft) << "input " << i << ": " << Describe(bits);
  }
}

// NaN payloads differ by design (the software type gives the default NaN); NaN-ness must not.
std::string DescribeResult(X87Bits bits) {
  return x87::IsNaN(bits) ? "NaN" : Describe(bits);
}

// Every arithmetic result of one type on a pair of patterns, in one line.
template <class Real>
std::string ArithmeticOutcomes(X87Bits a, X87Bits b) {
  const Real x = FromX87BitsAs<Real>(a);
  const Real y = FromX87BitsAs<Real>(b);
  return DescribeResult(ToX87Bits(x + y)) + " " + DescribeResult(ToX87Bits(x - y)) + " " +
         DescribeResult(ToX87Bits(x * y)) + " " + DescribeResult(ToX87Bits(x / y)) + " " +
         DescribeResult(ToX87Bits(RoundToInteger(x))) + (x < y ? " <" : "") + (x == y ? " ==" : "");
}

TEST(BackendDifferential, ArithmeticAgreesOnGeneratedOperands) {
  Generator generator(3);
  for (int i = 0; i < kArithmeticInputs; ++i) {
    const auto [a, b] = generator.OneIn(4) ? generator.EdgeOperands()
                        : generator.OneIn(3)
                            ? std::pair(generator.Pattern(), generator.NarrowingPattern())
                            : std::pair(generator.Pattern(), generator.Pattern());
    ASSERT_EQ(ArithmeticOutcomes<long double>(a, b), ArithmeticOutcomes<SoftExtended>(a, b))
        << Describe(a) << " " << Describe(b);
  }
}

// Cases too rare for the generator, each at an edge of the software type's integer paths.
TEST(BackendDifferential, ArithmeticAgreesOnRareEdges) {
  constexpr std::uint64_t kOnes = ~std::uint64_t{0};
  const std::pair<X87Bits, X87Bits> cases[] = {
      // Products exactly half-way, rounded up and left to the even significand.
      {{0x3FFF, 0xC000000000000000U}, {0x3FFF, kTop | 1}},
      {{0x3FFF, 0xC000000000000000U}, {0x3FFF, kTop | 3}},
      // 1 + 2^-63 and the largest value plus half their last unit: a carry out of the top bit,
      // then also out of the range.
      {{0x3FFF, kOnes}, {0x3FFF - 64, kTop}},
      {{0x7FFE, kOnes}, {0x7FFE - 64, kTop}},
      // A difference whose lost bits turn an apparent tie into more than half a unit.
      {{0x3FFF, kTop | 3}, {0x3FFF - 65, kOnes}},
      // The smallest normal value exactly, and a product needing 64 bits just below it, which
      // the subnormal grid rounds.
      {{0x0001 + 10, kTop}, {0x3FFF - 10, kTop}},
      {{0x0001, kTop}, {0x3FFE, kOnes}},
  };
  for (const auto& [a, b] : cases) {
    EXPECT_EQ(ArithmeticOutcomes<long double>(a, b), ArithmeticOutcomes<SoftExtended>(a, b))
        << Describe(a) << " " << Describe(b);
  }
}

}  // namespace
}  // namespace calc

#endif
