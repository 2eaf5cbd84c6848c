#!/usr/bin/env bash
# Regenerates the reference-output digests after a deliberate change of the core's results:
# builds the default preset's core tests, writes tests/calc/reference_digests.inc and the
# sample tests/calc/reference_sample.txt, and shows what moved. Commit both files.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default -DSHIFTMETER_BUILD_TESTS=ON >/dev/null
cmake --build --preset default --target calc_tests
SHIFTMETER_WRITE_REFERENCE_OUTPUTS=$PWD/tests/calc build/default/tests/calc/calc_tests \
  --gtest_filter=ReferenceOutputs.MatchTheStoredDigests >/dev/null
git --no-pager diff --stat -- tests/calc/reference_digests.inc tests/calc/reference_sample.txt
git --no-pager diff -- tests/calc/reference_sample.txt | head -n 200
