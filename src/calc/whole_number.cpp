#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "detail/not_valid.h"
#include "detail/text_scan.h"

namespace calc {
namespace {

[[noreturn]] void FailWholeNumber(std::string_view text) {
  FailNotValid(text, "integer value");
}

// The length of a hexadecimal prefix at the start of rest, or 0 when there is none.
std::size_t HexPrefixLength(std::string_view rest) {
  if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
    return 1;
  }
  if (rest.starts_with("0x") || rest.starts_with("0X")) {
    return 2;
  }
  return 0;
}

// Accumulates digits of one base into 32 unsigned bits; a digit arriving while the accumulator
// is above limit fails, which bounds the result below 2^32 without any wider arithmetic.
std::optional<std::uint32_t> AccumulateDigits(std::string_view digits, unsigned base,
                                              std::uint32_t limit) {
  if (digits.empty()) {
    return std::nullopt;
  }
  std::uint32_t accumulator = 0;
  for (const char c : digits) {
    const std::optional<unsigned> digit = DigitValue(c, base);
    if (!digit || accumulator > limit) {
      return std::nullopt;
    }
    accumulator = accumulator * base + *digit;
  }
  return accumulator;
}

}  // namespace

std::int32_t ParseWholeNumber(std::string_view text) {
  std::string_view rest = text;
  SkipSpaces(rest);
  const bool negative = TakeSign(rest);
  if (const std::size_t prefix = HexPrefixLength(rest); prefix != 0) {
    const std::optional<std::uint32_t> pattern =
        AccumulateDigits(rest.substr(prefix), 16, 0x0FFFFFFFU);
    if (!pattern) {
      FailWholeNumber(text);
    }
    // The 32 bits are a two's-complement pattern; "-" negates it with wrap-around.
    return static_cast<std::int32_t>(negative ? 0U - *pattern : *pattern);
  }
  const std::uint32_t largest = negative ? 2147483648U : 2147483647U;
  const std::optional<std::uint32_t> magnitude = AccumulateDigits(rest, 10, 214748364U);
  if (!magnitude || *magnitude > largest) {
    FailWholeNumber(text);
  }
  return static_cast<std::int32_t>(negative ? 0U - *magnitude : *magnitude);
}

std::string FormatWholeNumber(std::int32_t value) {
  // Unsigned negation gives the magnitude of -2147483648 too.
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (value < 0) {
    magnitude = 0U - magnitude;
  }
  char digits[10];
  char* const end = digits + sizeof digits;
  char* const begin = WriteDigitsBefore(magnitude, end);
  return (value < 0 ? "-" : "") + std::string(begin, end);
}

}  // namespace calc
