#pragma once

// Conversions between numbers and the text of the grid cells and result labels. Each is a pure
// function of its argument and of the regional settings it is given, or of the process-wide
// ones as they stand at the call, whatever floating-point modes the caller left (see
// fp_environment.h). Text is UTF-8; separators may be several bytes long and match as a unit.

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/extended.h"
#include "calc/regional.h"

namespace calc {

// A 32-bit whole number in decimal, or hexadecimal after "$", "x", "X", "0x" or "0X"; spaces
// only in front. Throws EConvertError "'<text>' is not a valid integer value".
std::int32_t ParseWholeNumber(std::string_view text);

// Plain decimal digits, with "-" for a negative number; no grouping.
std::string FormatWholeNumber(std::int32_t value);

// A decimal number with optional sign, decimal separator and exponent, spaces around it,
// accumulated digit by digit in 80-bit arithmetic and scaled by rounded powers of ten. Throws
// EConvertError "'<text>' is not a valid floating point value" for any other text and for a
// value or intermediate step beyond the 80-bit range.
template <ExtendedArithmetic Real = Extended>
Real ParseRealAs(std::string_view text, const RegionalSettings& settings = GetRegionalSettings());

// The nearest double; a finite value beyond the double range throws EOverflow "Floating point
// overflow". Infinities and NaN pass through as they are.
template <ExtendedArithmetic Real = Extended>
double NarrowToDoubleAs(Real value);

// The pattern "###,##0.##" with the regional separators: at most two decimals, rounded half up
// on an 18-digit decimal image; "1.5E18" form from 10^18 on; "INF", "-INF", "NAN".
template <ExtendedArithmetic Real = Extended>
std::string FormatHoursAs(Real value, const RegionalSettings& settings = GetRegionalSettings());

// The same rendering without thousands separators, so that ParseReal reads it back.
template <ExtendedArithmetic Real = Extended>
std::string FormatHoursUngroupedAs(Real value,
                                   const RegionalSettings& settings = GetRegionalSettings());

// The same entry points in this build's Extended.
inline Extended ParseReal(std::string_view text,
                          const RegionalSettings& settings = GetRegionalSettings()) {
  return ParseRealAs(text, settings);
}
inline double NarrowToDouble(Extended value) {
  return NarrowToDoubleAs(value);
}
// A double, or any number Extended holds exactly, is rendered as that Extended.
template <class Number>
requires std::constructible_from<Extended, Number> std::string FormatHours(
    Number value, const RegionalSettings& settings = GetRegionalSettings()) {
  return FormatHoursAs(Extended(value), settings);
}
template <class Number>
requires std::constructible_from<Extended, Number> std::string FormatHoursUngrouped(
    Number value, const RegionalSettings& settings = GetRegionalSettings()) {
  return FormatHoursUngroupedAs(Extended(value), settings);
}

// The text without the characters of code 32 or less at either end.
std::string TrimBlanks(std::string_view text);

}  // namespace calc
