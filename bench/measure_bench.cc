// Measuring the grid: one forward pass, compared with memchr over the same bytes; and a
// large file whose scan ends after its 400th line feed.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "render/text_grid.h"

namespace {

std::vector<BYTE> NoLineFeed(size_t bytes) { return std::vector<BYTE>(bytes, 'x'); }

std::vector<BYTE> Lines(size_t lines, size_t width) {
  std::vector<BYTE> text;
  text.reserve(lines * (width + 2));
  for (size_t i = 0; i < lines; ++i) {
    text.insert(text.end(), width, static_cast<BYTE>('a' + i % 26));
    text.push_back('\r');
    text.push_back('\n');
  }
  return text;
}

void SetBytes(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_MeasureNoLineFeed(benchmark::State& state) {
  const auto text = NoLineFeed(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(MeasureTextGrid(text.data(), static_cast<DWORD>(text.size())));
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_MeasureNoLineFeed)->Arg(64 << 10)->Arg(64 << 20);

void BM_MemchrNoLineFeed(benchmark::State& state) {
  const auto text = NoLineFeed(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(std::memchr(text.data(), '\n', text.size()));
  SetBytes(state, text.size());
}
BENCHMARK(BM_MemchrNoLineFeed)->Arg(64 << 10)->Arg(64 << 20);

void BM_Measure400Lines(benchmark::State& state) {
  const auto text = Lines(400, 80);
  for (auto _ : state) {
    benchmark::DoNotOptimize(MeasureTextGrid(text.data(), static_cast<DWORD>(text.size())));
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_Measure400Lines);

// 100,000 lines: only the first 400 are read, so this costs what 400 lines cost.
void BM_MeasureStopsAfter400LineFeeds(benchmark::State& state) {
  const auto text = Lines(100000, 80);
  for (auto _ : state) {
    benchmark::DoNotOptimize(MeasureTextGrid(text.data(), static_cast<DWORD>(text.size())));
  }
  state.counters["file_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_MeasureStopsAfter400LineFeeds);

}  // namespace
