#!/usr/bin/env bash
# Shows that an input line of the full record length is read in linear
# time and within the memory the record buffer needs: the line of the atom
# count is 999999999 blanks and the digit 2 (1000000000 bytes, the limit),
# then the same with one blank more, which must end the run with
# "Reading more data than the record size (RECL)". Prints the time and the
# peak resident memory of each run.
#
# Usage: scripts/long_line.sh [PROGRAM]   (default: build/orbcalc)
#
# The record buffer starts at 2000 bytes and doubles, the last step going
# to the limit itself: 2000 * 2^18 = 524288000 bytes, then 1000000000.
# While the old buffer is copied into the new one both are in memory, so
# the peak is about 524 MB + 524 MB, and the buffer at the end holds 1 GB:
# the peak stays near 1.05 GB. Every byte is copied at most about twice in
# all the growing steps together.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/orbcalc}
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
limit=1000000000

answers() {
  printf 'long line\n'
  head -c "$1" /dev/zero | tr '\0' ' '
  printf '2\n1\n2\n0\n1 2\nx\n'
}

for blanks in $((limit - 1)) "$limit"; do
  echo "== a count after $blanks blanks: a line of $((blanks + 1)) bytes"
  status=0
  answers "$blanks" |
    /usr/bin/time -f "elapsed %e s, user %U s, system %S s, peak resident memory %M KB" \
      "$program" >/dev/null 2>"$errors" || status=$?
  grep -v -e '^Traceback' -e '^Command exited' "$errors" || true
  echo "exit status $status"
done
