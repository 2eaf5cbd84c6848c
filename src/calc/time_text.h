#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/extended.h"
#include "calc/regional.h"

namespace calc {

// Repairs the commonest shorthand, a lone "p" or "a": when the text holds no "M" in any case,
// a capital "M" goes directly behind its first "P" (else its first "A"), case ignored for the
// 26 ASCII letters only. Nothing is removed, trimmed or re-cased. Never fails.
std::string FixTime(std::string_view text);

// Reads a time of day under the given regional settings, or the process-wide ones: an optional
// designator, the hour, then optionally minute, second (time separator) and milliseconds (decimal
// separator), then the designator if none stood in front. Returns (milliseconds since midnight) /
// 86,400,000, divided in `Real` and rounded to a double. Throws EConvertError "'<text>' is not a
// valid time" quoting the text as given.
template <ExtendedArithmetic Real>
double ParseTimeAs(std::string_view text, const RegionalSettings& settings);
template <ExtendedArithmetic Real>
double ParseTimeAs(std::string_view text) {
  return ParseTimeAs<Real>(text, GetRegionalSettings());
}
inline double ParseTime(std::string_view text, const RegionalSettings& settings) {
  return ParseTimeAs<Extended>(text, settings);
}
inline double ParseTime(std::string_view text) {
  return ParseTimeAs<Extended>(text);
}

// The same reading without an exception: nothing when the text is no time.
template <ExtendedArithmetic Real>
std::optional<double> TryParseTimeAs(std::string_view text, const RegionalSettings& settings);
template <ExtendedArithmetic Real>
std::optional<double> TryParseTimeAs(std::string_view text) {
  return TryParseTimeAs<Real>(text, GetRegionalSettings());
}

// Renders a time of day by the pattern "h:nn am/pm" with the regional time separator; seconds
// and milliseconds are dropped. The product with 86,400,000 is formed in `Real`. A value
// outside 0 <= t < 1 renders the time of day of its fractional part t - floor(t), the way a
// count of days plus a time of day would; not-a-number renders as "NAN" and infinities as
// "INF" / "-INF", texts that no parse reads back as a time. Never fails.
template <ExtendedArithmetic Real>
std::string FormatTimeAs(double timeOfDay, const RegionalSettings& settings);
template <ExtendedArithmetic Real>
std::string FormatTimeAs(double timeOfDay) {
  return FormatTimeAs<Real>(timeOfDay, GetRegionalSettings());
}
inline std::string FormatTime(double timeOfDay, const RegionalSettings& settings) {
  return FormatTimeAs<Extended>(timeOfDay, settings);
}
inline std::string FormatTime(double timeOfDay) {
  return FormatTimeAs<Extended>(timeOfDay);
}

}  // namespace calc
