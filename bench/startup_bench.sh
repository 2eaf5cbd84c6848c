#!/usr/bin/env bash
# Start-up time (process start to the first painted main window) and peak memory of Shiftmeter
# against a bare Qt Widgets window with two empty 6-column tables, on a virtual X display: once
# with the fontconfig caches as they are, and once more as a first start with no fontconfig
# cache at all, which is what a new user meets when the font caches have not been built. Then
# the time from a cell-moving key press to the finished repaint. Targets: start-up and memory at
# most 1.2 times the bare program's (with the caches in place), a move under 2 ms.
# Usage: bench/startup_bench.sh [runs]     (builds into build/bench first; VIRTUAL_DISPLAY=:N
# picks the X display number)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
scripts/setup.sh look
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSHIFTMETER_BUILD_TESTS=OFF \
  -DSHIFTMETER_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target Shiftmeter bare_qt_window cell_move_bench first_paint_probe \
  >/dev/null

source scripts/virtual_display.sh
start_virtual_display
scratch=$(mktemp -d)
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=xcb

log=$build/startup_bench.log
: >"$log"
probe=$(realpath "$build/bench/ui/libfirst_paint_probe.so")
paint_file=$scratch/first-paint

# A fontconfig setup like the system's whose only cache folder is a new, empty one.
cold_font_config() {
  local folder
  folder=$(mktemp -d -p "$scratch")
  sed -e '/<cachedir/d' -e 's|>conf.d<|>/etc/fonts/conf.d<|' \
    -e "s|</fontconfig>|<cachedir>$folder</cachedir></fontconfig>|" /etc/fonts/fonts.conf \
    >"$folder/fonts.conf"
  echo "$folder/fonts.conf"
}

# Prints "<microseconds to the first paint> <peak resident KiB>" for one start of a program.
# The peak is read a second after the first paint, once any work left for later has run.
measure_once() {
  local program=$1 start pid painted=
  rm -f "$paint_file"
  start=$(date +%s%N)
  FIRST_PAINT_FILE=$paint_file LD_PRELOAD=$probe "$program" 2>>"$log" &
  pid=$!
  until [[ $painted =~ ^[0-9]+$ ]]; do
    kill -0 "$pid" 2>/dev/null || { echo "$program ended before painting (see $log)" >&2; exit 1; }
    sleep 0.002
    painted=$(cat "$paint_file" 2>/dev/null || true)
  done
  sleep 1
  local peak
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(((painted - start) / 1000)) $peak"
}

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
fastest() { sort -n | head -n 1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

bare=$build/bench/ui/bare_qt_window
shiftmeter=$build/bin/Shiftmeter

# Runs both programs the given number of times, taking turns so that whatever else loads the
# machine weighs on both alike, and prints the medians and their ratios. With "cold", every
# start gets a fontconfig setup with an empty cache.
compare() {
  local caches=$1 bare_samples=() shiftmeter_samples=() name
  for _ in $(seq "$runs"); do
    for name in bare shiftmeter; do
      local -n samples="${name}_samples"
      if [ "$caches" = cold ]; then
        samples+=("$(FONTCONFIG_FILE=$(cold_font_config) measure_once "${!name}")")
      else
        samples+=("$(measure_once "${!name}")")
      fi
    done
  done
  local -A time_us fastest_us memory_kib
  for name in bare shiftmeter; do
    local -n samples="${name}_samples"
    time_us[$name]=$(printf '%s\n' "${samples[@]}" | cut -d' ' -f1 | median)
    fastest_us[$name]=$(printf '%s\n' "${samples[@]}" | cut -d' ' -f1 | fastest)
    memory_kib[$name]=$(printf '%s\n' "${samples[@]}" | cut -d' ' -f2 | median)
  done
  printf '%s fontconfig cache, start-up to first paint (median of %d): bare %.1f ms, Shiftmeter %.1f ms, ratio %s\n' \
    "$caches" "$runs" "$(ratio "${time_us[bare]}" 1000)" "$(ratio "${time_us[shiftmeter]}" 1000)" \
    "$(ratio "${time_us[shiftmeter]}" "${time_us[bare]}")"
  # The fastest start of each is the least disturbed by other work on the machine.
  printf '%s fontconfig cache, start-up to first paint (fastest of %d): bare %.1f ms, Shiftmeter %.1f ms, ratio %s\n' \
    "$caches" "$runs" "$(ratio "${fastest_us[bare]}" 1000)" "$(ratio "${fastest_us[shiftmeter]}" 1000)" \
    "$(ratio "${fastest_us[shiftmeter]}" "${fastest_us[bare]}")"
  printf '%s fontconfig cache, peak resident memory (median of %d): bare %d KiB, Shiftmeter %d KiB, ratio %s\n' \
    "$caches" "$runs" "${memory_kib[bare]}" "${memory_kib[shiftmeter]}" \
    "$(ratio "${memory_kib[shiftmeter]}" "${memory_kib[bare]}")"
}

measure_once "$bare" >/dev/null # warm the file cache
measure_once "$shiftmeter" >/dev/null
echo "targets with the caches in place: start-up and memory ratios <= 1.2"
compare warm
compare cold
"$build/bench/ui/cell_move_bench"
