#!/bin/sh
# Runs a Windows program under wine, quietly and byte for byte: its standard
# streams are this command's, wine says nothing of its own, and it runs in
# a 32-bit prefix of its own, never the user's.
#
#   ORBCALC_WINEPREFIX  the prefix to use (created on first use); by
#                       default wine-prefix in the build folder that holds
#                       the program (the nearest folder above it with a
#                       CMakeCache.txt), so that every build folder, and so
#                       every checkout, has its own
set -e

export WINEDEBUG=-all WINEARCH=win32
# Fixes wine's code page whatever the caller's locale.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
# No debugger for a crash and no downloads of Mono or Gecko.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=;mshtml="

if [ -n "$ORBCALC_WINEPREFIX" ]; then
  WINEPREFIX=$ORBCALC_WINEPREFIX
else
  folder=$(cd "$(dirname "$1")" && pwd -P)
  while [ ! -f "$folder/CMakeCache.txt" ] && [ "$folder" != / ]; do
    folder=$(dirname "$folder")
  done
  if [ ! -f "$folder/CMakeCache.txt" ]; then
    echo "wine-run.sh: $1 lies in no build folder; set ORBCALC_WINEPREFIX" >&2
    exit 125
  fi
  WINEPREFIX=$folder/wine-prefix
fi
export WINEPREFIX

# Tests run in parallel must not create the prefix twice at once.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  flock "$WINEPREFIX.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] || wineboot -i' </dev/null >/dev/null 2>&1
fi
# A server that wine starts by itself would inherit this command's output
# streams and keep whoever reads them waiting until it quits. Start one
# that holds none of them; when one is already running this does nothing.
wineserver -p10 </dev/null >/dev/null 2>&1 || true

exec wine "$@"
