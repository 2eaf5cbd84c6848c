#include "calc/regional.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(RegionalSettings, DefaultsAndReplacement) {
  const RegionalSettings defaults;
  EXPECT_EQ(defaults.decimalSeparator, ".");
  EXPECT_EQ(defaults.thousandsSeparator, ",");
  EXPECT_EQ(defaults.timeSeparator, ":");
  EXPECT_EQ(defaults.amDesignator, "am");
  EXPECT_EQ(defaults.pmDesignator, "pm");

  RegionalSettings finnish{",", "\xC2\xA0", ".", "ap.", "ip."};
  SetRegionalSettings(finnish);
  EXPECT_EQ(GetRegionalSettings(), finnish);
  SetRegionalSettings(defaults);
  EXPECT_EQ(GetRegionalSettings(), defaults);
}

}  // namespace
}  // namespace calc
