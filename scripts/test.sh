#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite: the native build, the
# core under the MPFR software 80-bit arithmetic, and everything again under ASan and UBSan;
# then fuzzes every entry point of the core for 15 seconds each, and builds and checks the
# Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh test

for preset in default soft asan; do
  echo "=== ${preset}: configure, build, test"
  cmake --preset "$preset" -DSHIFTMETER_BUILD_TESTS=ON >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "=== fuzz: 15 seconds per target"
scripts/fuzz.sh 15

echo "=== package: build, lintian, AppStream, desktop entry, start from the unpacked package"
scripts/package-test.sh
