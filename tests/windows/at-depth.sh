#!/bin/sh
# at-depth.sh DEPTH PROGRAM [ARGS...]
# Runs a Windows program under Wine (through wine-run.sh, beside this script) on a screen
# of the given depth:
#   none       no X display: Wine's null display driver, 32 bits per pixel;
#   8, 16, 24  a private Xvfb server of that depth on a free display number, stopped
#              when the program ends, however it ends.
# Wine keeps one server per prefix, and the prefix's desktop process holds the display it
# started on; before and after a run on an X screen both are ended (`wineserver -k`, for
# WINEPREFIX only), so that every run meets a screen of its own depth. Exits with the
# program's status.
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 none|8|16|24 PROGRAM [ARGS...]" >&2
  exit 2
fi
depth=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=${TMPDIR:-/tmp}/quillmere-wineprefix}"
export WINEPREFIX

case "$depth" in
  none)
    unset DISPLAY
    exec "$here/wine-run.sh" "$@"
    ;;
  8 | 16 | 24) ;;
  *)
    echo "$0: unknown depth '$depth' (none, 8, 16 or 24)" >&2
    exit 2
    ;;
esac

end_wine() {
  # Only the processes of this prefix; a prefix with no server is no error.
  if [ -f "$WINEPREFIX/system.reg" ]; then wineserver -k >/dev/null 2>&1 || true; fi
}

work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-xvfb.XXXXXX")
xvfb_pid=""
stop() {
  end_wine
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Xvfb writes its display number to the descriptor once it accepts connections.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "1024x768x$depth" -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r display <"$work/display" || true
if [ -z "$display" ]; then
  echo "$0: Xvfb did not start at depth $depth:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$display"

end_wine
# In the background, so that a signal ends the run at once rather than after the program.
"$here/wine-run.sh" "$@" &
status=0
wait $! || status=$?
exit "$status"
