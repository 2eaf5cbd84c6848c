#include "hours_checks.h"

#include <cmath>
#include <string>
#include <string_view>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "detail/number_separators.h"

namespace fuzz {
namespace {

constexpr std::size_t kPatternLimit = 25;
constexpr std::size_t kScientificLimit = 22;
constexpr Native kScientificFrom = 1e18L;

// Thousands separators between groups of three digits of the leading run of digits.
std::string Regroup(std::string_view ungrouped, std::string_view separator) {
  const std::size_t begin = ungrouped.starts_with('-') ? 1 : 0;
  const std::size_t digits = ungrouped.find_first_not_of("0123456789", begin);
  const std::size_t end = digits == std::string_view::npos ? ungrouped.size() : digits;
  std::string grouped(ungrouped.substr(0, begin));
  for (std::size_t i = begin; i < end; ++i) {
    grouped += ungrouped[i];
    const std::size_t toTheRight = end - 1 - i;
    if (toTheRight > 0 && toTheRight % 3 == 0) {
      grouped += separator;
    }
  }
  grouped += ungrouped.substr(end);
  return grouped;
}

Soft ToSoft(Native value) {
  return calc::FromX87BitsAs<Soft>(calc::ToX87Bits(value));
}

// Half a unit of the last kept digit: the second decimal in the pattern, the fifteenth
// significant digit in the scientific form; and a little for the parse and the narrowing.
Native Tolerance(Native value, bool scientific) {
  const Native magnitude = std::fabs(value);
  return scientific ? 6e-15L * magnitude : 0.005L * (1 + 1e-9L) + 3e-16L * magnitude;
}

void CheckReadsBack(Native value, const std::string& ungrouped, bool scientific, bool asDouble,
                    const calc::RegionalSettings& settings) {
  const auto native =
      Attempt<calc::EConvertError>([&] { return calc::ParseRealAs<Native>(ungrouped, settings); });
  const auto soft =
      Attempt<calc::EConvertError>([&] { return calc::ParseRealAs<Soft>(ungrouped, settings); });
  RequireSameOutcome(native, soft, "both backends read a rendering back alike");
  Require(!native.Failed(), "a rendering of FormatHours reads back", ungrouped);
  Native reread = *native.value;
  if (asDouble) {
    // The fifteen digits of the largest doubles round past the double range; the
    // recalculation refuses such weekly hours.
    const auto narrowed =
        Attempt<calc::EOverflow>([&] { return calc::NarrowToDoubleAs<Native>(reread); });
    if (narrowed.Failed()) {
      return;
    }
    reread = *narrowed.value;
  }
  Require(std::fabs(reread - value) <= Tolerance(value, scientific),
          "a rendering reads back to the value rounded as the pattern implies", ungrouped);
  Require(calc::FormatHoursUngroupedAs<Native>(reread, settings) == ungrouped,
          "the value read back from a rendering renders identically", ungrouped);
}

}  // namespace

void CheckHoursRendering(Native value, bool asDouble, const calc::RegionalSettings& settings) {
  const std::string grouped = calc::FormatHoursAs<Native>(value, settings);
  const std::string ungrouped = calc::FormatHoursUngroupedAs<Native>(value, settings);
  Require(grouped == calc::FormatHoursAs<Soft>(ToSoft(value), settings) &&
              ungrouped == calc::FormatHoursUngroupedAs<Soft>(ToSoft(value), settings),
          "both backends render hours alike", grouped);
  const std::string_view decimal = calc::NumberDecimalSeparator(settings);
  // A digit as the decimal separator would make the integer digits impossible to tell apart.
  const bool digitDecimal = decimal.front() >= '0' && decimal.front() <= '9';
  Require(digitDecimal || grouped == Regroup(ungrouped, calc::NumberThousandsSeparator(settings)),
          "the grouped rendering only adds thousands separators", grouped + " / " + ungrouped);
  Require(grouped.find('\0') == std::string::npos, "FormatHours never writes a NUL");
  if (std::isnan(value)) {
    Require(grouped == "NAN", "not-a-number renders as NAN", grouped);
    return;
  }
  if (std::isinf(value)) {
    Require(grouped == (value < 0 ? "-INF" : "INF"), "an infinity renders as INF", grouped);
    return;
  }
  const bool scientific = std::fabs(value) >= kScientificFrom;
  const std::size_t characters = calc::CountCharacters(grouped);
  Require(characters <= (scientific ? kScientificLimit : kPatternLimit),
          "a rendering of FormatHours stays within its length", grouped);
  Require(grouped != "-0" && (!grouped.starts_with('-') || value < 0),
          "only a negative value that does not round to zero renders a sign", grouped);
  if (RenderingsReadBack(settings)) {
    CheckReadsBack(value, ungrouped, scientific, asDouble, settings);
  }
}

}  // namespace fuzz
