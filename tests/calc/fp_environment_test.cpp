// Whatever floating-point modes the caller left, the core gives the same results, and the
// caller finds its modes as it left them: the reference outputs under every x87 precision and
// rounding, every SSE rounding (and flush-to-zero), and every fesetround direction.

#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "reference_outputs.h"

namespace calc::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
constexpr std::uint64_t kDivisor = 10;  // sanitised builds run a tenth of the inputs
#else
constexpr std::uint64_t kDivisor = 1;
#endif

// The modes a caller can leave, read and written the way the caller would.
struct Modes {
  std::uint32_t x87 = 0;
  std::uint32_t sse = 0;
  int rounding = 0;

  friend bool operator==(const Modes&, const Modes&) = default;
};

#if defined(__i386__) || defined(__x86_64__)
constexpr std::uint32_t kSseFlags = 0x3F;

Modes CurrentModes() {
  std::uint16_t x87 = 0;
  __asm__ volatile("fnstcw %0" : "=m"(x87));
  std::uint32_t sse = 0;
#if defined(__SSE__)
  __asm__ volatile("stmxcsr %0" : "=m"(sse));
#endif
  return {x87, sse & ~kSseFlags, std::fegetround()};
}
void SetX87ControlWord(std::uint16_t word) {
  __asm__ volatile("fldcw %0" : : "m"(word));
}
// A real x87 rounds only arithmetic to its precision control and loads a double exactly under
// any mode. qemu-user's emulated one (7.2) rounds the load as well, so at 24-bit precision a
// double the caller hands over is changed before any code of ours runs: 1e18, whose significand
// has 42 bits, comes in as 999,999,984,306,749,440.
bool LoadsDoublesExactly() {
  const double value = 1e18;
  long double loaded = 0;
  __asm__ volatile("fldl %1" : "=t"(loaded) : "m"(value));
  return static_cast<long long>(loaded) == 1'000'000'000'000'000'000LL;
}
#if defined(__SSE__)
void SetSseControl(std::uint32_t word) {
  __asm__ volatile("ldmxcsr %0" : : "m"(word));
}
#endif
#else
Modes CurrentModes() {
  return {0, 0, std::fegetround()};
}
bool LoadsDoublesExactly() {
  return true;
}
#endif

struct Setting {
  std::string name;
  std::function<void()> apply;

  friend void PrintTo(const Setting& setting, std::ostream* out) { *out << setting.name; }
};

std::vector<Setting> Settings() {
  std::vector<Setting> settings;
  const std::vector<std::pair<const char*, int>> directions = {
      {"Downward", FE_DOWNWARD}, {"Upward", FE_UPWARD}, {"TowardZero", FE_TOWARDZERO}};
  for (const auto& [name, direction] : directions) {
    settings.push_back(
        {std::string("Fesetround") + name, [direction] { std::fesetround(direction); }});
  }
#if defined(__i386__) || defined(__x86_64__)
  const std::vector<std::pair<const char*, std::uint16_t>> precisions = {
      {"24", 0x000}, {"53", 0x200}, {"64", 0x300}};
  const std::vector<std::pair<const char*, std::uint16_t>> roundings = {
      {"Nearest", 0x000}, {"Downward", 0x400}, {"Upward", 0x800}, {"TowardZero", 0xC00}};
  for (const auto& [precision, precisionBits] : precisions) {
    for (const auto& [rounding, roundingBits] : roundings) {
      const auto word = static_cast<std::uint16_t>(0x7F | precisionBits | roundingBits);
      settings.push_back({std::string("X87Precision") + precision + rounding,
                          [word] { SetX87ControlWord(word); }});
    }
  }
#if defined(__SSE__)
  const std::vector<std::pair<const char*, std::uint32_t>> sseModes = {
      {"Downward", 0x3F80}, {"Upward", 0x5F80}, {"TowardZero", 0x7F80}, {"FlushToZero", 0x9FC0}};
  for (const auto& [name, word] : sseModes) {
    settings.push_back({std::string("Sse") + name, [word = word] { SetSseControl(word); }});
  }
#endif
#endif
  return settings;
}

class FloatingPointModesTest : public ::testing::TestWithParam<Setting> {};

TEST_P(FloatingPointModesTest, GiveTheReferenceOutputsAndAreRestored) {
  static const std::vector<SectionDigest> expected =
      kDivisor == 1 ? StoredReferenceDigests() : ComputeReferenceOutputs(kDivisor, nullptr);
  std::fenv_t defaults;
  std::fegetenv(&defaults);
  GetParam().apply();
  if (!LoadsDoublesExactly()) {
    std::fesetenv(&defaults);
    GTEST_SKIP() << "this x87 rounds a double it loads to the caller's precision, as qemu-user's "
                    "emulation does and no real x87 does; the caller's values are changed "
                    "before the core sees them";
  }
  const Modes callers = CurrentModes();
  const std::vector<SectionDigest> digests = ComputeReferenceOutputs(kDivisor, nullptr);
  const Modes after = CurrentModes();
  std::fesetenv(&defaults);
  EXPECT_EQ(after, callers);
  ASSERT_EQ(digests.size(), expected.size());
  for (std::size_t i = 0; i < digests.size(); ++i) {
    EXPECT_EQ(digests[i], expected[i]) << digests[i].name;
  }
}

INSTANTIATE_TEST_SUITE_P(CallersModes, FloatingPointModesTest, ::testing::ValuesIn(Settings()),
                         [](const ::testing::TestParamInfo<Setting>& param) {
                           return param.param.name;
                         });

}  // namespace
}  // namespace calc::testing
