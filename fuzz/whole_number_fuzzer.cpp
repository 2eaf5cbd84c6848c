// Whole-number text: ParseWholeNumber against a second reading of the same rules, the exact
// round trip through FormatWholeNumber, and the blank trimming that decides whether a row
// takes part.

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "fuzz_support.h"

namespace {

using fuzz::Require;

// With the leading zeros dropped, at most 8 hexadecimal or 10 decimal digits can fit; what
// remains is a range check (decimal) or a 32-bit pattern (hexadecimal).
std::optional<std::uint64_t> Magnitude(std::string_view digits, int base) {
  const std::size_t significant = digits.find_first_not_of('0');
  const std::string_view kept =
      significant == std::string_view::npos ? digits.substr(0, 1) : digits.substr(significant);
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(kept.data(), kept.data() + kept.size(), value, base);
  const std::size_t maxDigits = base == 16 ? 8 : 10;
  if (digits.empty() || kept.size() > maxDigits || error != std::errc() ||
      end != kept.data() + kept.size()) {
    return std::nullopt;
  }
  return value;
}

int TakeBase(std::string_view& text) {
  for (const std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (text.starts_with(prefix)) {
      text.remove_prefix(prefix.size());
      return 16;
    }
  }
  return 10;
}

std::optional<std::int32_t> ExpectedValue(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) {
    text.remove_prefix(1);
  }
  const int base = TakeBase(text);
  const std::optional<std::uint64_t> magnitude = Magnitude(text, base);
  if (!magnitude) {
    return std::nullopt;
  }
  if (base == 16) {
    const auto bits = static_cast<std::uint32_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? 0U - bits : bits);
  }
  if (*magnitude > (negative ? 2147483648U : 2147483647U)) {
    return std::nullopt;
  }
  const auto value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

void CheckRoundTrip(std::int32_t value) {
  const std::string text = calc::FormatWholeNumber(value);
  Require(text == std::to_string(value), "FormatWholeNumber writes plain decimal digits", text);
  Require(calc::ParseWholeNumber(text) == value, "a rendered whole number reads back exactly",
          text);
}

void CheckParse(std::string_view text) {
  const auto parsed =
      fuzz::Attempt<calc::EConvertError>([&] { return calc::ParseWholeNumber(text); });
  const std::optional<std::int32_t> expected = ExpectedValue(text);
  Require(parsed.value == expected, "ParseWholeNumber reads what the rules imply",
          parsed.Failed() ? "it failed" : "value " + std::to_string(*parsed.value));
  if (parsed.Failed()) {
    Require(fuzz::QuotesText(parsed.message, text, " is not a valid integer value"),
            "a failed whole number quotes the text as given", parsed.message);
    return;
  }
  CheckRoundTrip(*parsed.value);
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// The kept run starts at the first non-blank character, so its first occurrence is the one.
void CheckTrimBlanks(std::string_view text) {
  const std::string trimmed = calc::TrimBlanks(text);
  const std::size_t begin = text.find(trimmed);
  const bool ends = trimmed.empty() || (!IsBlank(trimmed.front()) && !IsBlank(trimmed.back()));
  Require(begin != std::string_view::npos && ends, "TrimBlanks keeps a run without blank ends",
          fuzz::Escaped(trimmed));
  for (const std::string_view cut : {text.substr(0, begin), text.substr(begin + trimmed.size())}) {
    for (const char c : cut) {
      Require(IsBlank(c), "TrimBlanks removes only blanks", fuzz::Escaped(trimmed));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::BeginInput(data, size);
  CheckParse(text);
  CheckTrimBlanks(text);
  if (size >= sizeof(std::int32_t)) {
    std::int32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    CheckRoundTrip(value);
  }
  return 0;
}
