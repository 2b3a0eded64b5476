#!/bin/sh
# Runs a Windows program under 32-bit Wine, in the prefix named by WINEPREFIX (made and
# initialised on first use, once, even when several runs start together).
set -eu
: "${WINEPREFIX:=${TMPDIR:-/tmp}/quillmere-wineprefix}"
export WINEPREFIX
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers during the prefix's first boot.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
) 9>"$WINEPREFIX.lock"

# The prefix's server and service processes outlive the program by a few seconds. Started
# here, away from the program's output, they hold none of the caller's pipes open (CTest
# waits for every holder of a test's output before it ends the test).
wineboot </dev/null >/dev/null 2>&1 || true

exec wine "$@"
