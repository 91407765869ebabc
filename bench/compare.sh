#!/usr/bin/env bash
# Whole runs of the built program on every bundled example, against two
# floors measured here, now, on the same answer files:
#   start  a statically linked C program whose main only returns 0: the
#          cost of starting any process on this machine;
#   cat    cat of the answer file.
# Every program runs RUNS times, the three taking turns run by run; the
# table gives the median wall time of the program as ratios to the floors'
# median wall times, and its peak memory (the VmHWM of its own address
# space, read when it exits; see spawn_stats.c) next to the start floor's.
#
# Usage: bench/compare.sh [PROGRAM]     (default build/orbcalc)
#        RUNS=n bench/compare.sh        (default 400 runs per program)
#
# Before timing, the program's output on each example is compared with the
# expected output in tests/e2e/examples: timing a wrong program says nothing.
# The exit status is 1 when a 30-atom example costs more than 1.5 times the
# start floor in wall time or more than 1 MB above it in peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-build/orbcalc}
runs=${RUNS:-400}
max_time_ratio=1.5
max_extra_kb=1024

missing=()
for tool in gcc cat cmp awk sort; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]} > 0)); then
  echo "compare.sh: needs ${missing[*]} (Debian: apt-get install gcc libc6-dev coreutils diffutils gawk)" >&2
  exit 2
fi
if [[ ! -x $program ]]; then
  echo "compare.sh: no program at $program; build it first (cmake --preset default && cmake --build --preset default)" >&2
  exit 2
fi
if [[ ! -r /proc/self/status ]]; then
  echo "compare.sh: needs /proc (Linux) to read peak memory" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf 'int main(void) { return 0; }\n' >"$work/start.c"
if ! gcc -static -O2 -o "$work/start" "$work/start.c" 2>"$work/gcc.log"; then
  echo "compare.sh: gcc cannot link a static C program here (Debian: apt-get install libc6-dev):" >&2
  cat "$work/gcc.log" >&2
  exit 2
fi
gcc -static -O2 -std=c11 -o "$work/spawn_stats" bench/spawn_stats.c
# The same cat for every run, started by its path like the others.
cp "$(command -v cat)" "$work/cat"
cp "$program" "$work/orbcalc"

for answers in examples/*.txt; do
  name=$(basename "$answers" .txt)
  expected=tests/e2e/examples/$name/stdout
  status=0
  "$work/orbcalc" <"$answers" >"$work/out" 2>/dev/null || status=$?
  if ((status != 0)) || ! cmp -s "$work/out" "$expected"; then
    echo "compare.sh: $program does not give the expected output for $answers; not timing it" >&2
    exit 1
  fi
done

echo "Machine: $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo), Linux $(uname -r)"
if ldd "$program" >/dev/null 2>&1; then linkage=dynamically; else linkage=statically; fi
echo "Program: $program ($linkage linked)"
echo "Runs: $runs per program per example, median wall time; peak memory is the median of 21 runs"
echo
printf '%-16s %12s %12s %14s %14s %12s\n' example 'time/start' 'time/cat' 'peak KB' 'start peak KB' 'extra KB'

failed=0
for answers in examples/*.txt; do
  name=$(basename "$answers" .txt)
  "$work/spawn_stats" "$runs" "$answers" "$work/start" "$work/cat" "$work/orbcalc" >"$work/stats"
  read -r _ start_ns _ start_kb _ < <(grep "/start " "$work/stats")
  read -r _ cat_ns _ _ _ < <(grep "/cat " "$work/stats")
  read -r _ run_ns _ run_kb run_status < <(grep "/orbcalc " "$work/stats")
  if ((run_status != 0)); then
    echo "compare.sh: $name ended with status $run_status while timed" >&2
    exit 1
  fi
  row=$(awk -v s="$start_ns" -v c="$cat_ns" -v r="$run_ns" -v rk="$run_kb" -v sk="$start_kb" \
    -v name="$name" 'BEGIN { printf "%-16s %12.2f %12.2f %14d %14d %12d", name, r / s, r / c, rk, sk, rk - sk }')
  verdict=""
  if [[ $name == *30 ]]; then
    if awk -v s="$start_ns" -v r="$run_ns" -v m="$max_time_ratio" 'BEGIN { exit !(r > m * s) }'; then
      verdict+=" time over ${max_time_ratio}x"
      failed=1
    fi
    if ((run_kb - start_kb > max_extra_kb)); then
      verdict+=" memory over ${max_extra_kb} KB"
      failed=1
    fi
    [[ -z $verdict ]] && verdict=" within ${max_time_ratio}x and ${max_extra_kb} KB"
  fi
  echo "$row$verdict"
done

exit "$failed"
