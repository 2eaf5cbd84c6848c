#include "calc/time_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/errors.h"
#include "number_test_support.h"

namespace calc {
namespace {

constexpr std::uint32_t Ms(std::uint32_t hour, std::uint32_t minute, std::uint32_t second = 0,
                           std::uint32_t millisecond = 0) {
  return ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
}

// A time of day read back to its whole milliseconds; a double product is exact enough for that.
std::uint32_t MsOf(double timeOfDay) {
  return static_cast<std::uint32_t>(std::llround(timeOfDay * 86'400'000.0));
}

RegionalSettings UpperCaseDesignators() {
  RegionalSettings settings;
  settings.amDesignator = "AM";
  settings.pmDesignator = "PM";
  return settings;
}

template <class Real>
class TimeTextTest : public ::testing::Test {
 protected:
  static double Parse(std::string_view text, const RegionalSettings& settings = {}) {
    return ParseTimeAs<Real>(text, settings);
  }

  static std::string Format(double timeOfDay, const RegionalSettings& settings = {}) {
    return FormatTimeAs<Real>(timeOfDay, settings);
  }

  static void ExpectInvalid(const std::string& text, const RegionalSettings& settings = {}) {
    testing::ExpectNotValid([&](std::string_view t) { return Parse(t, settings); }, text, "time");
  }
};
TYPED_TEST_SUITE(TimeTextTest, testing::ArithmeticTypes, testing::ArithmeticTypeNames);

TEST(FixTime, AddsTheMissingMBehindTheFirstPElseTheFirstA) {
  const struct {
    const char* typed;
    const char* fixed;
  } cases[] = {
      {"5p", "5pM"},
      {"9 a", "9 aM"},
      {"p5", "pM5"},
      {"apple", "apMple"},
      {"pa", "pMa"},
      {"5 P", "5 PM"},
      {"Mon 5p", "Mon 5p"},
      {"am9", "am9"},
      {"9:30 P.M.", "9:30 P.M."},
      {"", ""},
      {"17:30", "17:30"},
      {"aAa", "aMAa"},
      {"5 pm", "5 pm"},
      {"\xE2\x80\xAF p", "\xE2\x80\xAF pM"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FixTime(c.typed), c.fixed) << "typed '" << c.typed << "'";
  }
}

TYPED_TEST(TimeTextTest, TypedTimesAreRepairedReadAndRendered) {
  const RegionalSettings upperCase = UpperCaseDesignators();
  const struct {
    const char* typed;
    const char* fixed;
    const char* rendered;
    std::uint32_t ms;
  } cases[] = {
      {"9a", "9aM", "9:00 am", Ms(9, 0)},
      {"5 pm", "5 pm", "5:00 pm", Ms(17, 0)},
      {"5p", "5pM", "5:00 pm", Ms(17, 0)},
      {"5 P", "5 PM", "5:00 pm", Ms(17, 0)},
      {"p5", "pM5", "5:00 pm", Ms(17, 0)},
      {"am9", "am9", "9:00 am", Ms(9, 0)},
      {"AM9:15", "AM9:15", "9:15 am", Ms(9, 15)},
      {"17:30", "17:30", "5:30 pm", Ms(17, 30)},
      {"13:00", "13:00", "1:00 pm", Ms(13, 0)},
      {"12:00", "12:00", "12:00 pm", Ms(12, 0)},
      {"12 pm", "12 pm", "12:00 pm", Ms(12, 0)},
      {"12a", "12aM", "12:00 am", Ms(0, 0)},
      {"12:30 am", "12:30 am", "12:30 am", Ms(0, 30)},
      {"0:30", "0:30", "12:30 am", Ms(0, 30)},
      {"0", "0", "12:00 am", Ms(0, 0)},
      {"23:59", "23:59", "11:59 pm", Ms(23, 59)},
      {"9:5", "9:5", "9:05 am", Ms(9, 5)},
      {"09:05", "09:05", "9:05 am", Ms(9, 5)},
      {"00009:00", "00009:00", "9:00 am", Ms(9, 0)},
      {"  9 :  30  ", "  9 :  30  ", "9:30 am", Ms(9, 30)},
      {"9:30pm", "9:30pm", "9:30 pm", Ms(21, 30)},
      {"10:15 Pm", "10:15 Pm", "10:15 pm", Ms(22, 15)},
      {"9:05:30", "9:05:30", "9:05 am", Ms(9, 5, 30)},
      {"9:05:30.250", "9:05:30.250", "9:05 am", Ms(9, 5, 30, 250)},
      {"9:05:30.5", "9:05:30.5", "9:05 am", Ms(9, 5, 30, 5)},
      {"9:05:30. 5 pm", "9:05:30. 5 pm", "9:05 pm", Ms(21, 5, 30, 5)},
      {"12:00 AM", "12:00 AM", "12:00 am", Ms(0, 0)},
      {"23:59:59.999", "23:59:59.999", "11:59 pm", Ms(23, 59, 59, 999)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(FixTime(c.typed), c.fixed);
    const double timeOfDay = this->Parse(c.fixed, upperCase);
    EXPECT_EQ(MsOf(timeOfDay), c.ms);
    EXPECT_EQ(this->Format(timeOfDay, upperCase), c.rendered);
  }
}

TYPED_TEST(TimeTextTest, UnreadableTimesFailQuotingTheTextGiven) {
  const char* const unreadable[] = {
      "0:30 am", "13:00 PM", "24:00",     "9:60",       "9:30:60", "9:05:30.2500",
      "930",     "9.30",     "9:30 P.M.", "9:30 am pm", "noon",    "apMple",
      "Mon 5p",  "   ",      "5:",        ":30",        "-5",      "9\t30",
      "",        "9 A",      "9:30:",     "9:30:00.",   "9.30:00", "AM",
      "+9",      "9:30.5",   "am 9 pm",   "9:30 x",     "1000:00", "99999999999999999999",
  };
  const RegionalSettings upperCase = UpperCaseDesignators();
  for (const char* text : unreadable) {
    this->ExpectInvalid(text, upperCase);
  }
}

// The quotient is formed with a 64-bit significand, then rounded to a double; for some counts
// that differs in the last bit from a division in double precision.
TYPED_TEST(TimeTextTest, MillisecondsAreDividedInExtendedPrecision) {
  const double divided = this->Parse("0:00:43.039");
  EXPECT_EQ(divided, 0x1.052ac25b51cecp-11);
  EXPECT_NE(divided, 43039.0 / 86'400'000.0);
}

TYPED_TEST(TimeTextTest, OnlyABlankMayStandBesideAnHour) {
  for (int code = 0; code < 256; ++code) {
    const std::string byte(1, static_cast<char>(code));
    SCOPED_TRACE(code);
    if (code == ' ') {
      EXPECT_EQ(MsOf(this->Parse("9" + byte)), Ms(9, 0));
      EXPECT_EQ(MsOf(this->Parse(byte + "9")), Ms(9, 0));
    } else {
      this->ExpectInvalid("9" + byte);
      if (code < '0' || code > '9') {
        this->ExpectInvalid(byte + "9");
      }
    }
  }
}

TYPED_TEST(TimeTextTest, OtherRegionalSettingsAreReadAtEachCall) {
  constexpr std::int64_t kUnreadable = -1;
  const struct {
    const char* name;
    RegionalSettings settings;
    std::vector<std::pair<std::string, std::int64_t>> textsAndMs;
  } cases[] = {
      {"dot separator",
       {".", ",", ".", "am", "pm"},
       {{"5.30 pm", Ms(17, 30)}, {"5:30 pm", kUnreadable}}},
      {"Finnish",
       {",", "\xC2\xA0", ".", "ap.", "ip."},
       {{"9.30 ip.", Ms(21, 30)},
        {"IP. 9.30", Ms(21, 30)},
        {"9.05.30,250", Ms(9, 5, 30, 250)},
        {"9.05.30.250", kUnreadable},
        {"9 ap", kUnreadable},
        {"9 am", Ms(9, 0)}}},
      {"Korean",
       {".", ",", ":", "오전", "오후"},
       {{"오후 5:30", Ms(17, 30)},
        {"5:30 오전", Ms(5, 30)},
        {"5 \xEC\x98\xA4", kUnreadable},
        {"오후", kUnreadable}}},
      {"empty designators", {".", ",", ":", "", ""}, {{"9 am", Ms(9, 0)}, {"9 PM", Ms(21, 0)}}},
      {"first designator wins",
       {".", ",", ":", "A", "AP"},
       {{"9 AP", kUnreadable}, {"AP 9", kUnreadable}}},
      // es_ES writes a no-break space inside its designators.
      {"Spanish no-break space",
       {",", ".", ":", "a.\xC2\xA0m.", "p.\xC2\xA0m."},
       {{"9 a. m.", Ms(9, 0)},
        {"9:30 P.\xC2\xA0M.", Ms(21, 30)},
        {"9 a.m.", kUnreadable},
        {"9 a.  m.", kUnreadable}}},
      {"typed no-break spaces",
       {".", ",", ":", "a. m.", "p. m."},
       {{"9 p.\xE2\x80\xAFm.", Ms(21, 0)}, {"9\xC2\xA0p. m.", kUnreadable}}},
      // Newer locale data puts a narrow no-break space before the designators.
      {"narrow no-break space first",
       {".", ",", ":",
        "\xE2\x80\xAF"
        "am",
        "\xE2\x80\xAF"
        "pm"},
       {{"9 pm", Ms(21, 0)}, {"9\xE2\x80\xAFpm", Ms(21, 0)}, {"9pm", Ms(21, 0)}}},
      {"two-byte separator",
       {".", ",", "\xE2\x88\xB6", "am", "pm"},
       {{"9\xE2\x88\xB6"
         "30",
         Ms(9, 30)},
        {"9\xE2\x88"
         "30",
         kUnreadable},
        {"9:30", kUnreadable}}},
      {"no time separator",
       {".", ",", "", "am", "pm"},
       {{"9 pm", Ms(21, 0)}, {"9:30", kUnreadable}}},
      {"no decimal separator",
       {"", ",", ":", "am", "pm"},
       {{"9:30:15", Ms(9, 30, 15)}, {"9:30:15.5", kUnreadable}}},
  };
  for (const auto& c : cases) {
    for (const auto& [text, ms] : c.textsAndMs) {
      SCOPED_TRACE(std::string(c.name) + ": " + text);
      if (ms == kUnreadable) {
        this->ExpectInvalid(text, c.settings);
      } else {
        EXPECT_EQ(MsOf(this->Parse(text, c.settings)), ms);
      }
    }
  }
}

TYPED_TEST(TimeTextTest, RenderingUsesTheTimeSeparatorButNeverTheDesignators) {
  const struct {
    const char* separator;
    const char* rendered;
  } cases[] = {{":", "5:30 pm"},
               {".", "5.30 pm"},
               {"\xE2\x88\xB6",
                "5\xE2\x88\xB6"
                "30 pm"},
               {"", "530 pm"}};
  const double halfPastFive = this->Parse("17:30");
  for (const auto& c : cases) {
    EXPECT_EQ(this->Format(halfPastFive, {".", ",", c.separator, "오전", "오후"}), c.rendered);
  }
}

// A rendering holds an M, so FixTime leaves it alone, and reads back to its hour and minute.
TYPED_TEST(TimeTextTest, EveryMinuteRendersToATextThatReadsBackTheSame) {
  const RegionalSettings settingsToTry[] = {
      {}, UpperCaseDesignators(), {",", "\xC2\xA0", ".", "ap.", "ip."}, {".", ",", ":", "", ""}};
  for (const RegionalSettings& settings : settingsToTry) {
    for (std::uint32_t minute = 0; minute < 24 * 60; ++minute) {
      const std::string text = this->Format(minute / 1440.0, settings);
      ASSERT_EQ(FixTime(text), text);
      ASSERT_EQ(MsOf(this->Parse(text, settings)), minute * 60'000) << text;
    }
  }
}

TYPED_TEST(TimeTextTest, ValuesOutsideOneDayRenderTheirTimeOfDayAndNonNumbersDoNotReadBack) {
  const struct {
    double value;
    const char* rendered;
  } cases[] = {
      {0.0, "12:00 am"},    {-0.0, "12:00 am"},   {0.5, "12:00 pm"},
      {0.75, "6:00 pm"},    {1.25, "6:00 am"},    {-0.25, "6:00 pm"},
      {-1e-20, "12:00 am"}, {1.0, "12:00 am"},    {0.999999999999, "12:00 am"},
      {1e300, "12:00 am"},  {-1e300, "12:00 am"}, {NAN, "NAN"},
      {INFINITY, "INF"},    {-INFINITY, "-INF"},  {Ms(9, 5, 59, 999) / 864e5, "9:05 am"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(this->Format(c.value), c.rendered) << c.value;
  }
  for (const char* text : {"NAN", "INF", "-INF"}) {
    this->ExpectInvalid(FixTime(text));
  }
}

TYPED_TEST(TimeTextTest, HugeTextsAreReadInOnePass) {
  constexpr std::size_t kSize = 10U << 20U;
  EXPECT_EQ(MsOf(this->Parse(std::string(kSize, '0') + "9:30")), Ms(9, 30));
  EXPECT_EQ(MsOf(this->Parse(std::string(kSize, ' ') + "9 pm")), Ms(21, 0));
  EXPECT_EQ(MsOf(this->Parse("9:30" + std::string(kSize, ' '))), Ms(9, 30));
  this->ExpectInvalid(std::string(kSize, '9'));
  this->ExpectInvalid("9:" + std::string(kSize, 'a'));
  const std::string fixed = FixTime(std::string(kSize, 'p'));
  EXPECT_EQ(fixed.size(), kSize + 1);
  EXPECT_EQ(fixed.substr(0, 3), "pMp");
}

TYPED_TEST(TimeTextTest, RandomBytesEitherFailOrReadBackThroughTheirRendering) {
  std::mt19937 random(20240611);
  const std::string alphabet = "0123456789  ::..aApPmM\t-+x\xC3\xA9\xFF";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 12);
  int readable = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    for (int n = length(random); n > 0; --n) {
      text += alphabet[pick(random)];
    }
    try {
      const double timeOfDay = this->Parse(text);
      ++readable;
      ASSERT_TRUE(timeOfDay >= 0.0 && timeOfDay < 1.0) << text;
      const std::string rendered = this->Format(timeOfDay);
      ASSERT_EQ(MsOf(this->Parse(rendered)) / 60'000, MsOf(timeOfDay) / 60'000);
    } catch (const EConvertError&) {
    }
  }
  EXPECT_GT(readable, 100);
}

}  // namespace
}  // namespace calc
