#!/usr/bin/env bash
# Counts the instructions of one load cycle with callgrind: everything inside the
# module's gfpLoadPicture* entry points (and the platform layer they call) while
# quillmere-render loads one file, and lists the functions they go to. Instruction counts
# hold still on a busy machine, where times do not: compare them before and after a change.
#
#   bench/profile.sh [COLUMNS ROWS BITS]    (default 80 400 32)
#
# The file is text art as bench/art_text.h makes it. Environment: BUILD_DIR (default
# build/native), TOP (functions listed, default 15).
set -euo pipefail
cd "$(dirname "$0")/.."

columns="${1:-80}"
rows="${2:-400}"
bits="${3:-32}"
build="${BUILD_DIR:-build/native}"
tool="$build/tools/render/quillmere-render"
if [ ! -x "$tool" ] || ! command -v valgrind >/dev/null; then
  echo "profile: needs $tool (cmake --build --preset native) and valgrind" >&2
  exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 - "$columns" "$rows" "$work/art.asc" <<'PY'
import sys
columns, rows, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
cells = b"\xdb\xb2\xb1\xb0 .:-=+*#%@\xc4\xb3\xda\xbf\xc0\xd9"
with open(path, "wb") as out:
    for y in range(rows):
        out.write(bytes(cells[(x * 7 + y * 3) % len(cells)] for x in range(columns)) + b"\r\n")
PY
valgrind --tool=callgrind --toggle-collect='gfpLoadPicture*' \
  --callgrind-out-file="$work/callgrind.out" \
  "$tool" --display-bits "$bits" "$work/art.asc" -o "$work/art.png" 2>"$work/valgrind.log"
instructions=$(sed -n 's/.*Collected : //p' "$work/valgrind.log")
echo "load cycle of ${columns} x ${rows} cells at ${bits} bits: ${instructions} instructions"
callgrind_annotate --inclusive=no "$work/callgrind.out" 2>/dev/null |
  awk '/file:function/ { on = 1; getline; next } on && NF { print } ' | head -n "${TOP:-15}"
