#!/usr/bin/env bash
# The WebAssembly leg of continuous integration: build the wasm32-wasi
# program with clang 14 and wasi-libc, run every end-to-end case and
# example, the generated cases, the conversion table and the trap checks
# through node (cmake/wasi-run.mjs), and check that the module and the
# x86-64 orbcalc (built before by .ci/run) write the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
export CI=true DEBIAN_FRONTEND=noninteractive

packages=(clang-14 lld-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32)
# Any node from 18 on will do; Debian's own is 18.
command -v node >/dev/null || packages+=(nodejs)
bash .ci/install-missing.sh "${packages[@]}"
echo "node $(node --version)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== wasi build"
cmake --preset wasi
cmake --build --preset wasi
ctest --preset wasi

echo "== the examples, x86-64 and WebAssembly"
# Through a pipe as well as a file: node must pass either on as it is.
for answers in examples/*.txt; do
  x86_status=0
  wasm_status=0
  build/orbcalc <"$answers" >"$scratch/x86.out" 2>"$scratch/x86.err" || x86_status=$?
  cat "$answers" | node --no-warnings cmake/wasi-run.mjs build-wasi/orbcalc.wasm >"$scratch/wasm.out" \
    2>"$scratch/wasm.err" || wasm_status=$?
  cmp "$scratch/x86.out" "$scratch/wasm.out"
  cmp "$scratch/x86.err" "$scratch/wasm.err"
  if [[ $x86_status != "$wasm_status" ]]; then
    echo "$answers: exit status $x86_status on x86-64, $wasm_status on WebAssembly" >&2
    exit 1
  fi
  echo "$answers: identical, $(wc -c <"$scratch/x86.out") bytes, exit status $x86_status"
done
