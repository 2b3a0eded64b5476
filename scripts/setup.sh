#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows builds, and renders the
# bundled example to build/quillmere.nfo.png through the native module.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

for preset in native win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
build/native/tools/render/quillmere-render examples/quillmere.nfo -o build/quillmere.nfo.png
echo "Windows module: build/win32/plugin/Quillmere.usr"
echo "Example picture: build/quillmere.nfo.png"
