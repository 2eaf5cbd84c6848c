#pragma once

// Shared pieces of the number tests: the arithmetic types every table runs under, settings with
// other separators, and the check of a conversion's error message.

#include <gtest/gtest.h>

#include <string>

#include "calc/errors.h"
#include "calc/regional.h"
#include "detail/arithmetic.h"
#include "detail/powers_of_ten.h"

namespace calc::testing {

#if SHIFTMETER_LONG_DOUBLE_IS_X87
using ArithmeticTypes = ::testing::Types<long double, SoftExtended>;
#else
using ArithmeticTypes = ::testing::Types<SoftExtended>;
#endif

// Names the typed instantiations readably in test output.
struct ArithmeticTypeNames {
  template <class Real>
  static std::string GetName(int /*index*/) {
    return std::is_same_v<Real, SoftExtended> ? "Soft" : "Native";
  }
};

// The default settings with the given number separators.
inline RegionalSettings WithSeparators(std::string decimal, std::string thousands) {
  RegionalSettings settings;
  settings.decimalSeparator = std::move(decimal);
  settings.thousandsSeparator = std::move(thousands);
  return settings;
}

// Expects `read(text)` to throw EConvertError "'<text>' is not a valid <kind>". what() is a C
// string: a text with a NUL byte shows up to that byte.
template <class Read>
void ExpectNotValid(const Read& read, const std::string& text, const std::string& kind) {
  SCOPED_TRACE("'" + text + "'");
  try {
    static_cast<void>(read(text));
    ADD_FAILURE() << "accepted";
  } catch (const EConvertError& error) {
    const std::string message = "'" + text + "' is not a valid " + kind;
    EXPECT_EQ(error.what(), message.substr(0, message.find('\0')));
  }
}

// The table's 80-bit power 10^exponent as the given type.
template <class Real>
Real TablePower(int exponent) {
  for (const PowerOfTenEntry& entry : PowerOfTenTable()) {
    if (entry.exponent == exponent) {
      return FromX87BitsAs<Real>(entry.bits);
    }
  }
  ADD_FAILURE() << "no 10^" << exponent << " in the table";
  return Real(0);
}

}  // namespace calc::testing
