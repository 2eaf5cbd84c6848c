#include <string>
#include <string_view>

#include "calc/number_text.h"

namespace calc {

std::string TrimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) {
    ++begin;
  }
  while (end > begin && isBlank(text[end - 1])) {
    --end;
  }
  return std::string(text.substr(begin, end - begin));
}

}  // namespace calc
