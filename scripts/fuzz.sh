#!/usr/bin/env bash
# Fuzzes the whole load path: builds the libFuzzer target with clang (ASan, UBSan and
# coverage over every source) in build/fuzz, then runs it for SECONDS (default 180) on a
# working copy of fuzz/corpus and fuzz/regressions in build/fuzz/corpus, which keeps what
# earlier runs found. Not part of CI.
#
#   scripts/fuzz.sh [SECONDS]
#
# A failing input is written to build/fuzz/artifacts/. Replay it with
#   build/native/fuzz/quillmere_fuzz_replay FILE
# and, once the fault is fixed, keep it as fuzz/regressions/<what-it-caught>; CTest
# replays that directory in every native build.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-180}"
build=build/fuzz
# Edge coverage without comparison tracing: the layer's per-pixel loops would spend most
# of each run reporting their comparisons, and the text's few special bytes are easily
# found without help.
instrument="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-coverage=trace-cmp"
instrument+=" -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1"

cmake -S . -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE= \
  -DCMAKE_C_FLAGS="$instrument" -DCMAKE_CXX_FLAGS="$instrument" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DBUILD_TESTING=OFF -DQUILLMERE_FUZZ=ON >/dev/null
cmake --build "$build" --target quillmere_load_fuzzer -j2

mkdir -p "$build/corpus" "$build/artifacts"
cp fuzz/corpus/* "$build/corpus/"
if [ -d fuzz/regressions ]; then cp fuzz/regressions/* "$build/corpus/"; fi

# One process, one job: the machine is shared. The inputs are capped at 1 KiB so that a
# picture stays a few tens of MiB; 400 lines of text fit in that.
nice -n 10 "$build/fuzz/quillmere_load_fuzzer" \
  -max_total_time="$seconds" -max_len=1024 -timeout=30 -rss_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
  "$build/corpus"
