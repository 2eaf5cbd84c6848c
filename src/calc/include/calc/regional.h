#pragma once

#include <string>
#include <string_view>

namespace calc {

// The five regional format values the conversions read at the moment of each call. Text is
// UTF-8: a one-character setting holds one Unicode code point as its UTF-8 bytes (U+00A0 and
// U+202F are real thousands separators), or nothing at all.
struct RegionalSettings {
  std::string decimalSeparator = ".";
  std::string thousandsSeparator = ",";
  std::string timeSeparator = ":";
  std::string amDesignator = "am";
  std::string pmDesignator = "pm";

  friend bool operator==(const RegionalSettings&, const RegionalSettings&) = default;
};

// The process-wide settings. Only the user-interface thread replaces them, between
// conversions, so no locking is needed.
const RegionalSettings& GetRegionalSettings();
void SetRegionalSettings(RegionalSettings settings);

// A one-character setting takes the locale's value only when it is exactly one character
// (code point) long; an empty value means no character; anything longer, or text that is not
// valid UTF-8, falls back to the default.
std::string OneCharacterSetting(std::string_view localeValue, std::string_view fallback);

// A designator takes the locale's text unchanged (at most 255 characters kept) and falls back
// to its default only when the locale gives nothing at all.
std::string DesignatorSetting(std::string_view localeValue, std::string_view fallback);

// The number of code points in UTF-8 text; a byte that does not belong to a valid sequence
// counts as one character of its own.
std::size_t CountCharacters(std::string_view text);

}  // namespace calc
