#!/usr/bin/env bash
# The whole test suite: builds every preset and runs its tests (the Windows ones under
# Wine at several screen depths), then the host tool over every fixture under valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

for preset in native native-asan tsan win32; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
echo "== valgrind"
bash scripts/valgrind-check.sh build/native
