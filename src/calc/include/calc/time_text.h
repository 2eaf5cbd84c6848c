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

// Reads a time of day: an optional designator, the hour, then optionally minute, second (time
// separator) and milliseconds (decimal separator), then the designator if none stood in front.
// Returns (milliseconds since midnight) / 86,400,000, divided in `Real` and rounded to a double.
// Throws EConvertError "'<text>' is not a valid time" quoting the text as given.
template <ExtendedArithmetic Real = Extended>
double ParseTimeAs(std::string_view text, const RegionalSettings& settings = GetRegionalSettings());

// The same reading without an exception: nothing when the text is no time.
template <ExtendedArithmetic Real = Extended>
std::optional<double> TryParseTimeAs(std::string_view text,
                                     const RegionalSettings& settings = GetRegionalSettings());

// Renders a time of day by the pattern "h:nn am/pm" with the regional time separator; seconds
// and milliseconds are dropped. The product with 86,400,000 is formed in `Real`. A value
// outside 0 <= t < 1 renders the time of day of its fractional part t - floor(t), the way a
// count of days plus a time of day would; not-a-number renders as "NAN" and infinities as
// "INF" / "-INF", texts that no parse reads back as a time. Never fails.
template <ExtendedArithmetic Real = Extended>
std::string FormatTimeAs(double timeOfDay,
                         const RegionalSettings& settings = GetRegionalSettings());

// The same entry points in this build's Extended.
inline double ParseTime(std::string_view text,
                        const RegionalSettings& settings = GetRegionalSettings()) {
  return ParseTimeAs(text, settings);
}
inline std::optional<double> TryParseTime(
    std::string_view text, const RegionalSettings& settings = GetRegionalSettings()) {
  return TryParseTimeAs(text, settings);
}
inline std::string FormatTime(double timeOfDay,
                              const RegionalSettings& settings = GetRegionalSettings()) {
  return FormatTimeAs(timeOfDay, settings);
}

}  // namespace calc
