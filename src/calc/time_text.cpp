#include "calc/time_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

#include "calc/regional.h"
#include "detail/arithmetic.h"
#include "detail/fp_environment.h"
#include "detail/not_valid.h"
#include "detail/text_scan.h"
#include "detail/time_entry.h"

namespace calc {
namespace {

constexpr std::uint32_t kMsPerSecond = 1'000;
constexpr std::uint32_t kMsPerMinute = 60 * kMsPerSecond;
constexpr std::uint32_t kMsPerHour = 60 * kMsPerMinute;
constexpr std::uint32_t kMsPerDay = 24 * kMsPerHour;

// Only the 26 ASCII letters are folded: designators such as "오전" or "ap." still match as
// whole units byte for byte, since UTF-8 continuation and lead bytes are never ASCII.
char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The no-break spaces that locale data puts inside and before designators ("a.\u00A0m.",
// "\u202Fpm"), where a user types an ordinary space.
constexpr std::array<std::string_view, 2> kNoBreakSpaces{"\xC2\xA0", "\xE2\x80\xAF"};

std::size_t NoBreakSpaceLength(std::string_view text) {
  for (const std::string_view space : kNoBreakSpaces) {
    if (text.starts_with(space)) {
      return space.size();
    }
  }
  return 0;
}

// The length of the text's start that matches the designator, ignoring the case of ASCII letters
// and taking an ordinary space for a no-break space and the other way round; nothing when the
// start does not match.
std::optional<std::size_t> MatchDesignator(std::string_view text, std::string_view designator) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < designator.size();) {
    const std::size_t spaceInDesignator = NoBreakSpaceLength(designator.substr(i));
    if (spaceInDesignator != 0 && at < text.size() && text[at] == ' ') {
      i += spaceInDesignator;
      ++at;
      continue;
    }
    const std::size_t spaceInText = NoBreakSpaceLength(text.substr(at));
    if (spaceInText != 0 && designator[i] == ' ') {
      at += spaceInText;
      ++i;
      continue;
    }
    if (at >= text.size() || FoldAscii(text[at]) != FoldAscii(designator[i])) {
      return std::nullopt;
    }
    ++at;
    ++i;
  }
  return at;
}

std::size_t FindIgnoringAsciiCase(std::string_view text, char upperLetter) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (FoldAscii(text[i]) == upperLetter) {
      return i;
    }
  }
  return std::string_view::npos;
}

// Walks a time text; every scanning step first passes the blanks (spaces only) in front of
// it, and those stay passed whether or not the step then matches.
class TimeScanner {
 public:
  explicit TimeScanner(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') {
      ++pos_;
    }
  }

  bool AtEnd() const { return pos_ == text_.size(); }

  // A separator setting of no character never matches.
  bool TakeSeparator(std::string_view separator) {
    SkipBlanks();
    if (separator.empty() || text_.substr(pos_, separator.size()) != separator) {
      return false;
    }
    pos_ += separator.size();
    return true;
  }

  // Returns the base hour of the first designator that matches, trying the regional AM
  // designator, "AM", the regional PM designator and "PM" in that order; empty ones are skipped.
  std::optional<std::uint32_t> TakeDesignator(const RegionalSettings& settings) {
    const std::array<std::pair<std::string_view, std::uint32_t>, 4> candidates{{
        {settings.amDesignator, 0},
        {"AM", 0},
        {settings.pmDesignator, 12},
        {"PM", 12},
    }};
    const std::size_t blanksFrom = pos_;
    SkipBlanks();
    for (const auto& [designator, baseHour] : candidates) {
      if (designator.empty()) {
        continue;
      }
      // A designator that begins with a no-break space takes the last blank passed for it.
      const bool leadingSpace = NoBreakSpaceLength(designator) != 0 && pos_ > blanksFrom;
      const std::size_t from = leadingSpace ? pos_ - 1 : pos_;
      if (const auto length = MatchDesignator(text_.substr(from), designator)) {
        pos_ = from + *length;
        return baseHour;
      }
    }
    return std::nullopt;
  }

  // Digits read as an unsigned number; reading stops once the value reaches 1000, which fails
  // every field's range anyway, so a long run of digits costs no more than it is long.
  std::optional<std::uint32_t> TakeNumber() {
    SkipBlanks();
    if (pos_ == text_.size() || !IsDigit(text_[pos_])) {
      return std::nullopt;
    }
    std::uint32_t value = 0;
    while (pos_ < text_.size() && IsDigit(text_[pos_]) && value < 1000) {
      value = value * 10 + static_cast<std::uint32_t>(text_[pos_] - '0');
      ++pos_;
    }
    return value;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

struct TimeFields {
  std::uint32_t hour = 0;
  std::uint32_t minute = 0;
  std::uint32_t second = 0;
  std::uint32_t millisecond = 0;
};

// Reads minute, second and milliseconds behind the hour; a separator taken without a number
// after it fails.
std::optional<TimeFields> ReadTrailingFields(TimeScanner& scanner, std::uint32_t hour,
                                             const RegionalSettings& settings) {
  TimeFields fields{.hour = hour};
  const std::array<std::pair<std::string_view, std::uint32_t*>, 3> steps{{
      {settings.timeSeparator, &fields.minute},
      {settings.timeSeparator, &fields.second},
      {settings.decimalSeparator, &fields.millisecond},
  }};
  for (const auto& [separator, field] : steps) {
    if (!scanner.TakeSeparator(separator)) {
      return fields;
    }
    const std::optional<std::uint32_t> number = scanner.TakeNumber();
    if (!number) {
      return std::nullopt;
    }
    *field = *number;
  }
  return fields;
}

// With a designator the hour runs 1 to 12 and 12 stands for 0.
std::optional<std::uint32_t> HourOfDay(std::uint32_t hour, std::optional<std::uint32_t> baseHour) {
  if (!baseHour) {
    return hour;
  }
  if (hour < 1 || hour > 12) {
    return std::nullopt;
  }
  return hour % 12 + *baseHour;
}

std::optional<std::uint32_t> ReadMilliseconds(std::string_view text,
                                              const RegionalSettings& settings) {
  TimeScanner scanner(text);
  std::optional<std::uint32_t> baseHour = scanner.TakeDesignator(settings);
  const std::optional<std::uint32_t> hour = scanner.TakeNumber();
  if (!hour) {
    return std::nullopt;
  }
  const std::optional<TimeFields> fields = ReadTrailingFields(scanner, *hour, settings);
  if (!fields) {
    return std::nullopt;
  }
  if (!baseHour) {
    baseHour = scanner.TakeDesignator(settings);
  }
  const std::optional<std::uint32_t> hourOfDay = HourOfDay(fields->hour, baseHour);
  scanner.SkipBlanks();
  const bool inRange = hourOfDay && *hourOfDay < 24 && fields->minute < 60 && fields->second < 60 &&
                       fields->millisecond < 1000;
  if (!inRange || !scanner.AtEnd()) {
    return std::nullopt;
  }
  return *hourOfDay * kMsPerHour + fields->minute * kMsPerMinute + fields->second * kMsPerSecond +
         fields->millisecond;
}

// The whole milliseconds since midnight of the time of day of t, which is finite.
template <ExtendedArithmetic Real>
std::uint32_t MillisecondOfDay(double timeOfDay) {
  const double dayFraction = timeOfDay - std::floor(timeOfDay);
  const Real milliseconds = RoundToInteger(Real(dayFraction) * Real(kMsPerDay));
  return static_cast<std::uint32_t>(ToUint64(milliseconds) % kMsPerDay);
}

std::string TwoDigits(std::uint32_t value) {
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::string FixTime(std::string_view text) {
  std::string fixed(text);
  if (FindIgnoringAsciiCase(fixed, 'M') != std::string::npos) {
    return fixed;
  }
  std::size_t letter = FindIgnoringAsciiCase(fixed, 'P');
  if (letter == std::string::npos) {
    letter = FindIgnoringAsciiCase(fixed, 'A');
  }
  if (letter != std::string::npos) {
    fixed.insert(letter + 1, 1, 'M');
  }
  return fixed;
}

template <ExtendedArithmetic Real>
std::optional<double> TryParseTimeAs(std::string_view text, const RegionalSettings& settings) {
  const DefaultFloatingPointModes floatingPointModes;
  const ArithmeticScope<Real> arithmetic;
  const std::optional<std::uint32_t> milliseconds = ReadMilliseconds(text, settings);
  if (!milliseconds) {
    return std::nullopt;
  }
  double timeOfDay = RoundToDouble(Real(*milliseconds) / Real(kMsPerDay));
  DefaultFloatingPointModes::Pin(timeOfDay);
  return timeOfDay;
}

template <ExtendedArithmetic Real>
double ParseTimeAs(std::string_view text, const RegionalSettings& settings) {
  const std::optional<double> timeOfDay = TryParseTimeAs<Real>(text, settings);
  if (!timeOfDay) {
    FailNotValid(text, "time");
  }
  return *timeOfDay;
}

// The a/p repair comes first. Where it spoils a regional designator without an "m" in it, such
// as "ip." or "odp.", the text is read as typed; with designators that hold an "m" the repair
// never changes a text that reads as typed, so this only rescues entries.
template <ExtendedArithmetic Real>
std::optional<double> TryReadTimeEntry(std::string_view typed, const RegionalSettings& settings) {
  const std::string fixed = FixTime(typed);
  const std::optional<double> timeOfDay = TryParseTimeAs<Real>(fixed, settings);
  return timeOfDay || fixed == typed ? timeOfDay : TryParseTimeAs<Real>(typed, settings);
}

template <ExtendedArithmetic Real>
std::string FormatTimeAs(double timeOfDay, const RegionalSettings& settings) {
  const DefaultFloatingPointModes floatingPointModes;
  const ArithmeticScope<Real> arithmetic;
  DefaultFloatingPointModes::Pin(timeOfDay);
  if (std::isnan(timeOfDay)) {
    return "NAN";
  }
  if (std::isinf(timeOfDay)) {
    return timeOfDay < 0 ? "-INF" : "INF";
  }
  const std::uint32_t milliseconds = MillisecondOfDay<Real>(timeOfDay);
  const std::uint32_t hour = milliseconds / kMsPerHour;
  const std::uint32_t minute = milliseconds / kMsPerMinute % 60;
  const std::uint32_t clockHour = hour % 12 == 0 ? 12 : hour % 12;
  return std::to_string(clockHour) + settings.timeSeparator + TwoDigits(minute) +
         (hour < 12 ? " am" : " pm");
}

#define INSTANTIATE(Real)                                                                         \
  template double ParseTimeAs<Real>(std::string_view, const RegionalSettings&);                   \
  template std::optional<double> TryParseTimeAs<Real>(std::string_view, const RegionalSettings&); \
  template std::string FormatTimeAs<Real>(double, const RegionalSettings&);                       \
  template std::optional<double> TryReadTimeEntry<Real>(std::string_view, const RegionalSettings&);
SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE)
#undef INSTANTIATE

}  // namespace calc
