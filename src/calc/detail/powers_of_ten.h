#pragma once

// Scaling by powers of ten in at most three rounded steps, shared by the reading and the
// rendering of real numbers so that both round at the same points.

#include <array>
#include <cstdlib>
#include <span>

#include "detail/arithmetic.h"
#include "detail/x87_bits.h"

namespace calc {

// One entry of the power table: the 80-bit pattern nearest to 10^exponent (ties to even).
struct PowerOfTenEntry {
  int exponent;
  X87Bits bits;
};

// Every power the scaling uses: 10^0 to 10^31, 10^(32 j) for j = 1 to 15 and 10^(512 j) for
// j = 1 to 9.
std::span<const PowerOfTenEntry> PowerOfTenTable();

inline constexpr int kScalingLimit = 5120;

namespace power_steps {
inline constexpr int kSmallCount = 32;
inline constexpr int kMediumCount = 16;
inline constexpr int kLargeCount = 10;
inline constexpr int kMediumStep = 32;
inline constexpr int kLargeStep = 512;
}  // namespace power_steps

// The table's powers in the arithmetic type, built once.
template <ExtendedArithmetic Real>
struct PowerLadder {
  std::array<Real, power_steps::kSmallCount> small;    // 10^i
  std::array<Real, power_steps::kMediumCount> medium;  // 10^(32 i); index 0 unused
  std::array<Real, power_steps::kLargeCount> large;    // 10^(512 i); index 0 unused

  PowerLadder() {
    for (const PowerOfTenEntry& entry : PowerOfTenTable()) {
      const Real power = FromX87BitsAs<Real>(entry.bits);
      if (entry.exponent < power_steps::kSmallCount) {
        small[entry.exponent] = power;
      } else if (entry.exponent < power_steps::kLargeStep) {
        medium[entry.exponent / power_steps::kMediumStep] = power;
      } else {
        large[entry.exponent / power_steps::kLargeStep] = power;
      }
    }
  }

  static const PowerLadder& Get() {
    static const PowerLadder ladder;
    return ladder;
  }
};

// The medium and large steps of the scaling below, for |k| of 32 and more.
template <ExtendedArithmetic Real>
Real ScaleByLargePowerOfTen(Real value, int k) {
  using namespace power_steps;
  const PowerLadder<Real>& ladder = PowerLadder<Real>::Get();
  const int m = std::abs(k);
  if (const int medium = (m / kMediumStep) % kMediumCount; medium != 0) {
    value = k > 0 ? value * ladder.medium[medium] : value / ladder.medium[medium];
  }
  if (const int large = m / kLargeStep; large != 0) {
    value = k > 0 ? value * ladder.large[large] : value / ladder.large[large];
  }
  return value;
}

// value × 10^k for k > 0 and value ÷ 10^k for k < 0, for |k| < 5120, applied as the steps
// 10^(m mod 32), then 10^(32 ((m div 32) mod 16)), then 10^(512 (m div 512)) with m = |k|,
// each rounded, and a step with the power 10^0 left out (multiplying or dividing by 1 is
// exact, so leaving it out changes nothing). Most calls take the small step alone, in line.
template <ExtendedArithmetic Real>
inline Real ScaleByPowerOfTen(Real value, int k) {
  const int m = std::abs(k);
  if (const int small = m % power_steps::kSmallCount; small != 0) {
    const Real& power = PowerLadder<Real>::Get().small[small];
    value = k > 0 ? value * power : value / power;
  }
  return m < power_steps::kMediumStep ? value : ScaleByLargePowerOfTen(value, k);
}

}  // namespace calc
