#!/usr/bin/env bash
# Renders every fixture (fuzz/corpus, tests/fixtures, examples) with quillmere-render
# under valgrind memcheck, at every display depth of the native layer, and fails on any
# memory error or definite or indirect leak in the tool, the module or the layer, or on a
# fixture the tool can't render.
#
#   scripts/valgrind-check.sh [BUILD_DIR]     (default build/native, already built)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/native}"
tool="$build/tools/render/quillmere-render"
if [ ! -x "$tool" ]; then
  echo "valgrind-check: $tool is not built (cmake --build --preset native)" >&2
  exit 2
fi
if ! command -v valgrind >/dev/null; then
  echo "valgrind-check: valgrind is not installed (scripts/install-deps.sh)" >&2
  exit 2
fi

inputs=()
for dir in fuzz/corpus tests/fixtures examples; do
  [ -d "$dir" ] || continue
  while IFS= read -r -d '' file; do
    inputs+=("$file")
  done < <(find "$dir" -maxdepth 1 -type f ! -name '*.py' ! -name '*.md' -print0 | sort -z)
done
if [ ${#inputs[@]} -eq 0 ]; then
  echo "valgrind-check: no fixtures found" >&2
  exit 2
fi

output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT

# A distinct exit code tells valgrind's findings from the tool's own failure.
readonly memcheck_found=99
failed=0
for bits in 1 4 8 16 24 32; do
  status=0
  # --keep-debuginfo: the tool unloads the module before leaks are reported.
  valgrind --tool=memcheck --quiet --error-exitcode=$memcheck_found --keep-debuginfo=yes \
    --leak-check=full --errors-for-leak-kinds=definite,indirect \
    "$tool" --display-bits "$bits" -o "$output/$bits" "${inputs[@]}" || status=$?
  case $status in
    0) echo "valgrind-check: ${#inputs[@]} fixtures at $bits bits: clean" ;;
    $memcheck_found) echo "valgrind-check: memcheck errors at $bits bits (above)" >&2; failed=1 ;;
    *) echo "valgrind-check: quillmere-render failed (exit $status) at $bits bits" >&2; failed=1 ;;
  esac
done
exit $failed
