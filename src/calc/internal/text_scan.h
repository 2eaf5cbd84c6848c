#pragma once

// Small steps of reading a number from the front of its text, shared by the conversions.

#include <string_view>

namespace calc {

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

}  // namespace calc
