#!/usr/bin/env bash
# The web leg of continuous integration: build the WebAssembly program into
# the page folder and run the page in Debian's Chromium, headless, through
# chromedriver: typed and opened answers, saved files compared byte for
# byte, the code page against iconv, no request beyond the folder, the
# page offline and checked by axe-core; before that, ESLint and Prettier
# over the page's JavaScript.
set -euo pipefail
cd "$(dirname "$0")/.."
export CI=true DEBIAN_FRONTEND=noninteractive

# The WebAssembly toolchain (whose CMake file also wants node, any from 18
# on, and whose llvm-14 strips the page's module)
# the browser, its driver, the Python binding (for Debian's own
# python3), a Japanese font for the screenshots, and the NCI set of real
# molecules that the batch tool runs through.
packages=(clang-14 lld-14 llvm-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
          libclang-rt-14-dev-wasm32 chromium chromium-driver python3-selenium
          fonts-ipafont-gothic rdkit-data)
command -v node >/dev/null || packages+=(nodejs)
# npm installs the page's pinned libraries from package-lock.json.
command -v npm >/dev/null || packages+=(npm)
bash .ci/install-missing.sh "${packages[@]}"

echo "== the page's npm packages"
npm ci --no-audit --no-fund

# The page's JavaScript against ESLint's recommended rules (eslint.config.mjs)
# and in Prettier's layout (.prettierrc.json): a file that fails either
# fails the leg, as clang-format does for the C++.
echo "== lint and format of the page's JavaScript"
npx --no-install eslint .
npx --no-install prettier --check web tests/web

echo "== web page"
cmake --workflow --preset web
echo "page folder: build-web/page; screenshots: build-web/screenshots"
