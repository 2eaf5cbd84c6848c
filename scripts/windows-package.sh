#!/usr/bin/env bash
# Builds Shiftmeter for Windows x64 and proves it under Wine: Qt for Windows if no matching
# prefix is cached (scripts/build-windows-qt.sh; SHIFTMETER_WINDOWS_QT_TARBALL may hand it a
# prebuilt one), the program, its window tests, the installer and the portable zip. Installs what
# is missing like scripts/test.sh and fails if any test fails. Output: build/windows/, with the
# build in build/windows/build and Wine's prefix in build/windows/wine-prefix; prints the paths
# of the installer and the zip.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh windows
scripts/build-mingw-deps.sh
qt_prefix=$(scripts/build-windows-qt.sh | tail -n 1)
export SHIFTMETER_WINDOWS_QT=$qt_prefix

output=build/windows
build=$output/build
export WINEPREFIX=$PWD/$output/wine-prefix
scripts/wine-prefix.sh

step() {
  local name=$1 start=$SECONDS
  shift
  echo "=== windows: $name"
  "$@" >"$output/$name.log" 2>&1 || {
    tail -n 40 "$output/$name.log"
    echo "=== windows: $name FAILED (log: $output/$name.log)" >&2
    exit 1
  }
  echo "    $name: $((SECONDS - start)) s"
}
mkdir -p "$output"
step configure cmake -S . -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/windows-x64-mingw.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHIFTMETER_BUILD_BENCH=OFF
step build cmake --build "$build" -j2
# The core's tests under Wine are scripts/cross-test.sh's; these are the window's and the
# installer's.
step test ctest --test-dir "$build" -j2 -L 'ui|install' --output-on-failure --no-tests=error \
  --timeout 600
grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$output/test.log"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for file in "Shiftmeter-$version-x64.msi" "Shiftmeter-$version-x64.zip"; do
  cp "$build/$file" "$output/$file"
done
echo "installer: $PWD/$output/Shiftmeter-$version-x64.msi"
echo "portable:  $PWD/$output/Shiftmeter-$version-x64.zip"
