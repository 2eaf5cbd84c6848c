#!/usr/bin/env bash
# Builds the calculation core and its tests for the other platforms it promises identical
# results on, and runs every test there through an emulator: Windows x64 with mingw-w64 under
# Wine, with the native x87 type and with the MPFR type; Linux ARM64 (MPFR type) under
# qemu-user; Linux i386 (native type), natively or, where the kernel runs no 32-bit programs,
# under qemu-user. Installs what is missing like scripts/test.sh, prints one line per target,
# and fails if any target fails. Build folders: build/cross-<target>.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh test
scripts/setup.sh cross
scripts/build-mingw-deps.sh

# Wine keeps its own prefix in the build tree rather than in the user's home, made before the
# first test program runs: making it takes longer than a test's discovery may.
export WINEPREFIX=$PWD/build/wine-prefix
scripts/wine-prefix.sh
# Two tests at a time under Wine race its server: when one test ends as the last client, the
# server shuts down while the next one connects ("recvmsg: Connection reset by peer"). One
# server kept alive for the whole run, and stopped at the end, closes that window. Wine's own
# system programs then stay up with it, holding the output of whichever program started them,
# and a test's output would never end: they start here, with no output to hold.
wineserver --persistent
WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= wine wineboot </dev/null >/dev/null 2>&1
trap 'wineserver --kill 2>/dev/null || true' EXIT

# name, toolchain file, extra cache settings
targets=(
  "windows-x64-x87 windows-x64-mingw"
  "windows-x64-soft windows-x64-mingw -DSHIFTMETER_SOFT_EXTENDED=ON"
  "linux-arm64-soft linux-arm64"
  "linux-i386-x87 linux-i386"
)

# One line per reason that GoogleTest gave for skipping, with how many tests gave it: the line
# after each "Skipped" mark.
skip_reasons() {
  [ -f "$1" ] || return 0
  awk 'skipped { print; skipped = 0 } / Skipped$/ { skipped = 1 }' "$1" | sort | uniq -c
}

summary=()
failed=0
for target in "${targets[@]}"; do
  read -r name toolchain options <<<"$target"
  dir=build/cross-$name
  log=$dir/cross-test.log
  mkdir -p "$dir"
  echo "=== $name: configure, build, test"
  start=$SECONDS
  # shellcheck disable=SC2086 # options holds separate words
  if cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/$toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHIFTMETER_BUILD_UI=OFF -DSHIFTMETER_BUILD_BENCH=OFF \
    $options >"$log" 2>&1 && cmake --build "$dir" -j2 >>"$log" 2>&1 &&
    ctest --test-dir "$dir" -j2 --output-on-failure --no-tests=error --timeout 900 >>"$log" 2>&1; then
    verdict=passed
  else
    verdict=FAILED
    failed=1
    tail -n 40 "$log"
  fi
  result=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
  summary+=("$(printf '%-18s %-6s %s (%ds)' "$name" "$verdict" "${result:-no tests ran}" $((SECONDS - start)))")
  # How the target's programs ran, when not as usual, and why a test skipped, under its line.
  while read -r note; do
    summary+=("    $note")
  done < <(grep -m 1 -oE 'This kernel runs no 32-bit programs.*' "$log" || true)
  while read -r count reason; do
    summary+=("    $count skipped: $reason")
  done < <(skip_reasons "$dir/Testing/Temporary/LastTest.log")
done

echo "=== cross targets"
printf '%s\n' "${summary[@]}"
exit $failed
