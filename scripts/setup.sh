#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows module.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

for preset in native win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
echo "Windows module: build/win32/plugin/Quillmere.usr"
