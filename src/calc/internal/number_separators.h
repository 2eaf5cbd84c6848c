#pragma once

#include <string_view>

#include "calc/regional.h"

namespace calc {

// The decimal separator that real numbers are read and written with. A setting of no character
// would glue the integer digits to the decimals on output (12.5 would show as "125"), so the
// default "." stands in for it, on input as well so that what is written reads back. A NUL
// counts as no character: it is never written.
std::string_view NumberDecimalSeparator(const RegionalSettings& settings);

// The thousands separator that FormatHours groups with; empty means no grouping.
std::string_view NumberThousandsSeparator(const RegionalSettings& settings);

}  // namespace calc
