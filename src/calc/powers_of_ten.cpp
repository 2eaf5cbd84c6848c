#include "calc/internal/powers_of_ten.h"

#include <array>
#include <cstdlib>

#include "calc/extended.h"

namespace calc {
namespace {

constexpr int kSmallCount = 32;
constexpr int kMediumCount = 16;
constexpr int kLargeCount = 10;
constexpr int kMediumStep = 32;
constexpr int kLargeStep = 512;

// The powers rounded once, to nearest with ties to even, from their exact decimal value; up to
// 10^27 they are exact, since 5^27 still fits 64 bits. The unit tests recompute every entry.
constexpr std::array<PowerOfTenEntry, kSmallCount + kMediumCount + kLargeCount - 2> kTable{{
    {0, {0x3FFF, 0x8000000000000000U}},    {1, {0x4002, 0xA000000000000000U}},
    {2, {0x4005, 0xC800000000000000U}},    {3, {0x4008, 0xFA00000000000000U}},
    {4, {0x400C, 0x9C40000000000000U}},    {5, {0x400F, 0xC350000000000000U}},
    {6, {0x4012, 0xF424000000000000U}},    {7, {0x4016, 0x9896800000000000U}},
    {8, {0x4019, 0xBEBC200000000000U}},    {9, {0x401C, 0xEE6B280000000000U}},
    {10, {0x4020, 0x9502F90000000000U}},   {11, {0x4023, 0xBA43B74000000000U}},
    {12, {0x4026, 0xE8D4A51000000000U}},   {13, {0x402A, 0x9184E72A00000000U}},
    {14, {0x402D, 0xB5E620F480000000U}},   {15, {0x4030, 0xE35FA931A0000000U}},
    {16, {0x4034, 0x8E1BC9BF04000000U}},   {17, {0x4037, 0xB1A2BC2EC5000000U}},
    {18, {0x403A, 0xDE0B6B3A76400000U}},   {19, {0x403E, 0x8AC7230489E80000U}},
    {20, {0x4041, 0xAD78EBC5AC620000U}},   {21, {0x4044, 0xD8D726B7177A8000U}},
    {22, {0x4048, 0x878678326EAC9000U}},   {23, {0x404B, 0xA968163F0A57B400U}},
    {24, {0x404E, 0xD3C21BCECCEDA100U}},   {25, {0x4052, 0x84595161401484A0U}},
    {26, {0x4055, 0xA56FA5B99019A5C8U}},   {27, {0x4058, 0xCECB8F27F4200F3AU}},
    {28, {0x405C, 0x813F3978F8940984U}},   {29, {0x405F, 0xA18F07D736B90BE5U}},
    {30, {0x4062, 0xC9F2C9CD04674EDFU}},   {31, {0x4065, 0xFC6F7C4045812296U}},
    {32, {0x4069, 0x9DC5ADA82B70B59EU}},   {64, {0x40D3, 0xC2781F49FFCFA6D5U}},
    {96, {0x413D, 0xEFB3AB16C59B14A3U}},   {128, {0x41A8, 0x93BA47C980E98CE0U}},
    {160, {0x4212, 0xB616A12B7FE617AAU}},  {192, {0x427C, 0xE070F78D3927556BU}},
    {224, {0x42E7, 0x8A5296FFE33CC930U}},  {256, {0x4351, 0xAA7EEBFB9DF9DE8EU}},
    {288, {0x43BB, 0xD226FC195C6A2F8CU}},  {320, {0x4426, 0x81842F29F2CCE376U}},
    {352, {0x4490, 0x9FA42700DB900AD2U}},  {384, {0x44FA, 0xC4C5E310AEF8AA17U}},
    {416, {0x4564, 0xF28A9C07E9B09C59U}},  {448, {0x45CF, 0x957A4AE1EBF7F3D4U}},
    {480, {0x4639, 0xB83ED8DC0795A262U}},  {512, {0x46A3, 0xE319A0AEA60E91C7U}},
    {1024, {0x4D48, 0xC976758681750C17U}}, {1536, {0x53ED, 0xB2B8353B3993A7E4U}},
    {2048, {0x5A92, 0x9E8B3B5DC53D5DE5U}}, {2560, {0x6137, 0x8CA554C020A1F0A6U}},
    {3072, {0x67DB, 0xF9895D25D88B5A8BU}}, {3584, {0x6E80, 0xDD5DC8A2BF27F3F8U}},
    {4096, {0x7525, 0xC46052028A20979BU}}, {4608, {0x7BCA, 0xAE3511626ED559F0U}},
}};

template <ExtendedArithmetic Real>
struct PowerLadder {
  std::array<Real, kSmallCount> small;    // 10^i
  std::array<Real, kMediumCount> medium;  // 10^(32 i); index 0 unused
  std::array<Real, kLargeCount> large;    // 10^(512 i); index 0 unused

  PowerLadder() {
    for (const PowerOfTenEntry& entry : kTable) {
      const Real power = FromX87BitsAs<Real>(entry.bits);
      if (entry.exponent < kSmallCount) {
        small[entry.exponent] = power;
      } else if (entry.exponent < kLargeStep) {
        medium[entry.exponent / kMediumStep] = power;
      } else {
        large[entry.exponent / kLargeStep] = power;
      }
    }
  }
};

template <ExtendedArithmetic Real>
const PowerLadder<Real>& Ladder() {
  static const PowerLadder<Real> ladder;
  return ladder;
}

}  // namespace

std::span<const PowerOfTenEntry> PowerOfTenTable() {
  return kTable;
}

template <ExtendedArithmetic Real>
Real ScaleByPowerOfTen(Real value, int k) {
  const PowerLadder<Real>& ladder = Ladder<Real>();
  const int m = std::abs(k);
  const auto apply = [&](const Real& power) { value = k > 0 ? value * power : value / power; };
  // Multiplying or dividing by 10^0 = 1 is exact, so leaving that step out changes nothing.
  if (const int small = m % kSmallCount; small != 0) {
    apply(ladder.small[small]);
  }
  if (const int medium = (m / kMediumStep) % kMediumCount; medium != 0) {
    apply(ladder.medium[medium]);
  }
  if (const int large = m / kLargeStep; large != 0) {
    apply(ladder.large[large]);
  }
  return value;
}

template SoftExtended ScaleByPowerOfTen(SoftExtended, int);
#if SHIFTMETER_LONG_DOUBLE_IS_X87
template long double ScaleByPowerOfTen(long double, int);
#endif

}  // namespace calc
