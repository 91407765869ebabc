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

echo "== wasi build"
cmake --preset wasi
cmake --build --preset wasi
ctest --preset wasi

# Through a pipe: node must pass it on as it is (the e2e suite used files).
bash .ci/compare-examples.sh --pipe WebAssembly node --no-warnings cmake/wasi-run.mjs build-wasi/orbcalc.wasm
