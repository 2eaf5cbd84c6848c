#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang with ASan and UBSan) and fuzzes each one
# for the given number of seconds, one after another, starting from the seed corpus in
# fuzz/corpus/<target>/. The fuzzers work on a scratch copy, so the repository's corpus only
# grows when someone copies inputs into it on purpose. Prints each target's executions and
# executions per second; fails when any target finds a crash, a property violation, a leak or a
# hang, and leaves the failing input under build/fuzz/findings/<target>/.
# Usage: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [seconds per target]" >&2
  exit 2
fi

targets=(whole_number real_number time_text x87_hours recalc)

scripts/setup.sh test
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# One input of the 80-bit target is two patterns of eleven bytes; longer text lets the parsers
# meet mantissas past the 80-bit range (about 4950 digits) and cells of many kilobytes.
max_len() {
  case "$1" in
    x87_hours) echo 22 ;;
    *) echo 8192 ;;
  esac
}

failed=()
for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  findings="build/fuzz/findings/$target"
  log="build/fuzz/findings/$target.log"
  mkdir -p "$corpus" "$findings"
  cp fuzz/corpus/"$target"/* "$corpus"/
  dict=()
  [ -f "fuzz/dict/$target.dict" ] && dict=(-dict="fuzz/dict/$target.dict")
  status=0
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "build/fuzz/fuzz/${target}_fuzzer" "$corpus" "${dict[@]}" \
    -max_total_time="$seconds" -max_len="$(max_len "$target")" -timeout=25 \
    -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  printf '%-14s %12s executions  %8s exec/s  %4s s  corpus %s inputs\n' "$target" \
    "${executions:-?}" "${rate:-?}" "$seconds" "$(find "$corpus" -type f | wc -l)"
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    grep -a -E '^\*\*\*|ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -20 || true
    echo "    full log: $log"
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
