#pragma once

// Shared pieces of the number tests: the arithmetic types every table runs under, and a fixture
// that puts the default regional settings back after each test.

#include <gtest/gtest.h>

#include <string>

#include "calc/extended.h"
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

template <class Real>
class TypedRegionalSettingsTest : public RegionalSettingsTest {};

}  // namespace calc::testing
