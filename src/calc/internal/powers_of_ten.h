#pragma once

// Scaling by powers of ten in at most three rounded steps, shared by the reading and the
// rendering of real numbers so that both round at the same points.

#include <span>

#include "calc/extended.h"
#include "calc/x87_bits.h"

namespace calc {

// One entry of the power table: the 80-bit pattern nearest to 10^exponent (ties to even).
struct PowerOfTenEntry {
  int exponent;
  X87Bits bits;
};

// Every power the scaling uses: 10^0 to 10^31, 10^(32 j) for j = 1 to 15 and 10^(512 j) for
// j = 1 to 9.
std::span<const PowerOfTenEntry> PowerOfTenTable();

// value × 10^k for k > 0 and value ÷ 10^k for k < 0, for |k| < 5120, applied as the steps
// 10^(m mod 32), then 10^(32 ((m div 32) mod 16)), then 10^(512 (m div 512)) with m = |k|,
// each rounded, and a step with the power 10^0 left out.
template <ExtendedArithmetic Real>
Real ScaleByPowerOfTen(Real value, int k);

inline constexpr int kScalingLimit = 5120;

}  // namespace calc
