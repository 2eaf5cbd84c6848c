#pragma once

#include <gtest/gtest.h>

#include "calc/extended.h"
#include "calc/regional.h"

namespace calc::test_support {

// Every arithmetic backend this build can run: the software one always, the native x87 one
// where long double has that format.
#if SHIFTMETER_LONG_DOUBLE_IS_X87
using Backends = ::testing::Types<SoftExtended, long double>;
#else
using Backends = ::testing::Types<SoftExtended>;
#endif

// Tests may change the process-wide regional settings; each starts and ends with the defaults.
class RegionalTest : public ::testing::Test {
 protected:
  void SetUp() override { SetRegionalSettings(RegionalSettings{}); }
  void TearDown() override { SetRegionalSettings(RegionalSettings{}); }

  static void UseSettings(RegionalSettings settings) { SetRegionalSettings(std::move(settings)); }
};

}  // namespace calc::test_support
