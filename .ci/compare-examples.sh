#!/usr/bin/env bash
# Runs every answer file in examples/ through the x86-64 program and
# through another host's program (the command given after the host's name),
# and fails unless standard output, standard error and exit status are the
# same. With --pipe the other program reads its answers through a pipe
# instead of a file.
#   bash .ci/compare-examples.sh [--pipe] HOST COMMAND...
set -euo pipefail
cd "$(dirname "$0")/.."

pipe=false
if [[ $1 == --pipe ]]; then
  pipe=true
  shift
fi
host=$1
shift

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== the examples, x86-64 and $host"
for answers in examples/*.txt; do
  native_status=0
  other_status=0
  build/orbcalc <"$answers" >"$scratch/native.out" 2>"$scratch/native.err" || native_status=$?
  if $pipe; then
    cat "$answers" | "$@" >"$scratch/other.out" 2>"$scratch/other.err" || other_status=$?
  else
    "$@" <"$answers" >"$scratch/other.out" 2>"$scratch/other.err" || other_status=$?
  fi
  cmp "$scratch/native.out" "$scratch/other.out"
  cmp "$scratch/native.err" "$scratch/other.err"
  if [[ $native_status != "$other_status" ]]; then
    echo "$answers: exit status $native_status on x86-64, $other_status on $host" >&2
    exit 1
  fi
  echo "$answers: identical, $(wc -c <"$scratch/native.out") bytes, exit status $native_status"
done
