#pragma once

// Small steps of reading a number from the front of its text, shared by the conversions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace calc {

// An ASCII decimal digit; no other script's digits count.
inline bool IsDigit(char c) {
  return static_cast<unsigned char>(c) - unsigned{'0'} <= 9U;
}

inline bool StartsWithDigit(std::string_view rest) {
  return !rest.empty() && IsDigit(rest.front());
}

// The value of a digit of base 10 or 16, either case for the letters.
inline std::optional<unsigned> DigitValue(char c, unsigned base) {
  const auto byte = static_cast<unsigned char>(c);
  if (IsDigit(c)) {
    return byte - unsigned{'0'};
  }
  if (base == 16 && byte >= 'a' && byte <= 'f') {
    return byte - unsigned{'a'} + 10;
  }
  if (base == 16 && byte >= 'A' && byte <= 'F') {
    return byte - unsigned{'A'} + 10;
  }
  return std::nullopt;
}

// The decimal digits of `value`, written to end just before `end`; returns where they begin.
inline char* WriteDigitsBefore(std::uint64_t value, char* end) {
  do {
    *--end = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  return end;
}

// The conversions skip spaces (code 32) only; other blanks are TrimBlanks's business.
inline void SkipSpaces(std::string_view& rest) {
  while (rest.starts_with(' ')) {
    rest.remove_prefix(1);
  }
}

// Takes an optional "-" or "+"; true when the number is negative.
inline bool TakeSign(std::string_view& rest) {
  const bool negative = rest.starts_with('-');
  if (negative || rest.starts_with('+')) {
    rest.remove_prefix(1);
  }
  return negative;
}

// Takes `prefix` (a separator: a few bytes) off the front when the text starts with it. The
// loop stays in line, where a library comparison would cost more than the comparison itself.
inline bool TakePrefix(std::string_view& rest, std::string_view prefix) {
  if (rest.size() < prefix.size()) {
    return false;
  }
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (rest[i] != prefix[i]) {
      return false;
    }
  }
  rest.remove_prefix(prefix.size());
  return true;
}

}  // namespace calc
