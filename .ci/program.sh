#!/usr/bin/env bash
# The README's first command: the program and its viewer alone, in a
# configuration where GoogleTest and Google Benchmark cannot be found, in a
# folder of its own; then the butadiene report through the viewer, which
# must be the system iconv's UTF-8 of the expected report.
set -euo pipefail
cd "$(dirname "$0")/.."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== program alone"
cmake --preset program -B "$scratch/build" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
cmake --build "$scratch/build"
"$scratch/build/orbcalc-utf8" <examples/butadiene.txt >"$scratch/butadiene.utf8"
iconv -f CP932 -t UTF-8 tests/e2e/examples/butadiene/stdout | cmp - "$scratch/butadiene.utf8"
echo "butadiene through orbcalc-utf8: $(wc -l <"$scratch/butadiene.utf8") lines, as expected"
