#!/usr/bin/env bash
# Installs what is missing, builds the program with the default preset and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run

# Running needs neither the test nor the benchmark libraries; scripts/test.sh turns tests on.
cmake --preset default -DSHIFTMETER_BUILD_TESTS=OFF -DSHIFTMETER_BUILD_BENCH=OFF >/dev/null
cmake --build --preset default --target Shiftmeter
exec build/default/bin/Shiftmeter "$@"
