// Painting a full 80 x 400 cell picture (CreatePicture: bitmap, clear, one TextOutA per
// cell), beside a baseline that only clears and copies as many bytes as the picture holds.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/art_text.h"
#include "bench/clear_and_copy.h"
#include "render/picture.h"
#include "render/text_grid.h"

namespace {

void SetDisplayBits(benchmark::State& state) {
  setenv("QUILLMERE_DISPLAY_BITS", std::to_string(state.range(0)).c_str(), 1);
}

void BM_CreatePicture80x400(benchmark::State& state) {
  SetDisplayBits(state);
  const std::string text = ArtText(80, 400);
  const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
  const DWORD length = static_cast<DWORD>(text.size());
  for (auto _ : state) {
    PictureRecord* record = CreatePicture(bytes, length, MeasureTextGrid(bytes, length));
    benchmark::DoNotOptimize(record);
    DestroyPicture(record);
  }
  state.counters["cells"] = 80 * 400;
}
BENCHMARK(BM_CreatePicture80x400)->Arg(32)->Arg(8)->Unit(benchmark::kMillisecond);

void BM_ClearAndCopyBaseline80x400(benchmark::State& state) {
  ClearAndCopy(state, PictureBytes(80, 400, state.range(0)));
}
BENCHMARK(BM_ClearAndCopyBaseline80x400)->Arg(32)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
