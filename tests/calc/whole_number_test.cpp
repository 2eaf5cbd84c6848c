#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "number_test_support.h"

namespace calc {
namespace {

struct WholeNumberCase {
  std::string text;
  std::int32_t value;
};

TEST(ParseWholeNumber, ReadsDecimalAndHexadecimalForms) {
  const std::vector<WholeNumberCase> cases = {
      {"0", 0},
      {"00", 0},
      {"+0", 0},
      {"-0", 0},
      {"  42", 42},
      {"+7", 7},
      {"-7", -7},
      {"007", 7},
      {"$1F", 31},
      {"x1f", 31},
      {"X1F", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"+$10", 16},
      {"-x10", -16},
      {"$0", 0},
      {"0x0", 0},
      {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"-$80000000", INT32_MIN},
      {"$000000000000001", 1},
      {"-$FFFFFFFF", 1},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"0000000000002147483647", INT32_MAX},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ParseWholeNumber(text), value) << "text: '" << text << "'";
  }
}

TEST(ParseWholeNumber, RejectsEverythingElseQuotingTheText) {
  const std::vector<std::string> texts = {
      "",
      " ",
      "   ",
      "42 ",
      "- 7",
      "--7",
      "+-7",
      "+",
      "-",
      "$",
      "x",
      "0x",
      "$$1",
      "0x$1",
      "\t5",
      "1,000",
      "1.0",
      "1e3",
      "12a",
      "$100000000",
      "$1G",
      "0xx1",
      "x-1",
      "2147483648",
      "-2147483649",
      "4294967296",
      "99999999999",
      "\xC2\xA0"
      "5",
      "5\n",
      std::string("5\0", 2),
  };
  for (const auto& text : texts) {
    testing::ExpectNotValid(ParseWholeNumber, text, "integer value");
  }
}

TEST(ParseWholeNumber, FailureIsAnException) {
  EXPECT_THROW(ParseWholeNumber(" 12a"), Exception);
}

TEST(FormatWholeNumber, WritesPlainDecimalDigits) {
  const std::vector<WholeNumberCase> cases = {
      {"0", 0},   {"-7", -7}, {"1000", 1000}, {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX},
      {"10", 10},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(FormatWholeNumber(value), text);
  }
}

TEST(FormatWholeNumber, ReadsBackAsTheSameNumber) {
  for (std::int64_t value = INT32_MIN; value <= INT32_MAX; value += 65537 * 31) {
    const auto number = static_cast<std::int32_t>(value);
    EXPECT_EQ(ParseWholeNumber(FormatWholeNumber(number)), number);
  }
}

TEST(TrimBlanks, RemovesControlCharactersAndSpacesAtBothEnds) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\t 5 \r\n", "5"},
      {"     ", ""},
      {"", ""},
      {"a b", "a b"},
      {std::string("\0x\0", 3), "x"},
      {"\x1F"
       "a\tb\x7F",
       "a\tb\x7F"},
      {"\xC2\xA0"
       "5",
       "\xC2\xA0"
       "5"},
  };
  for (const auto& [text, trimmed] : cases) {
    EXPECT_EQ(TrimBlanks(text), trimmed);
  }
}

}  // namespace
}  // namespace calc
