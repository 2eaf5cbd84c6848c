// ParseReal against glibc's strtold and FormatHours against snprintf("%'.2Lf"), side by side
// over the same inputs. Run in a Release build; compare the pairs' times per item.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/number_text.h"
#include "detail/arithmetic.h"
#include "detail/fp_environment.h"

namespace {

// What the planner types into "Hrs / Wk", and a few longer texts.
const std::vector<std::string>& ParseInputs() {
  static const std::vector<std::string> inputs = {
      "37.5",
      "40",
      "7.25",
      "0.5",
      "12.75",
      "1e3",
      "  38  ",
      "1234567.891",
      "0.001",
      "-15.125",
      "100",
      "2.5e1",
      "16.66",
      "3.14159265358979",
      "99999999.99",
      "0.0000042",
      "123456789012345678901234",
      "1e300",
      "42",
      "8",
  };
  return inputs;
}

// Values as the recalculation renders them: row man-hours and totals.
const std::vector<calc::Extended>& FormatInputs() {
  static const std::vector<calc::Extended> inputs = [] {
    std::vector<calc::Extended> values;
    for (const double value : {0.0, 1.0, 12.5, 40.125, 80.0, 112.5, 1234.5, 1234567.891, 99.995,
                               2.675, 32.5, 37.5, 1000.0, 168.0, 0.05, 987654.32}) {
      values.emplace_back(value);
    }
    return values;
  }();
  return inputs;
}

template <class Real>
void BM_ParseReal(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& text : ParseInputs()) {
      benchmark::DoNotOptimize(calc::ParseRealAs<Real>(text));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ParseInputs().size()));
}
BENCHMARK(BM_ParseReal<calc::Extended>);
#if SHIFTMETER_EXTENDED_IS_NATIVE
BENCHMARK(BM_ParseReal<calc::SoftExtended>);
#endif

void BM_Strtold(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& text : ParseInputs()) {
      benchmark::DoNotOptimize(std::strtold(text.c_str(), nullptr));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ParseInputs().size()));
}
BENCHMARK(BM_Strtold);

// The same values in each arithmetic type, converted through their exact 80-bit patterns.
template <class Real>
void BM_FormatHours(benchmark::State& state) {
  std::vector<Real> values;
  for (const calc::Extended& value : FormatInputs()) {
    values.push_back(calc::FromX87BitsAs<Real>(calc::ToX87Bits(value)));
  }
  for (auto _ : state) {
    for (const Real& value : values) {
      benchmark::DoNotOptimize(calc::FormatHoursAs(value));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_FormatHours<calc::Extended>);
#if SHIFTMETER_EXTENDED_IS_NATIVE
BENCHMARK(BM_FormatHours<calc::SoftExtended>);
#endif

// The printf family takes a long double; the software type is narrowed beforehand so that both
// sides format the same values.
void BM_SnprintfGrouped(benchmark::State& state) {
  std::vector<long double> values;
  for (const calc::Extended& value : FormatInputs()) {
    values.push_back(static_cast<long double>(calc::RoundToDouble(value)));
  }
  for (auto _ : state) {
    for (const long double value : values) {
      char buffer[64];
// The grouping flag "'" is POSIX, not ISO C++, which the pedantic format check flags.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat"
      benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%'.2Lf", value));
#pragma GCC diagnostic pop
      benchmark::DoNotOptimize(std::string(buffer));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_SnprintfGrouped);

// What each public entry of the core pays for its floating-point guard when the caller left
// the default modes, as they are in almost every program.
void BM_FloatingPointGuardInDefaultModes(benchmark::State& state) {
  for (auto _ : state) {
    const calc::DefaultFloatingPointModes guard;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FloatingPointGuardInDefaultModes);

#if defined(__i386__) || defined(__x86_64__)
// The same parses for a caller that left the x87 at 53-bit precision: each call then saves the
// caller's floating-point environment, sets the defaults and restores it.
void BM_ParseRealCallerAt53BitPrecision(benchmark::State& state) {
  std::uint16_t callers = 0;
  __asm__ volatile("fnstcw %0" : "=m"(callers));
  const auto precision53 = static_cast<std::uint16_t>((callers & ~0x300U) | 0x200U);
  __asm__ volatile("fldcw %0" : : "m"(precision53));
  for (auto _ : state) {
    for (const std::string& text : ParseInputs()) {
      benchmark::DoNotOptimize(calc::ParseReal(text));
    }
  }
  __asm__ volatile("fldcw %0" : : "m"(callers));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ParseInputs().size()));
}
BENCHMARK(BM_ParseRealCallerAt53BitPrecision);
#endif

}  // namespace
