#!/usr/bin/env bash
# The 64-bit ARM leg of continuous integration: cross-build the static
# aarch64 program with Debian's GNU compilers, run every test under
# qemu-aarch64 (the unit tests, every end-to-end case and example, the
# generated cases and the conversion table), show that the solver computes
# in SoftExtended there, and check that the ARM program and the x86-64
# orbcalc (built before by .ci/run) write the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
export CI=true DEBIAN_FRONTEND=noninteractive

# GoogleTest's sources come with googletest; the cross build compiles them
# for the target.
packages=(g++-aarch64-linux-gnu qemu-user googletest)
bash .ci/install-missing.sh "${packages[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== aarch64 build"
cmake --preset aarch64
cmake --build --preset aarch64
ctest --preset aarch64

echo "== static executable"
if aarch64-linux-gnu-readelf -l build-aarch64/orbcalc | grep -q 'INTERP'; then
  echo "the aarch64 orbcalc needs a dynamic loader" >&2
  exit 1
fi

echo "== extended type"
qemu-aarch64 build-aarch64/tests/orbcalc_unit_tests --gtest_filter='ExtendedType.*' | tee "$scratch/extended"
grep -q 'computes in SoftExtended' "$scratch/extended"

bash .ci/compare-examples.sh aarch64 qemu-aarch64 build-aarch64/orbcalc
