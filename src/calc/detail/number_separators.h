#pragma once

#include <algorithm>
#include <string_view>

#include "calc/regional.h"

namespace calc {

// A NUL counts as no character: it is never written. Checked in line: every conversion of a
// real number asks.
inline bool HoldsCharacter(std::string_view separator) {
  return !separator.empty() &&
         std::find(separator.begin(), separator.end(), '\0') == separator.end();
}

// The decimal separator that real numbers are read and written with. A setting of no character
// would glue the integer digits to the decimals on output (12.5 would show as "125"), so the
// default "." stands in for it, on input as well so that what is written reads back.
inline std::string_view NumberDecimalSeparator(const RegionalSettings& settings) {
  return HoldsCharacter(settings.decimalSeparator) ? std::string_view(settings.decimalSeparator)
                                                   : std::string_view(".");
}

// The thousands separator that FormatHours groups with; empty means no grouping.
inline std::string_view NumberThousandsSeparator(const RegionalSettings& settings) {
  return HoldsCharacter(settings.thousandsSeparator) ? std::string_view(settings.thousandsSeparator)
                                                     : std::string_view();
}

}  // namespace calc
