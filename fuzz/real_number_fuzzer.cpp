// Real number text: ParseReal on both backends, checked against the correctly rounded strtold,
// then NarrowToDouble and FormatHours of the value, as the "Hrs / Wk" cell takes them.

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "detail/number_separators.h"
#include "fuzz_support.h"
#include "hours_checks.h"

namespace {

using fuzz::Attempt;
using fuzz::Native;
using fuzz::Require;
using fuzz::Soft;

// The digit-by-digit accumulation rounds at every step: over the longest mantissa that stays
// finite (about 4950 digits) that costs at most about 3e-16 of the value; values deep in the
// subnormal range lose more, relative to themselves, but never more than this absolute amount.
constexpr Native kRelativeTolerance = 1e-15L;
constexpr Native kAbsoluteTolerance = 1e-4940L;

// The text as the C library reads numbers: only with "." or "," as the decimal separator can
// the separator be told apart from everything else in an accepted text.
bool CheckAgainstStrtold(std::string text, Native value, const calc::RegionalSettings& settings) {
  const std::string_view decimal = calc::NumberDecimalSeparator(settings);
  if (decimal == ",") {
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos) {
      text[comma] = '.';
    }
  } else if (decimal != ".") {
    return true;
  }
  const Native expected = std::strtold(text.c_str(), nullptr);
  const Native difference = std::fabs(value - expected);
  return difference <= kRelativeTolerance * std::fabs(expected) + kAbsoluteTolerance;
}

void CheckNarrowing(Native value, const calc::RegionalSettings& settings) {
  const auto native =
      Attempt<calc::EOverflow>([&] { return calc::NarrowToDoubleAs<Native>(value); });
  const auto soft = Attempt<calc::EOverflow>([&] {
    return calc::NarrowToDoubleAs<Soft>(calc::FromX87BitsAs<Soft>(calc::ToX87Bits(value)));
  });
  fuzz::RequireSameOutcome(native, soft, "both backends narrow to a double alike");
  if (native.Failed()) {
    Require(std::fabs(value) > static_cast<Native>(DBL_MAX),
            "only a value beyond the double range fails to narrow", native.message);
    return;
  }
  fuzz::CheckHoursRendering(std::fabs(static_cast<Native>(*native.value)), true, settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  calc::RegionalSettings settings;
  const std::string_view text = fuzz::TakeSettingsLine(fuzz::BeginInput(data, size), settings);
  const auto native =
      Attempt<calc::EConvertError>([&] { return calc::ParseRealAs<Native>(text, settings); });
  const auto soft =
      Attempt<calc::EConvertError>([&] { return calc::ParseRealAs<Soft>(text, settings); });
  fuzz::RequireSameOutcome(native, soft, "both backends parse a real alike");
  if (native.Failed()) {
    Require(fuzz::QuotesText(native.message, text, " is not a valid floating point value"),
            "a failed real quotes the text as given", native.message);
    return 0;
  }
  const Native value = *native.value;
  Require(std::isfinite(value), "a parsed real is finite");
  Require(CheckAgainstStrtold(std::string(text), value, settings),
          "ParseReal reads close to the exact value");
  fuzz::CheckHoursRendering(value, false, settings);
  CheckNarrowing(value, settings);
  return 0;
}
