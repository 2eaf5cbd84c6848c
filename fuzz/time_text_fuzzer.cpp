// Time text: FixTime, ParseTime on both backends, and FormatTime of what was read; then
// FormatTime of any double, which the grid never feeds it but which must still be harmless.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "calc/errors.h"
#include "calc/time_text.h"
#include "fuzz_support.h"

namespace {

using fuzz::Attempt;
using fuzz::Native;
using fuzz::Require;
using fuzz::Soft;

constexpr Native kMsPerDay = 86'400'000;
constexpr std::uint32_t kMsPerMinute = 60'000;

std::size_t FindLetter(std::string_view text, char upper) {
  return text.find_first_of(std::string{upper, static_cast<char>(upper - 'A' + 'a')});
}

// Without an "m" in any case, a capital "M" goes behind the first "p", else the first "a".
void CheckFixTime(std::string_view text, const std::string& fixed) {
  std::string expected(text);
  if (FindLetter(text, 'M') == std::string_view::npos) {
    const std::size_t p = FindLetter(text, 'P');
    const std::size_t letter = p != std::string_view::npos ? p : FindLetter(text, 'A');
    if (letter != std::string_view::npos) {
      expected.insert(letter + 1, "M");
    }
  }
  Require(fixed == expected, "FixTime inserts one M behind the first p or a", fuzz::Escaped(fixed));
  Require(calc::FixTime(fixed) == fixed, "FixTime is idempotent", fuzz::Escaped(fixed));
}

// The milliseconds since midnight of the time of day `timeOfDay` stands for.
Native MillisecondsOf(double timeOfDay) {
  return static_cast<Native>(timeOfDay - std::floor(timeOfDay)) * kMsPerDay;
}

// "h<sep>nn am" or "h<sep>nn pm" with h from 1 to 12 without a leading zero and nn from 00 to
// 59; returns the milliseconds since midnight of the whole minute it shows.
std::optional<std::uint32_t> ReadRendering(std::string_view text, std::string_view separator) {
  const bool pm = text.ends_with(" pm");
  if (!pm && !text.ends_with(" am")) {
    return std::nullopt;
  }
  text.remove_suffix(3);
  if (text.size() < separator.size() + 3 || text.size() > separator.size() + 4) {
    return std::nullopt;
  }
  const std::string_view minuteText = text.substr(text.size() - 2);
  const std::string_view hourText = text.substr(0, text.size() - 2 - separator.size());
  const bool digitsOnly = minuteText.find_first_not_of("0123456789") == std::string_view::npos &&
                          hourText.find_first_not_of("0123456789") == std::string_view::npos;
  if (!digitsOnly || hourText.front() == '0' ||
      text.substr(hourText.size(), separator.size()) != separator) {
    return std::nullopt;
  }
  const auto hour = static_cast<std::uint32_t>(std::stoul(std::string(hourText)));
  const auto minute = static_cast<std::uint32_t>(std::stoul(std::string(minuteText)));
  if (hour < 1 || hour > 12 || minute > 59) {
    return std::nullopt;
  }
  return ((hour % 12 + (pm ? 12 : 0)) * 60 + minute) * kMsPerMinute;
}

// The rendering shows the whole minute in which the time falls, once the time is rounded to
// whole milliseconds; a time that rounds up to the next midnight shows midnight.
void CheckRendering(double timeOfDay, const calc::RegionalSettings& settings) {
  const std::string rendered = calc::FormatTimeAs<Native>(timeOfDay, settings);
  Require(rendered == calc::FormatTimeAs<Soft>(timeOfDay, settings),
          "both backends render a time alike", rendered);
  if (!std::isfinite(timeOfDay)) {
    Require(rendered == (std::isnan(timeOfDay) ? "NAN"
                         : timeOfDay < 0       ? "-INF"
                                               : "INF"),
            "a non-number renders as its mark", rendered);
    return;
  }
  Require(calc::FixTime(rendered) == rendered, "FixTime leaves a rendering alone", rendered);
  const std::optional<std::uint32_t> shown = ReadRendering(rendered, settings.timeSeparator);
  Require(shown.has_value(), "FormatTime writes h:nn am/pm", fuzz::Escaped(rendered));
  const Native milliseconds = MillisecondsOf(timeOfDay);
  const bool wraps = milliseconds >= kMsPerDay - 0.5L;
  const Native offset = milliseconds - static_cast<Native>(*shown);
  Require((wraps && *shown == 0) || (offset >= -0.5L && offset <= kMsPerMinute - 0.5L),
          "FormatTime shows the minute of the time", rendered);
  if (!fuzz::RenderingsReadBack(settings)) {
    return;
  }
  const auto reread =
      Attempt<calc::EConvertError>([&] { return calc::ParseTimeAs<Native>(rendered, settings); });
  Require(!reread.Failed(), "a rendering of FormatTime reads back", rendered);
  Require(std::nearbyint(MillisecondsOf(*reread.value)) == static_cast<Native>(*shown),
          "a rendering reads back to the hour and minute it shows", rendered);
}

void CheckParse(std::string_view text, const calc::RegionalSettings& settings) {
  const auto native =
      Attempt<calc::EConvertError>([&] { return calc::ParseTimeAs<Native>(text, settings); });
  const auto soft =
      Attempt<calc::EConvertError>([&] { return calc::ParseTimeAs<Soft>(text, settings); });
  fuzz::RequireSameOutcome(native, soft, "both backends parse a time alike");
  const std::optional<double> tried = calc::TryParseTimeAs<Native>(text, settings);
  Require(
      tried.has_value() == !native.Failed() && (!tried || fuzz::SameBits(*tried, *native.value)),
      "TryParseTime agrees with ParseTime");
  if (native.Failed()) {
    Require(fuzz::QuotesText(native.message, text, " is not a valid time"),
            "a failed time quotes the text as given", native.message);
    return;
  }
  const double timeOfDay = *native.value;
  Require(timeOfDay >= 0 && timeOfDay < 1, "a parsed time lies within the day");
  const Native milliseconds = MillisecondsOf(timeOfDay);
  Require(std::fabs(milliseconds - std::nearbyint(milliseconds)) < 1e-6L,
          "a parsed time is a whole number of milliseconds");
  CheckRendering(timeOfDay, settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  calc::RegionalSettings settings;
  const std::string_view text = fuzz::TakeSettingsLine(fuzz::BeginInput(data, size), settings);
  const std::string fixed = calc::FixTime(text);
  CheckFixTime(text, fixed);
  CheckParse(text, settings);
  if (fixed != text) {
    CheckParse(fixed, settings);
  }
  if (text.size() >= sizeof(double)) {
    double anyDouble = 0;
    std::memcpy(&anyDouble, text.data(), sizeof anyDouble);
    CheckRendering(anyDouble, settings);
  }
  return 0;
}
