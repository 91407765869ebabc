#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build (cmake --preset fuzz, then
# cmake --build --preset fuzz) for a fixed time each: 60 seconds, or the
# number of seconds given. Usage: fuzz/run_fuzzers.sh [SECONDS [TARGET...]]
#
# Each target starts from its corpus in the repository; what libFuzzer
# adds goes to a working corpus in the build folder, never into the
# repository. A finding (a failed check, a sanitizer report, an input that
# takes over 10 seconds or 2 GB) stops the script with a non-zero status
# and leaves the input in build-fuzz/findings; the target's log is in
# build-fuzz/fuzz/logs.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
((${#targets[@]} > 0)) || targets=(layout list_read real_convert run)

# The longest input each target is given: room for long lines and long
# values beyond the record limit of the targets, yet quick to run.
declare -A max_len=([layout]=4096 [list_read]=8192 [real_convert]=2048 [run]=8192)

build=build-fuzz
mkdir -p "$build/findings" "$build/fuzz/logs"
for target in "${targets[@]}"; do
  work="$build/fuzz/work/$target"
  log="$build/fuzz/logs/$target.log"
  mkdir -p "$work"
  echo "== fuzz_$target for $seconds seconds"
  if ! "$build/fuzz/fuzz_$target" "$work" "fuzz/corpus/$target" \
      -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/findings/$target-" -print_final_stats=1 >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$target found a problem; the input is in $build/findings" >&2
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
done
