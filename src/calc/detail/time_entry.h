#pragma once

// How the recalculation reads what was typed into a time cell, for it and for its checkers.

#include <optional>
#include <string_view>

#include "calc/extended.h"
#include "calc/regional.h"

namespace calc {

// The time of day of a non-empty entry, read after the a/p repair of FixTime or, where the repair
// spoils it, as typed; nothing when neither reads.
template <ExtendedArithmetic Real>
std::optional<double> TryReadTimeEntry(std::string_view typed, const RegionalSettings& settings);

}  // namespace calc
