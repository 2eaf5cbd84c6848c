// Recalculation speed: full and empty grids under both arithmetic types, side by side with the
// glibc conversions a full grid's work amounts to, and the cost of one huge cell by its size.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/cell_grid.h"
#include "calc/grid_shape.h"
#include "calc/recalc.h"
#include "detail/arithmetic.h"

namespace {

namespace needed_grid = calc::needed_grid;
namespace staff_grid = calc::staff_grid;

// Per needed row: two whole numbers and two times read; two whole numbers, two times and the
// man-hours written. Per staff row: a whole number and the hours read; those two and the
// man-hours written. Three label texts besides.
constexpr int kParses = (needed_grid::kRowCount - 1) * 4 + (staff_grid::kRowCount - 1) * 2;
constexpr int kFormats = (needed_grid::kRowCount - 1) * 5 + (staff_grid::kRowCount - 1) * 3 + 3;

struct Grids {
  calc::MemoryCellGrid needed{needed_grid::kColCount, needed_grid::kRowCount};
  calc::MemoryCellGrid staff{staff_grid::kColCount, staff_grid::kRowCount};
};

Grids FullGrids() {
  const char* const starts[] = {"9a", "7:30 am", "22:00", "6:15:30", "12 pm", "p5", "0:45"};
  const char* const ends[] = {"5p", "4:00 pm", "6:00", "14:45", "11:59 pm", "9:30 pm", "8a"};
  const char* const hours[] = {"37.5", "40", "-20.25", "1234.5", "3.75e1", "0.5", "16"};
  Grids grids;
  for (int row = 1; row < needed_grid::kRowCount; ++row) {
    const auto i = static_cast<std::size_t>(row) % 7;
    grids.needed.SetCell(needed_grid::kShifts, row, std::to_string(row));
    grids.needed.SetCell(needed_grid::kEmployees, row, std::to_string(-row % 4));
    grids.needed.SetCell(needed_grid::kStart, row, starts[i]);
    grids.needed.SetCell(needed_grid::kEnd, row, ends[i]);
  }
  for (int row = 1; row < staff_grid::kRowCount; ++row) {
    grids.staff.SetCell(staff_grid::kEmployees, row, std::to_string(row * 3));
    grids.staff.SetCell(staff_grid::kHours, row, hours[static_cast<std::size_t>(row) % 7]);
  }
  return grids;
}

// Every run after the first reads the cells the first one rewrote, as at each cell move.
template <class Real>
void BM_ReCalcFullGrids(benchmark::State& state) {
  Grids grids = FullGrids();
  for (auto _ : state) {
    benchmark::DoNotOptimize(calc::ReCalcAs<Real>(grids.needed, grids.staff));
  }
  state.counters["conversions"] = kParses + kFormats;
}

template <class Real>
void BM_ReCalcFreshlyTypedGrids(benchmark::State& state) {
  const Grids typed = FullGrids();
  for (auto _ : state) {
    Grids grids = typed;
    benchmark::DoNotOptimize(calc::ReCalcAs<Real>(grids.needed, grids.staff));
  }
}

template <class Real>
void BM_ReCalcEmptyGrids(benchmark::State& state) {
  Grids grids;
  for (auto _ : state) {
    benchmark::DoNotOptimize(calc::ReCalcAs<Real>(grids.needed, grids.staff));
  }
}

// The yardstick: as many glibc strtold calls as a full grid has parses, over the texts it
// reads, and as many snprintf calls as it has renderings.
void BM_StrtoldAndSnprintfOfAFullGrid(benchmark::State& state) {
  Grids grids = FullGrids();
  calc::ReCalc(grids.needed, grids.staff);
  std::vector<std::string> texts;
  for (int row = 1; row < needed_grid::kRowCount; ++row) {
    for (int col = needed_grid::kShifts; col <= needed_grid::kEnd; ++col) {
      texts.push_back(grids.needed.Cell(col, row));
    }
  }
  for (int row = 1; row < staff_grid::kRowCount; ++row) {
    texts.push_back(grids.staff.Cell(staff_grid::kEmployees, row));
    texts.push_back(grids.staff.Cell(staff_grid::kHours, row));
  }
  char buffer[64];
  for (auto _ : state) {
    long double sum = 0;
    for (const std::string& text : texts) {
      sum += std::strtold(text.c_str(), nullptr);
    }
    for (int i = 0; i < kFormats; ++i) {
      benchmark::DoNotOptimize(
          std::snprintf(buffer, sizeof buffer, "%.2Lf", sum * static_cast<long double>(i)));
    }
    benchmark::DoNotOptimize(buffer);
  }
  state.counters["conversions"] = static_cast<double>(texts.size()) + kFormats;
}

// One cell of the given size in the start time: leading zeros that read as 9:00, or bytes no
// parse accepts, which the run keeps and quotes in its discarded failure message.
void BM_ReCalcHugeTimeCell(benchmark::State& state, char fill) {
  const auto size = static_cast<std::size_t>(state.range(0)) << 20U;
  const std::string text = std::string(size, fill) + "9:00";
  for (auto _ : state) {
    state.PauseTiming();
    Grids grids;
    grids.needed.SetCell(needed_grid::kShifts, 1, "1");
    grids.needed.SetCell(needed_grid::kStart, 1, text);
    state.ResumeTiming();
    benchmark::DoNotOptimize(calc::ReCalc(grids.needed, grids.staff));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(size));
}

}  // namespace

BENCHMARK(BM_StrtoldAndSnprintfOfAFullGrid);
BENCHMARK(BM_ReCalcFullGrids<calc::SoftExtended>);
BENCHMARK(BM_ReCalcFreshlyTypedGrids<calc::SoftExtended>);
BENCHMARK(BM_ReCalcEmptyGrids<calc::SoftExtended>);
BENCHMARK_CAPTURE(BM_ReCalcHugeTimeCell, readable, '0')
    ->RangeMultiplier(2)
    ->Range(1, 8)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReCalcHugeTimeCell, unreadable, '\xFF')
    ->RangeMultiplier(2)
    ->Range(1, 8)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond);
#if SHIFTMETER_LONG_DOUBLE_IS_X87
BENCHMARK(BM_ReCalcFullGrids<long double>);
BENCHMARK(BM_ReCalcFreshlyTypedGrids<long double>);
BENCHMARK(BM_ReCalcEmptyGrids<long double>);
#endif
