#include <cstdint>
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

int DigitValue(char c, unsigned base) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= '0' && byte <= '9') {
    return byte - '0';
  }
  if (base == 16 && byte >= 'a' && byte <= 'f') {
    return byte - 'a' + 10;
  }
  if (base == 16 && byte >= 'A' && byte <= 'F') {
    return byte - 'A' + 10;
  }
  return -1;
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
bool AccumulateDigits(std::string_view digits, unsigned base, std::uint32_t limit,
                      std::uint32_t& accumulator) {
  if (digits.empty()) {
    return false;
  }
  accumulator = 0;
  for (const char c : digits) {
    const int digit = DigitValue(c, base);
    if (digit < 0 || accumulator > limit) {
      return false;
    }
    accumulator = accumulator * base + static_cast<std::uint32_t>(digit);
  }
  return true;
}

}  // namespace

std::int32_t ParseWholeNumber(std::string_view text) {
  std::string_view rest = text;
  SkipSpaces(rest);
  const bool negative = TakeSign(rest);
  std::uint32_t magnitude = 0;
  if (const std::size_t prefix = HexPrefixLength(rest); prefix != 0) {
    if (!AccumulateDigits(rest.substr(prefix), 16, 0x0FFFFFFFU, magnitude)) {
      FailWholeNumber(text);
    }
    // The 32 bits are a two's-complement pattern; "-" negates it with wrap-around.
    return static_cast<std::int32_t>(negative ? 0U - magnitude : magnitude);
  }
  const std::uint32_t largest = negative ? 2147483648U : 2147483647U;
  if (!AccumulateDigits(rest, 10, 214748364U, magnitude) || magnitude > largest) {
    FailWholeNumber(text);
  }
  return static_cast<std::int32_t>(negative ? 0U - magnitude : magnitude);
}

std::string FormatWholeNumber(std::int32_t value) {
  // Unsigned negation gives the magnitude of -2147483648 too.
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (value < 0) {
    magnitude = 0U - magnitude;
  }
  char digits[10];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::string text = value < 0 ? "-" : "";
  while (count != 0) {
    text += digits[--count];
  }
  return text;
}

}  // namespace calc
