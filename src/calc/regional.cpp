#include "calc/regional.h"

#include <cstddef>
#include <utility>

namespace calc {
namespace {

RegionalSettings& CurrentSettings() {
  static RegionalSettings settings;
  return settings;
}

// Length of the well-formed UTF-8 sequence starting at text[pos], or 0 when the bytes there
// are no valid sequence (overlong forms, surrogates and values past U+10FFFF included).
std::size_t SequenceLength(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  const auto continuation = [&](std::size_t i) {
    return pos + i < text.size() && (byte(i) & 0xC0U) == 0x80U;
  };
  const unsigned char lead = byte(0);
  if (lead < 0x80U) {
    return 1;
  }
  if (lead >= 0xC2U && lead <= 0xDFU) {
    return continuation(1) ? 2 : 0;
  }
  if (lead >= 0xE0U && lead <= 0xEFU) {
    if (!continuation(1) || !continuation(2)) {
      return 0;
    }
    const bool overlong = lead == 0xE0U && byte(1) < 0xA0U;
    const bool surrogate = lead == 0xEDU && byte(1) >= 0xA0U;
    return overlong || surrogate ? 0 : 3;
  }
  if (lead >= 0xF0U && lead <= 0xF4U) {
    if (!continuation(1) || !continuation(2) || !continuation(3)) {
      return 0;
    }
    const bool overlong = lead == 0xF0U && byte(1) < 0x90U;
    const bool tooLarge = lead == 0xF4U && byte(1) >= 0x90U;
    return overlong || tooLarge ? 0 : 4;
  }
  return 0;
}

// Where the character at text[pos] ends: a byte that belongs to no valid sequence is a
// character of its own. Every walk over settings text steps with this.
std::size_t NextCharacter(std::string_view text, std::size_t pos) {
  const std::size_t length = SequenceLength(text, pos);
  return pos + (length == 0 ? 1 : length);
}

}  // namespace

const RegionalSettings& GetRegionalSettings() {
  return CurrentSettings();
}

void SetRegionalSettings(RegionalSettings settings) {
  CurrentSettings() = std::move(settings);
}

std::size_t CountCharacters(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos = NextCharacter(text, pos)) {
    ++count;
  }
  return count;
}

std::string OneCharacterSetting(std::string_view localeValue, std::string_view fallback) {
  if (localeValue.empty()) {
    return {};
  }
  // Exactly one character: one valid sequence that spans the whole value.
  if (SequenceLength(localeValue, 0) == localeValue.size()) {
    return std::string(localeValue);
  }
  return std::string(fallback);
}

std::string DesignatorSetting(std::string_view localeValue, std::string_view fallback) {
  constexpr std::size_t kMaxCharacters = 255;
  if (localeValue.empty()) {
    return std::string(fallback);
  }
  std::size_t pos = 0;
  for (std::size_t kept = 0; pos < localeValue.size() && kept < kMaxCharacters; ++kept) {
    pos = NextCharacter(localeValue, pos);
  }
  return std::string(localeValue.substr(0, pos));
}

}  // namespace calc
