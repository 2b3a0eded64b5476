// Painting a full 80 x 400 cell picture, beside a baseline that only clears and copies as
// many bytes as the picture holds.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "render/picture.h"
#include "render/text_grid.h"

namespace {

std::string ArtLines(int lines, int width) {
  static const char kCells[] = "\xdb\xb2\xb1\xb0 .:-=+*#%@\xc4\xb3\xda\xbf\xc0\xd9";
  std::string text;
  for (int y = 0; y < lines; ++y) {
    for (int x = 0; x < width; ++x) text += kCells[(x * 7 + y * 3) % (sizeof kCells - 1)];
    text += "\r\n";
  }
  return text;
}

void SetDisplayBits(benchmark::State& state) {
  setenv("QUILLMERE_DISPLAY_BITS", std::to_string(state.range(0)).c_str(), 1);
}

void BM_CreatePicture80x400(benchmark::State& state) {
  SetDisplayBits(state);
  const std::string text = ArtLines(400, 80);
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

// memset of the picture's bytes plus a memcpy of them: the memory traffic floor.
void BM_ClearAndCopyBaseline80x400(benchmark::State& state) {
  const size_t bytes = size_t{80} * 8 * 400 * 16 * static_cast<size_t>(state.range(0)) / 8;
  std::vector<unsigned char> picture(bytes), copy(bytes);
  for (auto _ : state) {
    std::memset(picture.data(), 0, bytes);
    benchmark::ClobberMemory();
    std::memcpy(copy.data(), picture.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes * 2));
}
BENCHMARK(BM_ClearAndCopyBaseline80x400)->Arg(32)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
