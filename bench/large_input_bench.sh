#!/usr/bin/env bash
# Time and peak memory of large input in the main window, at 1, 2, 4, 8 and 10 MiB (or the sizes
# given): a cell move whose recalculation reads a cell of that size in every column of both
# grids, and a paste of that size into an open cell editor, of mixed-script text and of ASCII.
# Each size runs in a process of its own, so that the peak memory is its own; growth in
# proportion to the size shows as a steady time per MiB.
# Usage: bench/large_input_bench.sh [MiB...]     (builds into build/bench first)
set -euo pipefail
cd "$(dirname "$0")/.."

sizes=("$@")
if [ ${#sizes[@]} -eq 0 ]; then
  sizes=(1 2 4 8 10)
fi
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSHIFTMETER_BUILD_TESTS=OFF \
  -DSHIFTMETER_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target large_input_bench >/dev/null

export QT_QPA_PLATFORM=offscreen
for scenario in recalc paste-ascii paste-mixed; do
  for size in "${sizes[@]}"; do
    "$build/bench/ui/large_input_bench" "$scenario" "$size" 2>/dev/null
  done
done
