#include "calc/regional.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/calc.h"

namespace calc {
namespace {

struct OneCharacterCase {
  const char* name;
  std::string localeValue;
  std::string expected;
};

class OneCharacterRule : public testing::TestWithParam<OneCharacterCase> {};

TEST_P(OneCharacterRule, TakesExactlyOneCodePointElseFallsBack) {
  EXPECT_EQ(OneCharacterSetting(GetParam().localeValue, "."), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, OneCharacterRule,
    testing::Values(OneCharacterCase{"AsciiComma", ",", ","},
                    OneCharacterCase{"EmptyMeansNoCharacter", "", ""},
                    OneCharacterCase{"TwoCharactersFallBack", ",,", "."},
                    OneCharacterCase{"NoBreakSpaceIsOneCharacter", "\xC2\xA0", "\xC2\xA0"},
                    OneCharacterCase{"NarrowNoBreakSpaceIsOneCharacter", "\xE2\x80\xAF",
                                     "\xE2\x80\xAF"},
                    OneCharacterCase{"FourByteCharacter", "\xF0\x9F\x95\x92", "\xF0\x9F\x95\x92"},
                    OneCharacterCase{"LoneLatin1ByteIsNotUtf8", "\xA0", "."},
                    OneCharacterCase{"TruncatedSequenceFallsBack", "\xE2\x80", "."},
                    OneCharacterCase{"OverlongSlashFallsBack", "\xC0\xAF", "."},
                    OneCharacterCase{"SurrogateFallsBack", "\xED\xA0\x80", "."},
                    OneCharacterCase{"BeyondUnicodeFallsBack", "\xF4\x90\x80\x80", "."}),
    [](const testing::TestParamInfo<OneCharacterCase>& testCase) { return testCase.param.name; });

TEST(DesignatorRule, TakesTheLocaleTextUnchangedAndFallsBackOnlyWhenEmpty) {
  EXPECT_EQ(DesignatorSetting("", "am"), "am");
  EXPECT_EQ(DesignatorSetting("AM", "am"), "AM");
  EXPECT_EQ(DesignatorSetting(" a.m. ", "am"), " a.m. ");
  EXPECT_EQ(DesignatorSetting("\xEC\x98\xA4\xEC\xA0\x84", "am"), "\xEC\x98\xA4\xEC\xA0\x84");
}

TEST(DesignatorRule, KeepsAtMost255CharactersWithoutSplittingOne) {
  std::string longText;
  for (int i = 0; i < 300; ++i) {
    longText += "\xC3\xA9";  // é, two bytes
  }
  const std::string kept = DesignatorSetting(longText, "am");
  EXPECT_EQ(CountCharacters(kept), 255U);
  EXPECT_EQ(kept.size(), 510U);
}

TEST(CountCharacters, CountsCodePointsAndEachStrayByteOnce) {
  EXPECT_EQ(CountCharacters(""), 0U);
  EXPECT_EQ(CountCharacters("abc"), 3U);
  EXPECT_EQ(CountCharacters("a\xC2\xA0"
                            "b"),
            3U);
  EXPECT_EQ(CountCharacters("\xFF\xFE"), 2U);
  EXPECT_EQ(CountCharacters("\xE2\x80"), 2U);
}

// The one test that replaces the process-wide settings: the overloads without a settings
// argument read them as they stand at each call. The defaults go back however the test ends,
// since other tests call those overloads too.
TEST(RegionalSettings, DefaultsAndReplacement) {
  const RegionalSettings defaults;
  EXPECT_EQ(defaults.decimalSeparator, ".");
  EXPECT_EQ(defaults.thousandsSeparator, ",");
  EXPECT_EQ(defaults.timeSeparator, ":");
  EXPECT_EQ(defaults.amDesignator, "am");
  EXPECT_EQ(defaults.pmDesignator, "pm");

  const struct DefaultsAfterwards {
    ~DefaultsAfterwards() { SetRegionalSettings(RegionalSettings{}); }
  } restore;
  const RegionalSettings finnish{",", "\xC2\xA0", ".", "ap.", "ip."};
  const std::string grouped =
      "1\xC2\xA0"
      "234,5";
  SetRegionalSettings(finnish);
  EXPECT_EQ(GetRegionalSettings(), finnish);
  EXPECT_EQ(NarrowToDouble(ParseReal("1234,5")), 1234.5);
  EXPECT_EQ(NarrowToDouble(ParseRealAs<Extended>("1234,5")), 1234.5);
  EXPECT_EQ(FormatHours(1234.5), grouped);
  EXPECT_EQ(FormatHoursAs(Extended(1234.5)), grouped);
  EXPECT_EQ(FormatHoursUngrouped(1234.5), "1234,5");
  EXPECT_EQ(FormatHoursUngroupedAs(Extended(1234.5)), "1234,5");
  const double evening = ParseTime("21:30", defaults);
  EXPECT_EQ(ParseTime("9.30 ip."), evening);
  EXPECT_EQ(ParseTimeAs<Extended>("9.30 ip."), evening);
  EXPECT_EQ(TryParseTimeAs<Extended>("9.30 ip."), evening);
  EXPECT_EQ(FormatTime(evening), "9.30 pm");
  EXPECT_EQ(FormatTimeAs<Extended>(evening), "9.30 pm");
  MemoryCellGrid needed(6, 1);
  MemoryCellGrid staff(4, 2);
  staff.SetCell(1, 1, "1");
  staff.SetCell(2, 1, "1234,5");
  EXPECT_EQ(ReCalc(needed, staff).hrsAvail, grouped);
  EXPECT_EQ(ReCalcAs<Extended>(needed, staff).hrsAvail, grouped);

  SetRegionalSettings(defaults);
  EXPECT_EQ(GetRegionalSettings(), defaults);
  EXPECT_EQ(FormatHours(1234.5), "1,234.5");
}

}  // namespace
}  // namespace calc
