#pragma once

#include "fuzz_support.h"

namespace fuzz {

// Renders `value` by FormatHours under the given regional settings with both backends and
// checks what every rendering must satisfy: the backends agree; the grouped form is the
// ungrouped one with thousands separators between groups of three integer digits; no NUL; the
// pattern form stays within 25 characters and the scientific form within 22 (a sign, 15
// digits, the decimal separator, "E" and an exponent of at most 4932), each separator counting
// as one; and, where the settings let renderings read back, ParseReal reads the ungrouped form
// to within the rounding the pattern implies, and that value renders to the same text. With
// `asDouble` the value read back is narrowed to a double first, as the "Hrs / Wk" cell is.
void CheckHoursRendering(Native value, bool asDouble, const calc::RegionalSettings& settings);

}  // namespace fuzz
