#!/usr/bin/env bash
# Renders a folder of text art with quillmere-render (one batch process, and one process
# per file) and with ansilove (one process per file), checks that each produced every
# picture, and prints the wall-time ratios and the PNG bytes of each, against the targets:
# one process per file at least 4x faster than ansilove, the batch at least 8x, and our
# PNGs together no larger than ansilove's.
#
#   bench/compare.sh [FOLDER]
#
# Without FOLDER, bench/make_corpus.py writes 100 files into a temporary folder.
# Environment: BUILD_DIR (default build/native), RUNS (timed runs each, default 5),
# TOOL_ARGS (extra quillmere-render options, e.g. "--display-bits 8").
set -euo pipefail
cd "$(dirname "$0")/.."

build="${BUILD_DIR:-build/native}"
tool="$(pwd)/$build/tools/render/quillmere-render"
runs="${RUNS:-5}"
tool_args="${TOOL_ARGS:-}"
for program in "$tool" ansilove hyperfine python3; do
  if ! command -v "$program" >/dev/null; then
    echo "compare: $program is missing (build the native preset;" \
      "apt-get install ansilove hyperfine)" >&2
    exit 2
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
folder="${1:-}"
if [ -z "$folder" ]; then
  folder="$work/corpus"
  python3 bench/make_corpus.py "$folder"
fi
folder="$(cd "$folder" && pwd)"
mapfile -t files < <(find "$folder" -maxdepth 1 -type f | sort)
count=${#files[@]}
if [ "$count" -eq 0 ]; then
  echo "compare: no files in $folder" >&2
  exit 2
fi

# One script per way of rendering, each writing into its own folder. ansilove is given
# each file's width in columns (its widest line, at least 80), as our pictures have.
mkdir -p "$work/batch" "$work/single" "$work/ansilove"
{
  echo "rm -f '$work'/batch/*.png"
  printf '%q ' "$tool" $tool_args "${files[@]}" -o "$work/batch"
  echo '>/dev/null'
} >"$work/batch.sh"
{
  echo "rm -f '$work'/single/*.png"
  for file in "${files[@]}"; do
    printf '%q ' "$tool" $tool_args "$file" -o "$work/single/"
    echo '>/dev/null'
  done
} >"$work/single.sh"
{
  echo "rm -f '$work'/ansilove/*.png"
  for file in "${files[@]}"; do
    columns=$(LC_ALL=C awk '{ sub(/\r$/, ""); if (length($0) > m) m = length($0) }
                            END { print (m < 80 ? 80 : m) }' "$file")
    png="$work/ansilove/$(basename "$file").png"
    printf '%q ' ansilove -q -f 80x25 -c "$columns" -o "$png" "$file"
    echo '>/dev/null'
  done
} >"$work/ansilove.sh"

hyperfine --style basic --warmup 1 --runs "$runs" --export-json "$work/times.json" \
  -n batch "bash $work/batch.sh" -n per-file "bash $work/single.sh" \
  -n ansilove "bash $work/ansilove.sh" >&2

python3 - "$work" "$count" <<'PY'
import json
import sys
from pathlib import Path

work, count = Path(sys.argv[1]), int(sys.argv[2])
times = {r["command"]: r for r in json.load(open(work / "times.json"))["results"]}
pngs = {name: sorted((work / name).glob("*.png")) for name in ("batch", "single", "ansilove")}
ok = True
print(f"{count} files")
for name, files in pngs.items():
    size = sum(f.stat().st_size for f in files)
    print(f"  {name:9} {len(files):4} PNGs, {size:>11,} bytes")
    ok &= len(files) == count
ansilove = times["ansilove"]["median"]
ours = sum(f.stat().st_size for f in pngs["batch"])
theirs = sum(f.stat().st_size for f in pngs["ansilove"])
checks = [
    ("ansilove / per-file time", ansilove / times["per-file"]["median"], ">=", 4.0),
    ("ansilove / batch time", ansilove / times["batch"]["median"], ">=", 8.0),
    ("our PNG bytes / ansilove's", ours / theirs, "<=", 1.0),
]
for name in ("batch", "per-file", "ansilove"):
    print(f"  {name:9} median {times[name]['median'] * 1000:8.1f} ms "
          f"(min {times[name]['min'] * 1000:.1f} ms)")
for label, value, relation, target in checks:
    met = value >= target if relation == ">=" else value <= target
    ok &= met
    print(f"  {label:28} {value:6.2f}  target {relation} {target:g}  {'met' if met else 'MISSED'}")
sys.exit(0 if ok else 1)
PY
