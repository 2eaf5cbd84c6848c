#pragma once

// Shared pieces of the number tests: the arithmetic types every table runs under, and a fixture
// that puts the default regional settings back after each test.

#include <gtest/gtest.h>

#include <string>

#include "calc/extended.h"
#include "calc/internal/powers_of_ten.h"
#include "calc/regional.h"

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

class RegionalSettingsTest : public ::testing::Test {
 protected:
  void TearDown() override { SetRegionalSettings(RegionalSettings{}); }

  static void UseSeparators(std::string decimal, std::string thousands) {
    RegionalSettings settings;
    settings.decimalSeparator = std::move(decimal);
    settings.thousandsSeparator = std::move(thousands);
    SetRegionalSettings(std::move(settings));
  }
};

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

template <class Real>
class TypedRegionalSettingsTest : public RegionalSettingsTest {};

}  // namespace calc::testing
