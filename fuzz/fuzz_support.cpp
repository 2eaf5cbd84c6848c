#include "fuzz_support.h"

#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>

#include "detail/number_separators.h"
#include "detail/text_scan.h"

namespace fuzz {
namespace {

using calc::StartsWithDigit;

std::string_view currentInput;

// Designators match without regard to the case of ASCII letters; `lower` is in lower case.
bool EqualsFolded(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) {
    return false;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c =
        text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != lower[i]) {
      return false;
    }
  }
  return true;
}

// A rendering ends in " am" or " pm"; a designator tried before the literal "AM" or "PM" must
// not match only a part of it, nor "pm" as the morning.
bool DesignatorsReadBack(std::string_view am, std::string_view pm) {
  const bool amSwallows = EqualsFolded(am, "a") || EqualsFolded(am, "p") || EqualsFolded(am, "pm");
  return !StartsWithDigit(am) && !StartsWithDigit(pm) && !amSwallows && !EqualsFolded(pm, "p");
}

bool TimeSeparatorReadsBack(std::string_view separator) {
  return !separator.empty() && !StartsWithDigit(separator) && separator != " " &&
         separator != "a" && separator != "p";
}

// Tab-separated fields in the order of RegionalSettings; fields not given keep their defaults.
void ReadSettingsFields(std::string_view line, calc::RegionalSettings& settings) {
  const calc::RegionalSettings defaults;
  const std::array<std::pair<std::string*, const std::string*>, 5> fields{{
      {&settings.decimalSeparator, &defaults.decimalSeparator},
      {&settings.thousandsSeparator, &defaults.thousandsSeparator},
      {&settings.timeSeparator, &defaults.timeSeparator},
      {&settings.amDesignator, &defaults.amDesignator},
      {&settings.pmDesignator, &defaults.pmDesignator},
  }};
  constexpr std::size_t kOneCharacterFields = 3;
  for (std::size_t field = 0; field < fields.size(); ++field) {
    const std::size_t tab = line.find('\t');
    const std::string_view value = line.substr(0, tab);
    const auto& [setting, fallback] = fields[field];
    if (field < kOneCharacterFields) {
      *setting = calc::OneCharacterSetting(value, *fallback);
    } else {
      *setting = value.empty() ? std::string() : calc::DesignatorSetting(value, *fallback);
    }
    if (tab == std::string_view::npos) {
      break;
    }
    line.remove_prefix(tab + 1);
  }
}

}  // namespace

std::string_view BeginInput(const std::uint8_t* data, std::size_t size) {
  currentInput =
      size == 0 ? std::string_view() : std::string_view(reinterpret_cast<const char*>(data), size);
  return currentInput;
}

void Violation(std::string_view property, std::string_view details) {
  std::fprintf(stderr, "\n*** property violated: %.*s\n*** %.*s\n*** input: \"%s\"\n",
               static_cast<int>(property.size()), property.data(), static_cast<int>(details.size()),
               details.data(), Escaped(currentInput).c_str());
  __builtin_trap();
}

std::string Escaped(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      escaped += c;
    } else {
      escaped += "\\x";
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0xF];
    }
  }
  return escaped;
}

std::string_view TakeSettingsLine(std::string_view input, calc::RegionalSettings& settings) {
  settings = calc::RegionalSettings{};
  const std::size_t lineEnd = input.find('\n');
  if (lineEnd == std::string_view::npos) {
    return input;
  }
  if (lineEnd != 0) {
    ReadSettingsFields(input.substr(0, lineEnd), settings);
  }
  return input.substr(lineEnd + 1);
}

bool RenderingsReadBack(const calc::RegionalSettings& settings) {
  const std::string_view decimal = calc::NumberDecimalSeparator(settings);
  return TimeSeparatorReadsBack(settings.timeSeparator) &&
         DesignatorsReadBack(settings.amDesignator, settings.pmDesignator) &&
         !StartsWithDigit(decimal) && decimal != "E";
}

bool QuotesText(const std::string& message, std::string_view text, std::string_view rest) {
  const std::string expected = "'" + std::string(text) + "'" + std::string(rest);
  return message == expected.substr(0, expected.find('\0'));
}

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace fuzz
