#!/usr/bin/env bash
# The Windows leg of continuous integration: cross-build the 32-bit console
# program with MinGW-w64, run every test under wine, one at a time, in the
# build folder's prefix with one wine server for the whole leg, and check
# that orbcalc.exe and the Linux orbcalc (built before by .ci/run) write the
# same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
export CI=true DEBIAN_FRONTEND=noninteractive

# GoogleTest's sources come with libgtest-dev, which .ci/run installs; the
# cross build compiles them for Windows.
packages=(g++-mingw-w64-i686-posix wine wine32:i386 googletest)
bash .ci/install-missing.sh "${packages[@]}"

scratch=$(mktemp -d)
export HOME="${HOME:-$scratch}"
# The same settings as cmake/wine-run.sh, which every test goes through,
# and the prefix it takes by default: wine-prefix in the build folder.
unset ORBCALC_WINEPREFIX
export WINEPREFIX="$(pwd -P)/build-windows/wine-prefix" WINEARCH=win32 WINEDEBUG=-all LANG=C.UTF-8 LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=;mshtml="

stop_wine() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap stop_wine EXIT

# Wine runs the 32-bit program in a 32-bit Linux process. A kernel built
# without 32-bit support (as on some virtual machines) runs none: there the
# leg builds the program and checks its imports, and says that it ran
# nothing, rather than fail on the machine.
runs=true
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  runs=false
  echo "== this kernel runs no 32-bit programs: the Windows program is built and checked, its tests NOT run"
fi

if $runs; then
  echo "== wine prefix"
  mkdir -p "$WINEPREFIX"
  # A server that inherits one of this script's streams keeps it open, and
  # whoever waits for the end of the stream waits for ever.
  wineserver -p </dev/null >/dev/null 2>&1
  wineboot -i </dev/null >/dev/null 2>&1
fi

echo "== windows build"
cmake --preset windows
if $runs; then
  cmake --build --preset windows
  ctest --preset windows
else
  # The unit tests' list is read by running them, so only the program.
  cmake --build --preset windows --target orbcalc
fi

echo "== static executable"
imports=$(i686-w64-mingw32-objdump -p build-windows/orbcalc.exe | sed -n 's/^[[:space:]]*DLL Name: //p')
echo "$imports"
if grep -qiE '^lib' <<<"$imports"; then
  echo "orbcalc.exe needs a DLL of the compiler's runtime" >&2
  exit 1
fi

# Byte for byte through files, the worked example (butadiene) among them.
if $runs; then
  bash .ci/compare-examples.sh Windows cmake/wine-run.sh build-windows/orbcalc.exe
fi
