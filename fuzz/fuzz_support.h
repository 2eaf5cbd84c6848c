#pragma once

// What every fuzz target shares: reading the regional settings from the input, stopping with a
// readable report when a property fails, and running a conversion so that only the failure it
// is documented to raise is taken as an answer; any other exception escapes and ends the run.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "calc/regional.h"
#include "detail/arithmetic.h"

static_assert(SHIFTMETER_LONG_DOUBLE_IS_X87,
              "the fuzz targets compare the native x87 long double with the software type");

namespace fuzz {

using Native = long double;
using Soft = calc::SoftExtended;

// The input of the current run as text; a violation report quotes it.
std::string_view BeginInput(const std::uint8_t* data, std::size_t size);

// Prints the property, the details and the input in escaped form, then traps, so that the
// fuzzer records the input as a crash.
[[noreturn]] void Violation(std::string_view property, std::string_view details);

inline void Require(bool holds, std::string_view property, std::string_view details = {}) {
  if (!holds) {
    Violation(property, details);
  }
}

// The input text as a report shows it: printable ASCII as it is, everything else as \xNN.
std::string Escaped(std::string_view text);

// The first line of a fuzz input, when the input has one ending in a line break, holds the
// regional settings as up to five tab-separated fields: decimal separator, thousands separator,
// time separator, AM designator, PM designator. A one-character field passes through the same
// rule as a locale's value; a designator field is taken as it is (empty allowed), at most 255
// characters. Missing fields keep their defaults. Returns the rest of the input.
std::string_view TakeSettingsLine(std::string_view input, calc::RegionalSettings& settings);

// Whether what the renderers write under these settings can be read back by the parsers: a
// time separator that is a character other than a digit, a blank or the first letter of "am"
// and "pm"; designators that neither start with a digit nor swallow part of "am" or "pm"; and
// a decimal separator that is neither a digit nor the exponent's "E". A locale that breaks one
// of these is absurd; with it a second recalculation may fail where the first succeeded.
bool RenderingsReadBack(const calc::RegionalSettings& settings);

// The outcome of a call that may fail with `Failure`: its value, or the failure's message.
template <class T>
struct Attempted {
  std::optional<T> value;
  std::string message;

  bool Failed() const { return !value.has_value(); }
};

template <class Failure, class Call>
auto Attempt(Call&& call) -> Attempted<decltype(call())> {
  try {
    return {std::forward<Call>(call)(), {}};
  } catch (const Failure& failure) {
    return {std::nullopt, failure.what()};
  }
}

// Whether a failure's message quotes the text as given: "'<text>'" and then `rest`. The message
// comes through what(), which ends at the first NUL of the text.
bool QuotesText(const std::string& message, std::string_view text, std::string_view rest);

// Bitwise identity, so that the two zeros and NaN payloads count.
bool SameBits(double a, double b);
template <class Real>
bool SameBits(Real a, Real b) {
  return calc::ToX87Bits(a) == calc::ToX87Bits(b);
}
inline bool SameBits(Native a, Soft b) {
  return calc::ToX87Bits(a) == calc::ToX87Bits(b);
}
inline bool SameBits(const std::string& a, const std::string& b) {
  return a == b;
}

// Both backends failed alike, or both gave the same value.
template <class A, class B>
void RequireSameOutcome(const Attempted<A>& native, const Attempted<B>& soft,
                        std::string_view what) {
  Require(native.Failed() == soft.Failed(), what,
          native.Failed() ? "only the native backend failed" : "only the soft backend failed");
  Require(native.message == soft.message, what, "the failure messages differ");
  Require(native.Failed() || SameBits(*native.value, *soft.value), what,
          "the backends gave different values");
}

}  // namespace fuzz
